#include "data/UserDatabase.h"

#include "data/DaySummary.h"
#include "data/DayValueSource.h"
#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/FoodStreamError.h"
#include "data/Log.h"
#include "data/RecordStream.h"
#include "data/ReferenceValues.h"
#include "data/TextIndex.h"
#include "data/TipsDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cstdarg>

namespace {

UserDatabase* g_instance = nullptr;

constexpr int kListKinds[] = {FitnessKind,          FoodKind,         JournalKind,
                              FavoriteExerciseKind, FavoriteFoodKind, WeightKind};

QString NativeFolder(const QString& folder)
{
    return QDir::toNativeSeparators(QDir(folder).absolutePath());
}

} // namespace

UserDatabase::UserDatabase(const DatabaseFolders& folders, OpenMode mode)
    : m_folders(folders), m_mode(mode),
      m_favoriteExerciseGroup(m_favoriteExercises,
                              [this](std::uint32_t record) {
                                  return m_exercises
                                             ? m_exercises->QualifiedName(std::int32_t(record))
                                             : QString();
                              }),
      m_favoriteFoodGroup(m_favoriteFoods, [this](std::uint32_t position) {
          return m_foods ? m_foods->SafeFoodName(std::int32_t(position)) : QString();
      })
{
    OpenUserFile();
    if (m_file.IsOpen())
        ReadUserRecords();
    OpenReferenceDatabases();
}

UserDatabase::~UserDatabase()
{
    if (g_instance == this)
        g_instance = nullptr;
    if (IsWritable()) {
        Commit();
        m_file.Close();
    } else {
        m_file.CloseWithoutSaving();
    }
}

UserDatabase* UserDatabase::Instance()
{
    return g_instance;
}

QString UserDatabase::UserFilePath() const
{
    return m_folders.UserPath(PalmDatabaseFile::FileNameFor(QString::fromUtf16(kUserDatabaseName)));
}

void UserDatabase::SetState(State state, const QString& text)
{
    m_state = state;
    m_stateText = text;
    Store::Log(Store::Error, "%s", qUtf8Printable(text));
}

void UserDatabase::OpenUserFile()
{
    if (m_mode == ReadCopy) {
        OpenCopy();
        return;
    }
    const QString path = UserFilePath();
    const QString folder = NativeFolder(m_folders.userFolder);

    m_lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // stale only when its owner is gone
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            SetState(Locked, QStringLiteral("user.pdb in %1 is in use by another running copy of "
                                            "Nutrava.")
                                 .arg(folder));
            return;
        }
        // The folder does not take the lock file: show what is there, save nothing.
        SetState(NotWritable,
                 QStringLiteral("The folder %1 cannot be written, so nothing you enter can be "
                                "saved.")
                     .arg(folder));
        m_file.Open(path, false);
        return;
    }

    m_file.SetExactRecordLengths(true);
    m_file.SetAtomicSave(QStringLiteral(".bak"));
    const int created =
        m_file.Create(path, QString::fromUtf16(kUserDatabaseName), PalmDatabaseFile::FourCC("QZRW"),
                      PalmDatabaseFile::FourCC("data"));
    if (created == PalmDatabaseFile::Ok) {
        m_created = true;
        SaveProfile();
        for (int kind : kListKinds)
            SaveList(List(kind));
        SaveSettings();
        // A valid file from the first moment, so that a crash cannot leave an empty one.
        Commit();
        return;
    }
    if (!QFileInfo::exists(path)) {
        SetState(
            NotWritable,
            QStringLiteral("user.pdb cannot be created in %1: %2").arg(folder, m_file.ErrorText()));
        return;
    }
    Opened(m_file.Open(path));
}

void UserDatabase::OpenCopy()
{
    // Not writable from the first moment: nothing below may save.
    const QString folder = NativeFolder(m_folders.userFolder);
    m_state = ReadOnly;
    m_stateText = QStringLiteral("user.pdb in %1 is open for reading only.").arg(folder);
    if (!QFileInfo::exists(UserFilePath())) {
        SetState(Unreadable, QStringLiteral("There is no user.pdb in %1.").arg(folder));
        return;
    }
    Opened(m_file.OpenCopy(UserFilePath()));
}

void UserDatabase::Opened(int result)
{
    const QString folder = NativeFolder(m_folders.userFolder);
    switch (result) {
    case PalmDatabaseFile::Ok:
        return;
    case PalmDatabaseFile::CannotOpen:
        SetState(
            Unreadable,
            QStringLiteral("user.pdb in %1 cannot be opened: %2").arg(folder, m_file.ErrorText()));
        return;
    default:
        SetState(Unreadable,
                 QStringLiteral("user.pdb in %1 is damaged (%2).").arg(folder, m_file.ErrorText()));
        m_file.CloseWithoutSaving();
        return;
    }
}

