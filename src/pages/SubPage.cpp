#include "pages/SubPage.h"

#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

SubPage::SubPage(Session& session, const QString& name, int helpTopic)
    : PageBase(session, name, helpTopic)
{
}

void SubPage::Attach(PageHost& host)
{
    m_resultCode = Closed;
    m_resultText.clear();
    PageBase::Attach(host);
}

int SubPage::OnEvent(const QString& name, QWidget*)
{
    return HandleSubPageEvent(name);
}

int SubPage::HandleSubPageEvent(const QString& name)
{
    if (name == Events::kGoHome || name == Events::kGoProfile || name == Events::kGoFitness ||
        name == Events::kGoFood || name == Events::kGoJournal) {
        EndWith(Navigated, name);
        return 1;
    }
    if (name == Events::kDialogApplied) {
        m_resultText.clear();
        m_resultCode = HasChoice() ? Chosen : Closed;
        if (m_resultCode == Chosen)
            RecordChoice();
        return 1;
    }
    return 0;
}

void SubPage::EndWith(int code, const QString& text)
{
    m_resultCode = code == Chosen && !HasChoice() ? Closed : code;
    m_resultText = text;
    if (m_resultCode == Chosen)
        RecordChoice();
    if (Host())
        Host()->Close();
}
