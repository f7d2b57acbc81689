#include "data/ReferenceDatabases.h"

#include "data/ExerciseDatabase.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/Log.h"
#include "data/NameFinder.h"
#include "data/OwnFoods.h"
#include "data/PalmDatabaseFile.h"
#include "data/QuickEntries.h"
#include "data/ReferenceValues.h"
#include "data/TextIndex.h"
#include "data/TipsDatabase.h"

#include <QFileInfo>

ReferenceDatabases::ReferenceDatabases(const DatabaseFolders& folders,
                                       const ItemList& favoriteExercises,
                                       const ItemList& favoriteFoods, const UserProfile& profile,
                                       UserSettings& settings, const QuickEntries& quick,
                                       const OwnCalories& own, const OwnFoods& ownFoods)
    : m_folders(folders), m_profile(profile), m_settings(settings), m_quick(quick), m_own(own),
      m_ownFoods(ownFoods),
      m_favoriteExerciseGroup(favoriteExercises,
                              [this](std::uint32_t record) {
                                  return m_exercises
                                             ? m_exercises->QualifiedName(std::int32_t(record))
                                             : QString();
                              }),
      m_favoriteFoodGroup(favoriteFoods, [this](std::uint32_t position) {
          if (OwnFoods::IsOwnId(position))
              return FoodAt(position).name;
          return m_foods ? m_foods->SafeFoodName(std::int32_t(position)) : QString();
      })
{
}

ReferenceDatabases::~ReferenceDatabases() = default;

Food ReferenceDatabases::FoodAt(std::uint32_t id, FoodNames names)
{
    if (QuickEntries::IsQuickId(id)) {
        if (std::optional<Food> food = m_quick.FoodOf(id))
            return *food;
    } else if (OwnFoods::IsOwnId(id)) {
        if (std::optional<Food> food =
                m_ownFoods.FoodOf(id, [this](std::uint32_t other) { return FoodAt(other); }))
            return *food;
    } else if (m_foods) {
        return m_foods->SafeReadFood(id, names);
    }
    return FoodDatabase::UnknownFood(id);
}

QString ReferenceDatabases::ReferencePath(const char16_t* databaseName) const
{
    return m_folders.ReferencePath(PalmDatabaseFile::FileNameFor(QString::fromUtf16(databaseName)));
}

void ReferenceDatabases::CannotRun(const QString& problem)
{
    m_startupProblem = problem;
    Store::Log(Store::Error, "%s", qUtf8Printable(problem));
}

QString ReferenceDatabases::FolderOf(const QString& path) const
{
    return DatabaseFolders::NativeFolder(QFileInfo(path).path());
}

void ReferenceDatabases::Open()
{
    // Installed reference files are read-only: they are opened for reading only. Where one is
    // missing, every folder it was looked for in is named.
    const auto searched = [this] {
        QStringList folders;
        for (const QString& folder : m_folders.referenceFolders)
            folders.append(DatabaseFolders::NativeFolder(folder));
        return folders.join(QStringLiteral(" or "));
    };

    const QString exercisesPath = ReferencePath(kExercisesDatabaseName);
    m_exercises = std::make_unique<ExerciseDatabase>();
    if (m_exercises->Open(exercisesPath) != DatabaseError::None) {
        Store::Log(Store::Warning, "No exercises db found");
        m_exercises.reset();
        CannotRun(QFileInfo::exists(exercisesPath)
                      ? QStringLiteral("Nutrava cannot start: the exercise database "
                                       "fitness_data.pdb in %1 cannot be read.")
                            .arg(FolderOf(exercisesPath))
                      : QStringLiteral("Nutrava cannot start: the exercise database "
                                       "fitness_data.pdb was not found in %1.")
                            .arg(searched()));
        return;
    }
    if (m_exercises->RecordCount() == 0) {
        Store::Log(Store::Warning, "No records in database");
        m_exercises.reset();
        CannotRun(QStringLiteral("Nutrava cannot start: the exercise database fitness_data.pdb "
                                 "in %1 has no records.")
                      .arg(FolderOf(exercisesPath)));
        return;
    }

    const QString foodsPath = ReferencePath(kFoodsDatabaseName);
    m_foods = std::make_unique<FoodDatabase>();
    const DatabaseError opened = m_foods->Open(foodsPath);
    if (opened != DatabaseError::None) {
        const QString why = m_foods->ErrorText(); // CannotRun logs it, in its message
        m_foods.reset();
        CannotRun(opened == DatabaseError::CannotOpen && !QFileInfo::exists(foodsPath)
                      ? QStringLiteral("Nutrava cannot start: the foods database food_data.pdb "
                                       "was not found in %1.")
                            .arg(searched())
                      : QStringLiteral("Nutrava cannot start: the foods database food_data.pdb "
                                       "in %1 cannot be read (%2).")
                            .arg(FolderOf(foodsPath), why));
        return;
    }

    m_values = std::make_unique<ReferenceValues>(*this, m_exercises.get(), m_profile);
}