void UserDatabase::ReadUserRecords()
{
    if (m_file.HasRecord(kProfileRecord)) {
        RecordStream stream(m_file, kProfileRecord);
        if (!m_profile.Load(stream)) {
            Log(Store::Info, "Old format user database");
            SaveProfile();
        }
    } else {
        SaveProfile();
    }

    for (int kind : kListKinds) {
        if (m_file.HasRecord(kind)) {
            RecordStream stream(m_file, kind);
            List(kind).Load(stream);
        }
    }

    if (m_file.HasRecord(kSettingsRecord)) {
        RecordStream stream(m_file, kSettingsRecord);
        m_settings.Load(stream);
    }
}

QString UserDatabase::ReferencePath(const char16_t* databaseName) const
{
    return m_folders.ReferencePath(PalmDatabaseFile::FileNameFor(QString::fromUtf16(databaseName)));
}

void UserDatabase::CannotRun(const QString& problem)
{
    m_startupProblem = problem;
    Log(Store::Error, "%s", qUtf8Printable(problem));
}

void UserDatabase::OpenReferenceDatabases()
{
    // Installed reference files are read-only: they are opened for reading only. Where one is
    // missing, every folder it was looked for in is named.
    QStringList folders;
    for (const QString& folder : m_folders.referenceFolders)
        folders.append(NativeFolder(folder));
    const QString searched = folders.join(QStringLiteral(" or "));
    auto folderOf = [](const QString& path) { return NativeFolder(QFileInfo(path).path()); };

    const QString exercisesPath = ReferencePath(kExercisesDatabaseName);
    m_exercises = std::make_unique<ExerciseDatabase>();
    if (m_exercises->Open(exercisesPath) != PalmDatabaseFile::Ok) {
        Log(Store::Warning, "No exercises db found");
        m_exercises.reset();
        CannotRun(QFileInfo::exists(exercisesPath)
                      ? QStringLiteral("Nutrava cannot start: the exercise database "
                                       "fitness_data.pdb in %1 cannot be read.")
                            .arg(folderOf(exercisesPath))
                      : QStringLiteral("Nutrava cannot start: the exercise database "
                                       "fitness_data.pdb was not found in %1.")
                            .arg(searched));
        g_instance = this;
        return;
    }
    if (!m_exercises->ReadGroups()) {
        m_exercises.reset();
        CannotRun(QStringLiteral("Nutrava cannot start: the exercise database fitness_data.pdb "
                                 "in %1 has no records.")
                      .arg(folderOf(exercisesPath)));
        g_instance = this;
        return;
    }

    const QString foodsPath = ReferencePath(kFoodsDatabaseName);
    try {
        m_foods = std::make_unique<FoodDatabase>(foodsPath);
        m_foodIndex = std::make_unique<FoodIndex>();
        m_foodIndex->Build(*m_foods);
    } catch (const FoodStreamError& error) {
        Log(Store::Error, "%s", error.what());
        m_foodIndex.reset();
        m_foods.reset();
        CannotRun(QFileInfo::exists(foodsPath)
                      ? QStringLiteral("Nutrava cannot start: the foods database food_data.pdb "
                                       "in %1 cannot be read (%2).")
                            .arg(folderOf(foodsPath), error.Text())
                      : QStringLiteral("Nutrava cannot start: the foods database food_data.pdb "
                                       "was not found in %1.")
                            .arg(searched));
        g_instance = this;
        return;
    }

    m_referenceValues =
        std::make_unique<ReferenceValues>(m_exercises.get(), m_foods.get(), m_profile);
    SetDayValueSource(m_referenceValues.get());
    g_instance = this;

    m_texts = std::make_unique<TextIndex>();
    if (!m_texts->Open(ReferencePath(kTextDatabaseName))) {
        Log(Store::Error, "Install text database");
        m_texts.reset();
    }
}

QStringList UserDatabase::ExerciseGroupNamesWithFavorites() const
{
    return FavoritesGroup::WithFavorites(m_exercises ? m_exercises->GroupNames() : QStringList());
}

QStringList UserDatabase::FoodGroupNamesWithFavorites() const
{
    return FavoritesGroup::WithFavorites(m_foodIndex ? m_foodIndex->GroupNames() : QStringList());
}

const ItemGroup* UserDatabase::ExerciseGroupAt(int index) const
{
    if (index == 0)
        return &m_favoriteExerciseGroup;
    return m_exercises ? m_exercises->GroupAt(index - 1) : nullptr;
}

