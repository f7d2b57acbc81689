#include "pages/LookupModel.h"

#include "data/ItemGroup.h"

#include <algorithm>

namespace {
// Enough to scroll through; a longer list asks for another word.
constexpr int kMostFound = 500;
} // namespace

LookupModel::LookupModel(int levels, QStringList groupNames, bool favoritesOnly,
                         int rememberedGroup)
    : m_levels(levels), m_groupNames(std::move(groupNames)), m_favoritesOnly(favoritesOnly)
{
    if (!favoritesOnly) {
        const bool known = rememberedGroup >= 0 && rememberedGroup < m_groupNames.size();
        m_group = known ? rememberedGroup : (m_groupNames.size() > 1 ? 1 : 0);
    }
}

int LookupModel::GetGroupChoice(int level)
{
    return level == 0 ? m_group : m_subgroup;
}

void LookupModel::SetGroupChoice(int level, int index)
{
    if (index < 0 || index >= GetChoiceCount(level) || index == GetGroupChoice(level))
        return;
    if (level == 0) {
        m_group = index;
        m_subgroup = 0;
        m_subgroupsRead = false;
        if (!m_favoritesOnly || index != 0)
            RememberGroup(index);
        if (groupChanged)
            groupChanged(index);
    } else {
        m_subgroup = index;
    }
    m_itemsRead = false;
    m_selected = 0;
}

int LookupModel::GetChoiceCount(int level)
{
    if (level == 0)
        return int(m_groupNames.size());
    if (level != 1 || m_levels < 2 || m_group == 0)
        return 0;
    if (!m_subgroupsRead) {
        m_subgroupNames = SubgroupNames(m_group);
        m_subgroupsRead = true;
    }
    return int(m_subgroupNames.size());
}

QString LookupModel::GetChoiceText(int level, int index)
{
    const int count = GetChoiceCount(level);
    if (index < 0 || index >= count)
        return QString();
    return level == 0 ? m_groupNames[index] : m_subgroupNames[index];
}

const ItemGroup* LookupModel::Items()
{
    if (!m_itemsRead) {
        m_items = ItemsOf(m_group, m_subgroup);
        m_itemsRead = true;
    }
    return m_items;
}

void LookupModel::SetSelectedItem(int index)
{
    (Finding() ? m_foundSelected : m_selected) = index;
}

void LookupModel::Find(const QString& typed)
{
    m_typed = typed.trimmed();
    m_found = Finding() ? FindNames(m_typed, kMostFound) : std::vector<NameFinder::Match>();
    m_foundSelected = m_found.empty() ? -1 : 0;
}

int LookupModel::GetItemCount()
{
    if (Finding())
        return int(m_found.size());
    const ItemGroup* items = Items();
    return items ? std::max(0, items->Count()) : 0;
}

QString LookupModel::GetItemText(int index)
{
    if (Finding()) {
        if (index < 0 || index >= int(m_found.size()))
            return QString();
        const NameFinder::Match& match = m_found[index];
        return match.name.toString() + QStringLiteral(" \u2014 ") + match.groupName.toString();
    }
    const ItemGroup* items = Items();
    return items ? items->NameAt(index) : QString();
}

std::optional<std::uint32_t> LookupModel::SelectedRecord()
{
    return RecordAt(GetSelectedItem());
}

std::optional<std::uint32_t> LookupModel::RecordAt(int index)
{
    if (index < 0 || index >= GetItemCount())
        return std::nullopt;
    if (Finding())
        return m_found[size_t(index)].record;
    return Items()->RecordAt(index);
}

void LookupModel::ItemsChanged()
{
    m_itemsRead = false;
    m_selected = std::min(m_selected, GetItemCount() - 1);
}
