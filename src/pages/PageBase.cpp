#include "pages/PageBase.h"

#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "pages/PageRegistry.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

PageBase::PageBase(const QString& name, int helpTopic) : m_name(name), m_helpTopic(helpTopic)
{
    PageRegistry::Add(this);
}

PageBase::~PageBase()
{
    Unwatch();
    PageRegistry::Remove(this);
}

UserEdits* PageBase::Edits()
{
    // Until the application hands the pages a session, the running program's edits.
    return UserEdits::Instance();
}

int PageBase::NextVisit()
{
    static int visits = 0;
    return ++visits;
}

DataNotifier* PageBase::Notifier()
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

QString PageBase::TargetOf(const QString& eventName)
{
    if (eventName != Events::kGoProfile)
        return eventName;
    const UserDatabase* store = UserDatabase::Instance();
    return store && store->Profile().IsComplete() ? Events::kResults : Events::kProfile;
}

void PageBase::NavigateTo(const QString& eventName)
{
    Page* target = PageRegistry::Find(TargetOf(eventName));
    if (target && m_host)
        m_host->SetPage(target);
}
