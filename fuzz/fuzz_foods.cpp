// The foods stream: the index built from any file, and every food it lists read through it.
#include "FuzzSupport.h"

#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodList.h"

#include <unordered_set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = Fuzz::WriteInput(data, size, QStringLiteral("food_data.pdb"));
    FoodDatabase database;
    FoodIndex index;
    if (database.Open(path) != DatabaseError::None || index.Build(database) != DatabaseError::None)
        return 0;
    // A food is read once, and only when its name could be read: the name's bytes come first, so
    // a food without one fails where the name did. Each failure costs an exception, and a damaged
    // index lists thousands.
    std::unordered_set<std::uint32_t> read;
    const QString damaged = QString::fromLatin1(FoodDatabase::kDamagedFoodName);
    for (int group = 0; group < index.GroupCount(); ++group) {
        index.SubgroupNames(group);
        const auto& subgroups = index.Groups()[size_t(group)].subgroups;
        for (int subgroup = 0; subgroup < int(subgroups.size()); ++subgroup) {
            const FoodList* foods = index.Foods(group, subgroup);
            Fuzz::Require(foods != nullptr, "every listed subgroup has a food list");
            for (int i = 0; i < foods->Count(); ++i) {
                if (foods->NameAt(i) != damaged && read.insert(foods->RecordAt(i)).second)
                    database.SafeReadFood(std::int32_t(foods->RecordAt(i)));
            }
        }
    }
    return 0;
}