QStringList UserDatabase::ExerciseNamesAt(int index) const
{
    QStringList names;
    if (const ItemGroup* group = ExerciseGroupAt(index)) {
        for (int i = 0; i < group->Count(); ++i)
            names.append(group->NameAt(i));
    }
    return names;
}

const ItemGroup* UserDatabase::FoodListAt(int group, int subgroup)
{
    if (group == 0)
        return &m_favoriteFoodGroup;
    return m_foodIndex ? m_foodIndex->Foods(group - 1, subgroup) : nullptr;
}

QString UserDatabase::DailyTip()
{
    return TipsDatabase::DailyTip(ReferencePath(kTipsDatabaseName), m_settings);
}

ItemList& UserDatabase::List(int kind)
{
    switch (kind) {
    case FitnessKind:
        return m_fitnessLog;
    case FoodKind:
        return m_foodLog;
    case JournalKind:
        return m_journal;
    case FavoriteExerciseKind:
        return m_favoriteExercises;
    case FavoriteFoodKind:
        return m_favoriteFoods;
    default:
        return m_weights;
    }
}

std::unique_ptr<Item> UserDatabase::CreateItem(int kind, TimeBase::Stamp day)
{
    return Item::Create(kind, day);
}

void UserDatabase::SaveProfile()
{
    if (!IsWritable())
        return;
    RecordStream stream(m_file);
    stream.OpenNew(kProfileRecord);
    m_profile.Save(stream);
    stream.Flush();
    m_profile.ClearChanged();
}

void UserDatabase::SaveSettings()
{
    if (!IsWritable())
        return;
    RecordStream stream(m_file);
    stream.OpenNew(kSettingsRecord);
    m_settings.Save(stream);
    stream.Flush();
    m_settings.ClearChanged();
}

void UserDatabase::SaveList(const ItemList& list)
{
    if (!IsWritable())
        return;
    if (m_file.RecordCount() == 0) {
        Log(Store::Error, "User record was not created OK");
        return;
    }
    // A fresh record each time: the record takes exactly the list's length.
    RecordStream stream(m_file);
    stream.OpenNew(list.Kind());
    list.Save(stream);
    stream.Flush();
}

bool UserDatabase::Commit()
{
    if (!IsWritable())
        return false;
    if (m_settings.Changed())
        SaveSettings();
    if (m_profile.Changed())
        SaveProfile();
    if (!m_file.IsDirty())
        return true;
    if (!m_file.Save()) {
        Log(Store::Error, "user.pdb was not saved: %s", qUtf8Printable(m_file.ErrorText()));
        return false;
    }
    return true;
}

void UserDatabase::BuildDaySummaries(ItemList& target, const DayValueSource* values) const
{
    struct Day
    {
        TimeBase::Stamp stamp;
        std::vector<const FitnessItem*> fitness;
        std::vector<const FoodItem*> food;
    };
    // One pass per log instead of a scan per day: same days, same order, same sums.
    std::vector<Day> days;
    QHash<TimeBase::Stamp, size_t> indexOf;
    auto dayFor = [&](TimeBase::Stamp stamp) -> Day& {
        auto it = indexOf.constFind(stamp);
        if (it != indexOf.constEnd())
            return days[*it];
        indexOf.insert(stamp, days.size());
        days.push_back(Day{stamp, {}, {}});
        return days.back();
    };
    for (int i = 0; i < m_fitnessLog.Count(); ++i) {
        const auto* item = m_fitnessLog.ItemAt<FitnessItem>(i);
        dayFor(item->Day()).fitness.push_back(item);
    }
    for (int i = 0; i < m_foodLog.Count(); ++i) {
        const auto* item = m_foodLog.ItemAt<FoodItem>(i);
        dayFor(item->Day()).food.push_back(item);
    }

    for (const Day& day : days) {
        // Unsigned sums wrap like the 32-bit sums they stand for, without overflow.
        std::uint32_t burned = 0;
        std::uint32_t sums[DaySummary::FieldCount] = {};
        if (values) {
            for (const FitnessItem* item : day.fitness)
                burned += std::uint32_t(values->ExerciseCalories(*item));
            for (const FoodItem* item : day.food) {
                for (int field = 0; field < DaySummary::FieldCount; ++field) {
                    const std::int32_t value = values->FoodValue(*item, field);
                    if (value > 0)
                        sums[field] += std::uint32_t(value);
                }
            }
        }
        auto summary = std::make_unique<DaySummary>(day.stamp);
        summary->SetValue(DaySummary::NetCalories, std::int32_t(sums[0] - burned));
        for (int field = 1; field < DaySummary::FieldCount; ++field)
            summary->SetValue(field, std::int32_t(sums[field]));
        target.Append(std::move(summary));
    }
}

void UserDatabase::Log(int severity, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Store::LogV(severity, format, args);
    va_end(args);
}
