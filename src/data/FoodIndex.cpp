#include "data/FoodIndex.h"

#include "data/FoodDatabase.h"
#include "data/FoodStreamError.h"
#include "data/Log.h"

#include <QHash>

namespace {

// The index holds at most this many bytes per byte of the file, plus a little for the smallest
// files, so that a file claiming more than it holds cannot make it large.
constexpr qint64 kBytesPerFileByte = 2;
constexpr qint64 kBaseBytes = 64 * 1024;

int ReadCount(FoodDatabase& database, const char* what)
{
    const int count = database.ReadWord();
    if (count < 0)
        throw FoodStreamError(QStringLiteral("Negative %1 count in the foods index").arg(what));
    return count;
}

// Every listed entry takes at least entryBytes of what follows in the stream.
void CheckFits(FoodDatabase& database, int count, int entryBytes, const char* what)
{
    if (qint64(count) * entryBytes > database.Size() - database.Tell())
        throw FoodStreamError(
            QStringLiteral("The foods index lists more %1 than the file holds").arg(what));
}

class Budget final
{
public:
    explicit Budget(qint64 fileSize) : m_left(kBaseBytes + kBytesPerFileByte * fileSize) {}
    void Spend(qint64 bytes)
    {
        m_left -= bytes;
        if (m_left < 0)
            throw FoodStreamError(QStringLiteral("The foods index is larger than the file can "
                                                 "hold"));
    }

private:
    qint64 m_left;
};

} // namespace

DatabaseError FoodIndex::Build(FoodDatabase& database)
{
    m_database = &database;
    m_groups.clear();
    m_error.clear();
    try {
        Read(database);
    } catch (const FoodStreamError& error) {
        m_error = error.Text();
        Store::Log(Store::Error, "%s", error.what());
        return DatabaseError::Damaged;
    }
    return DatabaseError::None;
}

void FoodIndex::Read(FoodDatabase& database)
{
    std::vector<Group> groups;
    Budget memory(database.Size());

    database.Seek(0);
    const int groupCount = ReadCount(database, "group");
    CheckFits(database, groupCount, 4, "groups");
    memory.Spend(qint64(groupCount) * qint64(sizeof(Group)));
    groups.resize(size_t(groupCount));
    for (Group& group : groups)
        group.position = database.ReadLong();
    for (Group& group : groups) {
        group.name = database.ReadName();
        memory.Spend(2 * group.name.size());
        const int subgroupCount = ReadCount(database, "subgroup");
        CheckFits(database, subgroupCount, 4, "subgroups");
        memory.Spend(qint64(subgroupCount) * qint64(sizeof(Subgroup)));
        group.subgroups.resize(size_t(subgroupCount));
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
            memory.Spend(2 * subgroup.name.size());
            const int foodCount = ReadCount(database, "food");
            budget -= 4 * qint64(foodCount);
            if (budget < 0)
                throw FoodStreamError(QStringLiteral("The foods index lists more foods than the "
                                                     "file can hold"));
            CheckFits(database, foodCount, 4, "foods");
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
        // A position listed twice shares its name, and the names together hold no more
        // characters than the file has bytes: in a sound file foods do not overlap.
        QHash<std::uint32_t, QString> names;
        qint64 characters = m_database->Size();
        const QString damaged = QString::fromLatin1(FoodDatabase::kDamagedFoodName);
        std::vector<std::pair<std::uint32_t, QString>> foods;
        foods.reserve(entry.foods.size());
        for (std::uint32_t position : entry.foods) {
            auto known = names.constFind(position);
            if (known == names.constEnd()) {
                QString name =
                    characters > 0 ? m_database->SafeFoodName(std::int32_t(position)) : damaged;
                characters -= name.size();
                known = names.insert(position, name);
            }
            foods.emplace_back(position, *known);
        }
        entry.list = std::make_unique<FoodList>(entry.name, std::move(foods));
    }
    return entry.list.get();
}
