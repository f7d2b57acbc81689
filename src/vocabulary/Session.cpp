#include "vocabulary/Session.h"

#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "vocabulary/Page.h"

#include <algorithm>

Session::Session(AppServices* services) : m_services(services) {}

Session::Session(std::unique_ptr<UserDatabase> store, AppServices* services) : m_services(services)
{
    Open(std::move(store));
}

Session::~Session()
{
    Close();
}

void Session::Open(std::unique_ptr<UserDatabase> store)
{
    Close();
    m_store = std::move(store);
    if (m_store)
        m_edits = std::make_unique<UserEdits>(*m_store);
}

void Session::Close()
{
    m_edits.reset();
    m_store.reset();
}

ReferenceDatabases* Session::References() const
{
    return m_store ? &m_store->References() : nullptr;
}

void Session::AddPage(Page* page)
{
    m_pages.insert(m_pages.begin(), page);
}

void Session::RemovePage(Page* page)
{
    m_pages.erase(std::remove(m_pages.begin(), m_pages.end(), page), m_pages.end());
}

Page* Session::FindPage(const QString& name) const
{
    for (Page* page : m_pages) {
        if (page->GetName() == name)
            return page;
    }
    return nullptr;
}
