#pragma once

#include "data/ItemGroup.h"

#include <utility>
#include <vector>

// The foods of one subgroup as the lookup shows them: names with their stream positions.
class FoodList final : public ItemGroup
{
public:
    FoodList(QString title, std::vector<std::pair<std::uint32_t, QString>> entries)
        : m_title(std::move(title)), m_entries(std::move(entries))
    {
    }

    std::uint32_t RecordAt(int index) const override
    {
        return InRange(index) ? m_entries[size_t(index)].first : 0;
    }
    int Count() const override { return int(m_entries.size()); }
    QString NameAt(int index) const override
    {
        return InRange(index) ? m_entries[size_t(index)].second : QString();
    }
    QString Title() const override { return m_title; }

private:
    bool InRange(int index) const { return index >= 0 && size_t(index) < m_entries.size(); }

    QString m_title;
    std::vector<std::pair<std::uint32_t, QString>> m_entries;
};
