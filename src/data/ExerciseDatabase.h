#pragma once

#include "data/Exercise.h"
#include "data/ExerciseGroup.h"
#include "data/PalmDatabaseFile.h"

#include <QStringList>

#include <optional>
#include <vector>

// The exercise database: record 0 lists the groups, every other record is one exercise, whose
// record number is what a fitness log item stores. Records are read on demand.
class ExerciseDatabase final
{
public:
    ExerciseDatabase() = default;
    ExerciseDatabase(const ExerciseDatabase&) = delete;
    ExerciseDatabase& operator=(const ExerciseDatabase&) = delete;

    // The container's result; the file is opened read-only and the groups are read when first
    // asked for.
    DatabaseError Open(const QString& path);
    // Reads the groups now. NoRecords (and "No records in database") when the file has no
    // records. A group index that ends early keeps the groups before the end.
    DatabaseError ReadGroups() { return LoadGroups(); }

    int RecordCount() const { return int(m_file.RecordCount()); }
    const std::vector<ExerciseGroup>& Groups() const;
    QStringList GroupNames() const;
    const ExerciseGroup* GroupAt(int index) const;

    // A record outside the database reads as an exercise with no name and no calories.
    Exercise ReadExercise(int record) const;
    QString ExerciseName(int record) const;
    const ExerciseGroup* GroupOf(int record) const;
    // "Group: Name", with "Unknown" for a record no group covers.
    QString QualifiedName(int record) const;
    // The calories per 15 minutes of a record for a weight class, read once per record.
    std::int32_t Calories(int record, int weightClass) const;

private:
    bool IsExercise(int record) const { return record >= 1 && record < RecordCount(); }
    DatabaseError LoadGroups() const;

    // Reading moves only the file position: the readers stay const for the item groups.
    mutable PalmDatabaseFile m_file;
    mutable std::vector<ExerciseGroup> m_groups;
    mutable bool m_groupsRead = false;
    mutable std::vector<std::optional<Exercise>> m_cache;
};
