#pragma once

#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <vector>

// What the logged items refer to. Sums take any ids; the export names every item, so it is
// given the real foods and exercises, each logged food a different one as far as they go.
struct Catalogue
{
    std::vector<std::uint32_t> foods;
    int exercises = 0; // record count of the exercise database

    static Catalogue Reference(const QString& folder)
    {
        Catalogue catalogue;
        FoodDatabase foods;
        foods.Open(folder + QStringLiteral("/food_data.pdb"));
        FoodIndex index;
        index.Build(foods);
        for (const FoodIndex::Group& group : index.Groups()) {
            for (const FoodIndex::Subgroup& subgroup : group.subgroups)
                catalogue.foods.insert(catalogue.foods.end(), subgroup.foods.begin(),
                                       subgroup.foods.end());
        }
        ExerciseDatabase exercises;
        exercises.Open(folder + QStringLiteral("/fitness_data.pdb"));
        catalogue.exercises = exercises.RecordCount();
        return catalogue;
    }
    std::uint32_t Food(int n) const
    {
        const auto id = std::uint32_t(n) * 37;
        return foods.empty() ? id : foods[id % foods.size()];
    }
    std::uint32_t Exercise(int n) const
    {
        return exercises > 1 ? std::uint32_t(1 + n % (exercises - 1)) : std::uint32_t(n);
    }
};

// Daily use, `days` long from `first`: eight foods, two exercises and a weight a day, and a
// journal entry on most days. Nothing is saved.
inline void FillHistory(UserDatabase& store, int days, const Catalogue& catalogue = {},
                        TimeBase::Stamp first = TimeBase::FromDate(QDate(2016, 1, 1)))
{
    for (int d = 0; d < days; ++d) {
        const TimeBase::Stamp day = first + TimeBase::Stamp(d) * 86400;
        for (int f = 0; f < 8; ++f) {
            auto* food = static_cast<FoodItem*>(
                store.FoodLog().Append(UserDatabase::CreateItem(FoodKind, day)));
            food->SetFoodId(catalogue.Food(d * 8 + f));
            food->SetQuantityIndex((d + f) % 3);
            food->SetUnitIndex(f % 2);
        }
        for (int e = 0; e < 2; ++e) {
            auto* fitness = static_cast<FitnessItem*>(
                store.FitnessLog().Append(UserDatabase::CreateItem(FitnessKind, day)));
            fitness->SetExerciseId(catalogue.Exercise(d + e));
            fitness->SetDurationIndex((d + e) % 7);
        }
        static_cast<WeightItem*>(store.Weights().Append(UserDatabase::CreateItem(WeightKind, day)))
            ->SetKilograms(80.0f - d * 0.001f);
    }
    for (int j = 0; j < days * 1000 / 3650; ++j) {
        auto* entry = static_cast<JournalItem*>(
            store.Journal().Append(UserDatabase::CreateItem(JournalKind, first + j * 86400u)));
        entry->SetSubject(QStringLiteral("Entry %1").arg(j));
        entry->SetBody(QString(290, u'x'));
    }
}

// The history written once into a temporary folder.
// A profile past the first start, so the home screen's tiles lead to their pages.
inline void CompleteProfile(UserProfile& profile)
{
    profile.SetUserName(QStringLiteral("Ann"));
    profile.SetAge(30);
    profile.SetHeightFromDisplay(170, true);
    profile.SetStartWeight(80, true);
    profile.SetGoalWeight(70, true);
}

class TenYearHistory
{
public:
    explicit TenYearHistory(int days, const Catalogue& catalogue = {})
    {
        QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
        UserDatabase store(Folders());
        FillHistory(store, days, catalogue);
        store.SaveFoodLog();
        store.SaveFitnessLog();
        store.SaveWeights();
        store.SaveJournal();
    }

    DatabaseFolders Folders() const { return {m_dir.path(), {m_dir.path()}}; }

private:
    QTemporaryDir m_dir;
};

inline QString ReferenceFile(const char* file)
{
    return QDir(QStringLiteral(NUTRAVA_REFERENCE_DIR)).filePath(QString::fromLatin1(file));
}

// A data folder with copies of the four reference databases the build wrote.
struct ReferenceCopies
{
    ReferenceCopies()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
        for (const char* file : {"food_data.pdb", "fitness_data.pdb", "tips.pdb", "text.pdb"})
            QFile::copy(ReferenceFile(file), dir.filePath(QString::fromLatin1(file)));
        folders.userFolder = dir.path();
        folders.referenceFolders = {dir.path()};
    }
    QTemporaryDir dir;
    DatabaseFolders folders;
};

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