QString ReferenceDatabases::StartupProblem()
{
    Index();
    return m_startupProblem;
}

FoodIndex* ReferenceDatabases::Index()
{
    if (!m_indexRead && m_foods) {
        m_indexRead = true;
        auto index = std::make_unique<FoodIndex>();
        if (index->Build(*m_foods) == DatabaseError::None) {
            m_foodIndex = std::move(index);
        } else {
            m_values.reset();
            m_foods.reset();
            CannotRun(QStringLiteral("Nutrava cannot start: the foods database food_data.pdb "
                                     "in %1 cannot be read (%2).")
                          .arg(FolderOf(ReferencePath(kFoodsDatabaseName)), index->ErrorText()));
        }
    }
    return m_foodIndex.get();
}

const TextIndex* ReferenceDatabases::Texts() const
{
    if (!m_textsOpened && m_startupProblem.isEmpty()) {
        m_textsOpened = true;
        m_texts = std::make_unique<TextIndex>();
        if (m_texts->Open(ReferencePath(kTextDatabaseName)) != DatabaseError::None) {
            Store::Log(Store::Error, "Install text database");
            m_texts.reset();
        }
    }
    return m_startupProblem.isEmpty() ? m_texts.get() : nullptr;
}

const DayValueSource* ReferenceDatabases::Values() const
{
    return m_values.get();
}

QStringList ReferenceDatabases::ExerciseGroupNamesWithFavorites() const
{
    return FavoritesGroup::WithFavorites(m_exercises ? m_exercises->GroupNames() : QStringList());
}

QStringList ReferenceDatabases::FoodGroupNamesWithFavorites()
{
    const FoodIndex* index = Index();
    return FavoritesGroup::WithFavorites(index ? index->GroupNames() : QStringList());
}

const ItemGroup* ReferenceDatabases::ExerciseGroupAt(int index) const
{
    if (index == 0)
        return &m_favoriteExerciseGroup;
    return m_exercises ? m_exercises->GroupAt(index - 1) : nullptr;
}

QStringList ReferenceDatabases::ExerciseNamesAt(int index) const
{
    QStringList names;
    if (const ItemGroup* group = ExerciseGroupAt(index)) {
        for (int i = 0; i < group->Count(); ++i)
            names.append(group->NameAt(i));
    }
    return names;
}

const ItemGroup* ReferenceDatabases::FoodListAt(int group, int subgroup)
{
    if (group == 0)
        return &m_favoriteFoodGroup;
    FoodIndex* index = Index();
    return index ? index->Foods(group - 1, subgroup) : nullptr;
}

const NameFinder& ReferenceDatabases::FoodFinder()
{
    if (!m_foodFinder)
        m_foodFinder = std::make_unique<NameFinder>(
            Index() ? NameFinder::ForFoods(*m_foods, *m_foodIndex) : NameFinder());
    return *m_foodFinder;
}

const NameFinder& ReferenceDatabases::ExerciseFinder()
{
    if (!m_exerciseFinder)
        m_exerciseFinder = std::make_unique<NameFinder>(
            m_exercises ? NameFinder::ForExercises(*m_exercises) : NameFinder());
    return *m_exerciseFinder;
}

QString ReferenceDatabases::DailyTip()
{
    return TipsDatabase::DailyTip(ReferencePath(kTipsDatabaseName), m_settings);
}
