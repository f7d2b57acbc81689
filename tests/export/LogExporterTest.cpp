// The CSV export: what the files hold, read back with the CSV reader, and that neither a running
// program's lock nor a damaged file or folder leaves anything half-written.
#include "export/LogExporter.h"
#include "TestSupport.h"
#include "data/FitnessItem.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/ItemGroup.h"
#include "data/JournalItem.h"
#include "data/ReferenceDatabases.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "export/CsvReader.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using TestSupport::Add;
using TestSupport::ReadFile;

namespace {

using Rows = std::vector<QStringList>;

std::uint32_t RecordNamed(const ItemGroup* group, const QString& name)
{
    for (int i = 0; group && i < group->Count(); ++i) {
        if (group->NameAt(i) == name)
            return group->RecordAt(i);
    }
    ADD_FAILURE() << "no " << qPrintable(name);
    return 0;
}

class LogExporterTest : public ::testing::Test
{
protected:
    DatabaseFolders Folders() const
    {
        return {m_dir.path(), {m_dir.path(), QStringLiteral(NUTRAVA_REFERENCE_DIR)}};
    }
    QString Out() const { return m_dir.filePath(QStringLiteral("out")); }
    QStringList OutFiles() const
    {
        return QDir(Out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString UserFile() const { return m_dir.filePath(QStringLiteral("user.pdb")); }
    CsvReader Read(const char* file) const
    {
        CsvReader csv;
        QString error;
        EXPECT_TRUE(csv.Read(QDir(Out()).filePath(QString::fromLatin1(file)), &error))
            << qPrintable(error);
        return csv;
    }

    // A dairy food of the reference database by name.
    static std::uint32_t Food(UserDatabase& store, const char* subgroup, const char* name)
    {
        const int index = int(
            store.References().Index()->SubgroupNames(0).indexOf(QString::fromLatin1(subgroup)));
        return RecordNamed(store.References().FoodListAt(1, index), QString::fromUtf8(name));
    }

    QTemporaryDir m_dir;
    TimeBase::ScopedClock m_clock{QDateTime(QDate(2026, 3, 7), QTime(8, 0), Qt::UTC)};
};

} // namespace

// Runs while the store that wrote the file still holds its lock, as the running program does.
TEST_F(LogExporterTest, WritesWhatTheLogsShowWhileTheProgramRuns)
{
    UserDatabase store(Folders());
    ASSERT_TRUE(store.References().CanRun());
    UserProfile& profile = store.Profile();
    profile.SetUserName(QStringLiteral("Ann"));
    profile.SetAge(40);
    profile.SetHeightFromDisplay(170, true);
    profile.SetStartWeight(80, true);
    profile.SetGoalWeight(65, true); // weight class 0
    const TimeBase::Stamp march2 = TimeBase::FromDate(QDate(2026, 3, 2));
    const TimeBase::Stamp march1 = TimeBase::FromDate(QDate(2026, 3, 1));

    // Logged out of date order: the files are in date order.
    auto* butter = Add<FoodItem>(store.FoodLog(), march2);
    butter->SetFoodId(Food(store, "Butter", "Butter, salted"));
    butter->SetQuantityIndex(1);
    butter->SetUnitIndex(1); // 1 tbsp, 14.2 g
    // No fiber figure; 1 cup, 97 g.
    Add<FoodItem>(store.FoodLog(), march2)
        ->SetFoodId(Food(store, "Cheese", "Cheese, dry white, queso seco"));
    Add<FoodItem>(store.FoodLog(), march2)->SetFoodId(0x7FFFFFF0); // not in the database
    auto* cycling = Add<FitnessItem>(store.FitnessLog(), march1);
    cycling->SetExerciseId(
        RecordNamed(store.References().ExerciseGroupAt(1), QStringLiteral("Cycling to work")));
    cycling->SetDurationIndex(3); // 1 hour, 100 calories per 15 minutes in class 0
    Add<WeightItem>(store.Weights(), march1)
        ->SetKilograms(UserProfile::WeightFromDisplay(150, false));
    auto* entry = Add<JournalItem>(store.Journal(), march2);
    entry->SetSubject(QStringLiteral("Said \"no\", then \"yes\""));
    entry->SetBody(QStringLiteral("First line,\r\nsecond line: caf\u00e9 \u20ac5\n"));
    entry->SetPosted(true);
    Add<JournalItem>(store.Journal(), march1)->SetSubject(QStringLiteral("plain"));
    for (ItemKind kind : {FoodKind, FitnessKind, WeightKind, JournalKind})
        store.SaveList(store.List(kind));
    ASSERT_TRUE(store.Commit());
    const QByteArray saved = ReadFile(UserFile());

    QString message;
    ASSERT_EQ(LogExporter::Export(Folders(), Out(), false, &message), LogExporter::Exported)
        << qPrintable(message);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(Out()))) << qPrintable(message);
    EXPECT_EQ(ReadFile(UserFile()), saved);
    EXPECT_FALSE(QFile::exists(UserFile() + QStringLiteral(".bak")));

    const CsvReader foods = Read("foods.csv");
    EXPECT_EQ(foods.Header(), QStringList({"Date", "Food", "Group", "Quantity", "Unit", "Grams",
                                           "Calories", "Carbs (g)", "Fiber (g)", "Protein (g)",
                                           "Fat (g)", "Saturated Fat (g)"}));
    ASSERT_EQ(foods.Rows().size(), 3u);
    // 2 x 717 kcal x 14.2 g x 0.01 = 203.6; 0.06 g carbs come to less than one gram.
    EXPECT_EQ(foods.Rows()[0],
              QStringList({"2026-03-02", "Butter, salted", "Dairy and Egg Products", "2", "1 tbsp",
                           "28.4", "203", "0", "0", "0", "23", "14"}));
    // Grams, calories and fiber: an unknown figure is an empty cell.
    EXPECT_EQ(QStringList({foods.Rows()[1][5], foods.Rows()[1][6], foods.Rows()[1][8]}),
              QStringList({"97", "315", ""}));
    EXPECT_EQ(foods.Rows()[2], QStringList({"2026-03-02", "Unknown food", "", "1", "", "0", "", "",
                                            "", "", "", ""}));

