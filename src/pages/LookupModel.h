#pragma once

#include "controls/GroupSelectModel.h"
#include "data/NameFinder.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class ItemGroup;

// What a lookup page picks from: "Favorites" and the reference database's groups at the first
// level, optionally subgroups at the second, and the items they narrow down to. The item list
// is read when first asked for after a choice changed. While a find holds words, the items are
// the names found instead, and the groups and their selection wait unchanged underneath.
class LookupModel : public GroupSelectModel
{
public:
    // Group 0 is "Favorites". A remembered group outside the groups opens the first real one.
    LookupModel(int levels, QStringList groupNames, bool favoritesOnly, int rememberedGroup);
    virtual ~LookupModel() = default;

    // GroupSelectModel
    int GetGroupCount() override { return m_levels; }
    int GetGroupChoice(int level) override;
    void SetGroupChoice(int level, int index) override;
    int GetChoiceCount(int level) override;
    QString GetChoiceText(int level, int index) override;
    int GetItemCount() override;
    QString GetItemText(int index) override;
    int GetSelectedItem() override { return Finding() ? m_foundSelected : m_selected; }
    void SetSelectedItem(int index) override;

    int Group() const { return m_group; }
    int Subgroup() const { return m_subgroup; }
    // True while the favorites list itself is shown (not found names, whichever are favorites).
    bool InFavorites() const { return m_group == 0 && !Finding(); }
    // Shows the names matching the typed words, the first one selected; no words: the groups.
    void Find(const QString& typed);
    bool Finding() const { return !m_typed.isEmpty(); }
    QString Typed() const { return m_typed; }
    // The record (food position, exercise record) of the selected item; none without one.
    std::optional<std::uint32_t> SelectedRecord();
    // The record of an item of the shown list.
    std::optional<std::uint32_t> RecordAt(int index);
    // After the shown list changed under the model (a favorite removed): read it again and keep
    // the selection on an item.
    void ItemsChanged();

    // Told each time the first-level group changes.
    std::function<void(int group)> groupChanged;

protected:
    // Null when there is no such list.
    virtual const ItemGroup* ItemsOf(int group, int subgroup) = 0;
    virtual QStringList SubgroupNames(int group) const = 0;
    virtual void RememberGroup(int group) = 0;
    virtual std::vector<NameFinder::Match> FindNames(const QString& typed, int limit) = 0;

private:
    const ItemGroup* Items();

    int m_levels;
    QStringList m_groupNames;
    QStringList m_subgroupNames;
    bool m_favoritesOnly;
    int m_group = 0;
    int m_subgroup = 0;
    int m_selected = 0;
    bool m_subgroupsRead = false;
    bool m_itemsRead = false;
    const ItemGroup* m_items = nullptr;
    QString m_typed;
    std::vector<NameFinder::Match> m_found;
    int m_foundSelected = -1;
};
