#pragma once

#include "data/DatabaseError.h"
#include "data/FoodList.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class FoodDatabase;

// The groups and subgroups of the foods stream, read once at start-up, and the food list of
// each subgroup, read the first time it is asked for and kept for the rest of the run.
class FoodIndex final
{
public:
    struct Subgroup
    {
        QString name;
        std::uint32_t position = 0;
        std::vector<std::uint32_t> foods;
        std::unique_ptr<FoodList> list; // built on first request
    };
    struct Group
    {
        QString name;
        std::uint32_t position = 0;
        std::vector<Subgroup> subgroups;
    };

    // Reads the index: Damaged, with ErrorText saying why, when the stream does not hold a
    // sound one. What the index holds stays within a few times the file's size, whatever the
    // file claims.
    DatabaseError Build(FoodDatabase& database);
    QString ErrorText() const { return m_error; }

    int GroupCount() const { return int(m_groups.size()); }
    QStringList GroupNames() const;
    QStringList SubgroupNames(int group) const;
    const std::vector<Group>& Groups() const { return m_groups; }

    // Null for a group or subgroup the index does not have. Never raises: a damaged food shows
    // under the placeholder name.
    const FoodList* Foods(int group, int subgroup);

private:
    void Read(FoodDatabase& database);

    FoodDatabase* m_database = nullptr;
    std::vector<Group> m_groups;
    QString m_error;
};
