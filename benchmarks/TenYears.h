#pragma once

// Ten years of logs (eight foods a day from a few hundred, one exercise a day) over the reference
// databases the build wrote next to the benchmarks.
#include "data/FitnessItem.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <random>
#include <vector>

namespace TenYears {

inline QString Reference(const char* file)
{
    return QDir(QStringLiteral(NUTRAVA_REFERENCE_DIR)).filePath(QString::fromLatin1(file));
}

// A data folder with user.pdb and copies of the four reference databases.
struct Folder
{
    Folder()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
        for (const char* file : {"food_data.pdb", "fitness_data.pdb", "tips.pdb", "text.pdb"})
            QFile::copy(Reference(file), dir.filePath(QString::fromLatin1(file)));
        folders.userFolder = dir.path();
        folders.referenceFolders = {dir.path()};
    }
    QTemporaryDir dir;
    DatabaseFolders folders;
};

// `first` is the first day of the ten years.
inline void FillTenYears(UserDatabase& store,
                         TimeBase::Stamp first = TimeBase::FromDate(QDate(2016, 1, 1)))
{
    std::mt19937 random(7);
    std::vector<std::uint32_t> positions;
    FoodIndex& index = *store.References().Index();
    for (int g = 0; g < index.GroupCount(); ++g) {
        for (const FoodIndex::Subgroup& subgroup : index.Groups()[size_t(g)].subgroups) {
            if (!subgroup.foods.empty())
                positions.push_back(subgroup.foods.front());
        }
    }
    positions.resize(400);
    for (int day = 0; day < 3650; ++day) {
        const TimeBase::Stamp stamp = first + TimeBase::Stamp(day) * 86400;
        for (int i = 0; i < 8; ++i) {
            auto food = std::make_unique<FoodItem>(stamp);
            food->SetFoodId(positions[random() % positions.size()]);
            food->SetQuantityIndex(int(random() % 3));
            food->SetUnitIndex(int(random() % 2));
            store.FoodLog().Append(std::move(food));
        }
        auto exercise = std::make_unique<FitnessItem>(stamp);
        exercise->SetExerciseId(1 + random() % 225);
        exercise->SetDurationIndex(int(random() % 7));
        store.FitnessLog().Append(std::move(exercise));
    }
}

// The group and subgroup with the most foods.
inline std::pair<int, int> LargestSubgroup(const FoodIndex& index)
{
    std::pair<int, int> largest{0, 0};
    size_t most = 0;
    for (int g = 0; g < index.GroupCount(); ++g) {
        const auto& subgroups = index.Groups()[size_t(g)].subgroups;
        for (size_t s = 0; s < subgroups.size(); ++s) {
            if (subgroups[s].foods.size() > most) {
                most = subgroups[s].foods.size();
                largest = {g, int(s)};
            }
        }
    }
    return largest;
}

} // namespace TenYears
