#pragma once

#include <QString>

#include <memory>
#include <vector>

class AppServices;
class Page;
class ReferenceDatabases;
class UserDatabase;
class UserEdits;

// One run of the program with one diary: the store and the reference databases it owns, the
// edits and their history, the application's services and the pages that navigation finds by
// name. The application makes it and hands it to the home screen and every page; tests make
// their own, so nothing of it is global.
class Session final
{
public:
    // `services` (may be null) outlive the session. Until a store is opened there is no diary:
    // pages show their empty state and change nothing.
    explicit Session(AppServices* services = nullptr);
    explicit Session(std::unique_ptr<UserDatabase> store, AppServices* services = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Takes the store over and starts its edits; a store open before is closed first.
    void Open(std::unique_ptr<UserDatabase> store);
    // Saves the edits owed, then the store writes itself back and is gone.
    void Close();

    UserDatabase* Store() const { return m_store.get(); }
    UserEdits* Edits() const { return m_edits.get(); }
    // The store's reference databases; null without a store.
    ReferenceDatabases* References() const;
    AppServices* Services() const { return m_services; }

    // Pages register while they exist; Find gives the newest of a name, or null.
    void AddPage(Page* page);
    void RemovePage(Page* page);
    Page* FindPage(const QString& name) const;
    int PageCount() const { return int(m_pages.size()); }

private:
    std::unique_ptr<UserDatabase> m_store;
    std::unique_ptr<UserEdits> m_edits;
    AppServices* m_services = nullptr;
    std::vector<Page*> m_pages; // front is the newest
};