    EXPECT_EQ(Read("exercises.csv").Rows(), Rows({{"2026-03-01", "Cycling to work", "60", "400"}}));
    EXPECT_EQ(Read("weights.csv").Rows(), Rows({{"2026-03-01", "68.04", "150"}}));

    EXPECT_EQ(Read("journal.csv").Rows(),
              Rows({{"2026-03-01", "plain", "", "no"},
                    {"2026-03-02", entry->Subject(), entry->Body(), "yes"}}));

    // days.csv: the day totals in date order, with the calories they are made of and the goal.
    EXPECT_EQ(Read("days.csv").Rows(),
              Rows({{"2026-03-01", "0", "400", "-400", "0", "0", "0", "0", "0", "191"},
                    {"2026-03-02", "518", "0", "518", "1", "0", "23", "46", "27", "191"}}));
}

TEST_F(LogExporterTest, AReadCopyStoreTakesNoLockAndWritesNothing)
{
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/broken/user_profile_v6.pdb"), UserFile()));
    const QByteArray before = ReadFile(UserFile());
    {
        UserDatabase store(Folders(), UserDatabase::OpenMode::ReadCopy);
        EXPECT_EQ(store.Error(), DatabaseError::None);
        EXPECT_FALSE(store.IsWritable());
        store.Profile().SetUserName(QStringLiteral("changed"));
        store.SaveProfile();
        store.SaveFoodLog();
        EXPECT_FALSE(store.Commit());
    }
    EXPECT_EQ(ReadFile(UserFile()), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"user.pdb"}));
}

// Every refusal says why, names the place and leaves the target as it was.
struct Refusal
{
    const char* name;
    const char* userFile; // copied from tests/data/broken; null: a sound file; "": none
    const char* target;   // below the temporary folder; absolute paths as they are
    LogExporter::Result result;
    const char* said;
};

class LogExportRefusal : public LogExporterTest, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(LogExportRefusal, LeavesNothingBehind)
{
    const Refusal& refusal = GetParam();
    if (!refusal.userFile) {
        UserDatabase(Folders()).Commit();
    } else if (*refusal.userFile) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/broken/") + refusal.userFile,
                                UserFile()));
    }
    ASSERT_TRUE(TestSupport::WriteFile(m_dir.filePath(QStringLiteral("file")), "x"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("full"))));
    ASSERT_TRUE(TestSupport::WriteFile(m_dir.filePath(QStringLiteral("full/days.csv")), "mine"));
    const QString target = QDir(m_dir.path()).filePath(QString::fromLatin1(refusal.target));
    const bool existed = QFileInfo::exists(target);
    const QStringList before = QDir(target).entryList(QDir::AllEntries | QDir::Hidden);

    QString message;
    EXPECT_EQ(LogExporter::Export(Folders(), target, false, &message), refusal.result);
    EXPECT_TRUE(message.contains(QString::fromLatin1(refusal.said))) << qPrintable(message);
    EXPECT_EQ(QFileInfo::exists(target), existed);
    if (QDir::isRelativePath(QString::fromLatin1(refusal.target))) { // not /proc, which changes
        EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden), before);
    }
    EXPECT_EQ(ReadFile(m_dir.filePath(QStringLiteral("full/days.csv"))), "mine");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogExportRefusal,
    ::testing::Values(
        Refusal{"Damaged", "offset_past_end.pdb", "out", LogExporter::NotRead, "is damaged"},
        Refusal{"NoUserFile", "", "out", LogExporter::NotRead, "There is no user.pdb in"},
        Refusal{"FilesThere", nullptr, "full", LogExporter::NotWritten,
                "full already holds days.csv; nothing was exported"},
        Refusal{"BelowAFile", nullptr, "file/out", LogExporter::NotWritten, "cannot be made"},
        Refusal{"TakesNoFiles", nullptr, "/proc", LogExporter::NotWritten,
                "/proc cannot be written"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(LogExporterTest, AFullDiskLeavesNoFileHalfWrittenAndForceReplaces)
{
    {
        UserDatabase store(Folders());
        Add<JournalItem>(store.Journal(), 0)->SetBody(QString(20000, u'x'));
        store.SaveJournal();
    }
    ASSERT_TRUE(QDir().mkpath(Out()));
    ASSERT_TRUE(TestSupport::WriteFile(QDir(Out()).filePath(QStringLiteral("days.csv")), "mine"));

    // journal.csv does not fit on the disk.
    QString message;
    {
        const TestSupport::FileSizeLimit small(4096);
        ASSERT_TRUE(small.IsSet());
        EXPECT_EQ(LogExporter::Export(Folders(), Out(), true, &message), LogExporter::NotWritten);
    }
    EXPECT_TRUE(message.contains(QStringLiteral("cannot be written"))) << qPrintable(message);
    EXPECT_EQ(OutFiles(), QStringList({"days.csv"}));

    ASSERT_EQ(LogExporter::Export(Folders(), Out(), true, &message), LogExporter::Exported);
    EXPECT_EQ(OutFiles(), QStringList({"days.csv", "exercises.csv", "foods.csv", "journal.csv",
                                       "my_foods.csv", "weights.csv"}));
    EXPECT_TRUE(ReadFile(QDir(Out()).filePath(QStringLiteral("days.csv"))).startsWith("Date,"));
}
