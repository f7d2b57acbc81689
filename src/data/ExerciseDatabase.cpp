#include "data/ExerciseDatabase.h"

#include "data/Log.h"
#include "data/RecordStream.h"

#include <algorithm>

QString ExerciseGroup::NameAt(int index) const
{
    if (!m_source)
        return QStringLiteral("undefined");
    return m_source->ExerciseName(int(RecordAt(index)));
}

DatabaseError ExerciseDatabase::Open(const QString& path)
{
    m_groups.clear();
    m_groupsRead = false;
    m_cache.clear();
    const DatabaseError result = m_file.Open(path, false);
    if (result == DatabaseError::None)
        m_cache.resize(m_file.RecordCount());
    return result;
}

DatabaseError ExerciseDatabase::LoadGroups() const
{
    m_groups.clear();
    m_groupsRead = true;
    if (m_file.RecordCount() == 0) {
        Store::Log(Store::Warning, "No records in database");
        return DatabaseError::NoRecords;
    }
    RecordStream stream(m_file, 0);
    const int count = stream.ReadInt16();
    const int lastRecord = RecordCount() - 1;
    for (int i = 0; i < count; ++i) {
        const int value = stream.ReadInt16();
        const QString name = stream.ReadText();
        int first = stream.ReadInt16();
        int last = stream.ReadInt16();
        if (!stream.Ok()) {
            Store::Log(Store::Warning, "Exercise group index ends after %d of %d groups", i, count);
            break;
        }
        // Record 0 is the index itself, and nothing lies past the last record.
        if (first < 1 || last > lastRecord) {
            Store::Log(Store::Warning, "Exercise group %s (%d to %d) reaches outside the database",
                       qUtf8Printable(name), first, last);
            first = std::max(first, 1);
            last = std::min(last, lastRecord);
        }
        m_groups.emplace_back(value, name, first, last, this);
    }
    return DatabaseError::None;
}

const std::vector<ExerciseGroup>& ExerciseDatabase::Groups() const
{
    if (!m_groupsRead)
        LoadGroups();
    return m_groups;
}

QStringList ExerciseDatabase::GroupNames() const
{
    QStringList names;
    for (const ExerciseGroup& group : Groups())
        names.append(group.Title());
    return names;
}

const ExerciseGroup* ExerciseDatabase::GroupAt(int index) const
{
    const std::vector<ExerciseGroup>& groups = Groups();
    return index >= 0 && size_t(index) < groups.size() ? &groups[size_t(index)] : nullptr;
}

Exercise ExerciseDatabase::ReadExercise(int record) const
{
    Exercise exercise;
    if (!IsExercise(record))
        return exercise;
    std::optional<Exercise>& cached = m_cache[size_t(record)];
    if (!cached) {
        RecordStream stream(m_file, record);
        stream.ReadInt16(); // the activity code
        exercise.name = stream.ReadText();
        for (std::int32_t& figure : exercise.calories)
            figure = stream.ReadInt16();
        cached = exercise;
    }
    return *cached;
}

QString ExerciseDatabase::ExerciseName(int record) const
{
    return ReadExercise(record).name;
}

const ExerciseGroup* ExerciseDatabase::GroupOf(int record) const
{
    for (const ExerciseGroup& group : Groups()) {
        if (group.Contains(record))
            return &group;
    }
    return nullptr;
}

QString ExerciseDatabase::QualifiedName(int record) const
{
    const ExerciseGroup* group = GroupOf(record);
    return (group ? group->Title() : QStringLiteral("Unknown")) + QStringLiteral(": ") +
           ExerciseName(record);
}

std::int32_t ExerciseDatabase::Calories(int record, int weightClass) const
{
    return ReadExercise(record).CaloriesFor(weightClass);
}
