#pragma once

#include "pages/SubPage.h"

#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class GroupSelect;
class ItemList;
class LookupModel;
class UserDatabase;

// A sub-page picking one item from "Favorites" or the reference database's groups. It ends
// chosen with "add" or the OK command and closed with "cancel" or "done" (lookup-only mode);
// "add.fav" and "delete" keep the favorites and "itemActivated" shows an item's details. Enter
// on an item adds it, or in lookup-only mode shows its details. Nothing is chosen, added or
// shown without a selected item. Typing finds items by name across the groups; the found item
// is chosen, added and shown as a selected one is.
class LookupPage : public SubPage
{
public:
    // Favorites-only opens in "Favorites"; lookup-only offers "done" instead of "add".
    // `listNames` name the group lists, then the item list, for assistive technology.
    LookupPage(Session& session, const QString& name, const QString& section, QStringList listNames,
               bool lookupOnly, bool favoritesOnly);
    ~LookupPage() override;

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // The record chosen when the page ended chosen.
    std::optional<std::uint32_t> ChosenRecord() const { return m_chosen; }
    LookupModel* Model() const { return m_model.get(); }

protected:
    bool HasChoice() const override;
    void RecordChoice() override;

    virtual std::unique_ptr<LookupModel> MakeModel(UserDatabase& store, bool favoritesOnly) = 0;
    virtual ItemList& Favorites(UserDatabase& store) = 0;
    // Runs the details page of the record; returns the navigation event it ended with, if any.
    virtual QString ShowDetails(std::uint32_t record) = 0;
    // After the items changed: shows the group (or the names found again, while finding) and
    // selects the record's item there.
    void ShowRecord(int group, std::optional<std::uint32_t> record);

private:
    void ShowExtraButton(int group);
    void Find(const QString& typed);
    void AddFavorite();
    void DeleteFavorite();

    QString m_section;
    QStringList m_listNames;
    bool m_lookupOnly;
    bool m_favoritesOnly;
    UserDatabase* m_store = nullptr;
    std::unique_ptr<LookupModel> m_model;
    GroupSelect* m_list = nullptr;
    std::optional<std::uint32_t> m_chosen;
};
