#include "pages/LogPage.h"

#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

LogPage::LogPage(Session& session, const QString& name, int helpTopic, ItemKind kind)
    : PageBase(session, name, helpTopic), m_kind(kind)
{
}

void LogPage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    m_day = TimeBase::Today();
}

int LogPage::OnEvent(const QString& name, QWidget* sender)
{
    return HandleLogEvent(name, sender);
}

int LogPage::HandleLogEvent(const QString& name, QWidget*)
{
    if (name == Events::kLookup) {
        OpenPicker(true, false);
        return 1;
    }
    if (name == Events::kDateChanged) {
        if (Host())
            m_day = Host()->GetDate();
        ReloadDay();
        return 1;
    }
    if (name == Events::kAdd) {
        OpenPicker(false, false);
        return 1;
    }
    if (name == Events::kFav) {
        OpenPicker(false, true);
        return 1;
    }
    if (name == Events::kDelete) {
        DeleteSelected();
        return 1;
    }
    return HandleCommonEvent(name);
}
