#include "data/FoodIndex.h"

#include "data/FoodDatabase.h"
#include "data/FoodStreamError.h"

namespace {

int ReadCount(FoodDatabase& database, const char* what)
{
    const int count = database.ReadWord();
    if (count < 0)
        throw FoodStreamError(QStringLiteral("Negative %1 count in the foods index").arg(what));
    return count;
}

} // namespace

void FoodIndex::Build(FoodDatabase& database)
{
    m_database = &database;
    m_groups.clear();
    std::vector<Group> groups;

    database.Seek(0);
    const int groupCount = ReadCount(database, "group");
    groups.resize(size_t(groupCount));
    for (Group& group : groups)
        group.position = database.ReadLong();
    for (Group& group : groups) {
        group.name = database.ReadName();
        group.subgroups.resize(size_t(ReadCount(database, "subgroup")));
        for (Subgroup& subgroup : group.subgroups)
            subgroup.position = database.ReadLong();
    }

    // A sound stream holds each subgroup's position list once; subgroups that share or overlap
    // their lists could otherwise make the index far larger than the file.
    qint64 budget = database.Size();
    for (Group& group : groups) {
        for (Subgroup& subgroup : group.subgroups) {
            database.Seek(subgroup.position);
            subgroup.name = database.ReadName();
            const int foodCount = ReadCount(database, "food");
            budget -= 4 * qint64(foodCount);
            if (budget < 0)
                throw FoodStreamError(QStringLiteral("The foods index lists more foods than the "
                                                     "file can hold"));
            subgroup.foods.resize(size_t(foodCount));
            for (std::uint32_t& position : subgroup.foods)
                position = database.ReadLong();
        }
    }
    m_groups = std::move(groups);
}

QStringList FoodIndex::GroupNames() const
{
    QStringList names;
    for (const Group& group : m_groups)
        names.append(group.name);
    return names;
}

QStringList FoodIndex::SubgroupNames(int group) const
{
    QStringList names;
    if (group >= 0 && group < GroupCount()) {
        for (const Subgroup& subgroup : m_groups[size_t(group)].subgroups)
            names.append(subgroup.name);
    }
    return names;
}

const FoodList* FoodIndex::Foods(int group, int subgroup)
{
    if (!m_database || group < 0 || group >= GroupCount())
        return nullptr;
    std::vector<Subgroup>& subgroups = m_groups[size_t(group)].subgroups;
    if (subgroup < 0 || size_t(subgroup) >= subgroups.size())
        return nullptr;
    Subgroup& entry = subgroups[size_t(subgroup)];
    if (!entry.list) {
        std::vector<std::pair<std::uint32_t, QString>> foods;
        foods.reserve(entry.foods.size());
        for (std::uint32_t position : entry.foods)
            foods.emplace_back(position, m_database->SafeFoodName(std::int32_t(position)));
        entry.list = std::make_unique<FoodList>(entry.name, std::move(foods));
    }
    return entry.list.get();
}
