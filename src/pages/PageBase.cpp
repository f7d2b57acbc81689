#include "pages/PageBase.h"

#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"
#include "vocabulary/Session.h"

PageBase::PageBase(Session& session, const QString& name, int helpTopic)
    : m_session(session), m_name(name), m_helpTopic(helpTopic)
{
    m_session.AddPage(this);
}

PageBase::~PageBase()
{
    Unwatch();
    m_session.RemovePage(this);
}

UserDatabase* PageBase::Store() const
{
    return m_session.Store();
}

UserEdits* PageBase::Edits() const
{
    return m_session.Edits();
}

int PageBase::NextVisit()
{
    static int visits = 0;
    return ++visits;
}

DataNotifier* PageBase::Notifier() const
{
    UserEdits* edits = Edits();
    return edits ? &edits->Notifier() : nullptr;
}

void PageBase::Unwatch()
{
    for (const QMetaObject::Connection& watch : m_watches)
        QObject::disconnect(watch);
    m_watches.clear();
}

void PageBase::Attach(PageHost& host)
{
    m_host = &host;
}

void PageBase::Detach()
{
    Unwatch();
    m_host = nullptr;
}

int PageBase::OnEvent(const QString& name, QWidget*)
{
    return HandleCommonEvent(name);
}

int PageBase::HandleCommonEvent(const QString& name)
{
    if (name == Events::kGoHome || name == Events::kDone) {
        if (m_host)
            m_host->Close();
        return 1;
    }
    if (name == Events::kGoProfile || name == Events::kGoJournal || name == Events::kBlogger ||
        name == Events::kGoFitness || name == Events::kGoFood) {
        if (CanLeave(name))
            NavigateTo(name);
        return 1; // a page that refuses to be left simply stays
    }
    return 0;
}

QString PageBase::TargetOf(const QString& eventName) const
{
    if (eventName != Events::kGoProfile)
        return eventName;
    const UserDatabase* store = Store();
    return store && store->Profile().IsComplete() ? Events::kResults : Events::kProfile;
}

void PageBase::NavigateTo(const QString& eventName)
{
    Page* target = m_session.FindPage(TargetOf(eventName));
    if (target && m_host)
        m_host->SetPage(target);
}
