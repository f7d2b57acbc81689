// The exercise database: the group index and every exercise any group or record number names.
#include "FuzzSupport.h"

#include "data/ExerciseDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = Fuzz::WriteInput(data, size, QStringLiteral("fitness_data.pdb"));
    ExerciseDatabase database;
    if (database.Open(path) != DatabaseError::None || database.ReadGroups() != DatabaseError::None)
        return 0;
    database.GroupNames();
    for (const ExerciseGroup& group : database.Groups()) {
        for (int i = 0; i < group.Count(); ++i)
            group.NameAt(i);
    }
    // Record numbers come from user.pdb too, so any of them may be asked for.
    for (int record = -1; record <= database.RecordCount(); ++record) {
        database.QualifiedName(record);
        for (int weightClass = -1; weightClass <= 3; ++weightClass)
            database.Calories(record, weightClass);
    }
    return 0;
}
