#include "data/UserDatabase.h"
#include "ReferenceTestSupport.h"
#include "data/DaySummaries.h"
#include "data/DaySummary.h"
#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/RecordStream.h"
#include "data/WeightItem.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::Add;
using TestSupport::Hex;
using TestSupport::ReadFile;

namespace {

const QDateTime kNow(QDate(2026, 1, 31), QTime(10, 0, 0));
const ItemKind kUserLists[] = {FitnessKind,          FoodKind,         JournalKind,
                               FavoriteExerciseKind, FavoriteFoodKind, WeightKind};

class UserDatabaseTest : public ::testing::Test
{
protected:
    DatabaseFolders Folders() const { return {m_dir.path(), {m_dir.path()}}; }
    QString UserFile() const { return m_dir.filePath(QStringLiteral("user.pdb")); }
    static QString Broken(const char* name)
    {
        return QStringLiteral(NUTRAVA_TEST_DATA "/broken/") + QString::fromLatin1(name);
    }
    // A store on a copy of a damaged user file.
    std::unique_ptr<UserDatabase> OpenBroken(const char* name)
    {
        EXPECT_TRUE(QFile::copy(Broken(name), UserFile()));
        return std::make_unique<UserDatabase>(Folders());
    }

    // The record bytes of a saved user.pdb.
    static QByteArray Record(const QByteArray& file, int index)
    {
        const int count = qFromBigEndian<std::uint16_t>(file.constData() + 76);
        const auto offset = [&](int i) {
            return i < count ? int(qFromBigEndian<std::uint32_t>(file.constData() + 78 + 8 * i))
                             : int(file.size());
        };
        return file.mid(offset(index), offset(index + 1) - offset(index));
    }

    QTemporaryDir m_dir;
    TimeBase::ScopedClock m_clock{kNow};
};

class FixedValues final : public DayValueSource
{
public:
    std::int32_t ExerciseCalories(const FitnessItem& item) const override
    {
        return std::int32_t(item.ExerciseId()) * 10;
    }
    std::int32_t FoodValue(const FoodItem& item, int field) const override
    {
        // Food id 99 stands for a food whose values come out negative.
        return item.FoodId() == 99 ? -50 : std::int32_t(item.FoodId()) + field;
    }
};

} // namespace

TEST_F(UserDatabaseTest, FirstStartWritesTheDefaultFileByteForByte)
{
    EXPECT_TRUE(UserDatabase(Folders()).WasCreated());
    const QByteArray file = ReadFile(UserFile());
    ASSERT_GE(file.size(), 78 + 9 * 8);
    EXPECT_EQ(qFromBigEndian<std::uint16_t>(file.constData() + 76), 9);
    EXPECT_EQ(file.mid(60, 8), QByteArray("dataQZRW"));

    const auto stamp = [](QDate date) {
        return QByteArray::number(TimeBase::FromDate(date), 16).rightJustified(8, '0');
    };
    EXPECT_EQ(Record(file, 0).toHex(), QByteArray("0007") + QByteArray(30, '0') +
                                           stamp(QDate(2026, 1, 31)) + stamp(QDate(2026, 3, 31)) +
                                           QByteArray(22, '0'));
    for (int list : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(Record(file, list), Hex("0000")) << list;
    EXPECT_EQ(Record(file, 6), QByteArray());
    EXPECT_EQ(Record(file, 8), Hex("000100010000000000000000"));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(file.mid(78 + 8 * i + 4, 4), Hex("000000") + char(i))
            << "attributes and id of entry " << i;
}

TEST_F(UserDatabaseTest, EveryItemKindAndTheProfileSurviveARoundTrip)
{
    const TimeBase::Stamp day = TimeBase::FromDate(QDate(2026, 1, 20));
    {
        UserDatabase store(Folders());
        UserProfile& p = store.Profile();
        p.SetUserName(QString::fromUtf8("Zoë"));
        p.SetAge(41);
        p.SetHeightFromDisplay(172.5f, true);
        p.SetStartWeight(81.25f, true);
        p.SetGoalWeight(72.0f, true);
        p.SetFoodTracking(5);
        p.SetLaunchCount(3);
        p.SetFlags(2 | 8 | 0x100);
        p.SetBlogName(QStringLiteral("myblog"));
        p.SetBlogEmail(QStringLiteral("me@example.org"));
        p.SetBlogPassword(QStringLiteral("secret"));
        store.Settings().SetMetric(2);
        store.Settings().SetTipDay(day);
        store.Settings().SetLastFoodGroup(0);

        auto* fitness = Add<FitnessItem>(store.FitnessLog(), day);
        fitness->SetExerciseId(17);
        fitness->SetDurationIndex(6);
        auto* food = Add<FoodItem>(store.FoodLog(), day);
        food->SetFoodId(123456);
        food->SetQuantityIndex(2);
        food->SetUnitIndex(1);
        auto* entry = Add<JournalItem>(store.Journal(), day);
        entry->SetPosted(true);
        entry->SetSubject(QStringLiteral("Monday"));
        entry->SetBody(QString::fromUtf8("Ran 5 km — felt good"));
        Add(store.FavoriteExercises(), day)->SetReference(17);
        Add(store.FavoriteFoods(), day)->SetReference(9);
        Add<WeightItem>(store.Weights(), day)->SetKilograms(80.4f);
        for (ItemKind kind : kUserLists)
            store.SaveList(store.List(kind));
    }

    UserDatabase store(Folders());
    EXPECT_FALSE(store.WasCreated());
    const UserProfile& p = store.Profile();
    EXPECT_EQ(QStringList({p.GetUserName(), p.BlogName(), p.BlogEmail(), p.BlogPassword()}),
              QStringList({QString::fromUtf8("Zoë"), "myblog", "me@example.org", "secret"}));
    EXPECT_EQ(std::tuple(p.GetAge(), p.HeightCm(), p.StartWeightKg(), p.GoalWeightKg()),
              std::tuple(41, 172.5f, 81.25f, 72.0f));
    EXPECT_EQ(std::tuple(p.GetFoodTracking(), p.LaunchCount(), p.Flags()),
              std::tuple(5, 3, 2 | 8 | 0x100));
    EXPECT_FALSE(p.Changed());
    const UserSettings& settings = store.Settings();
    EXPECT_EQ(std::tuple(settings.Metric(), settings.TipDay(), settings.LastFoodGroup(),
                         settings.LastExerciseGroup()),
              std::tuple(2u, day, 0, 1));
    EXPECT_FALSE(settings.Changed());

    for (ItemKind kind : kUserLists)
        ASSERT_EQ(store.List(kind).Count(), 1) << kind;
    const auto* fitness = store.FitnessLog().ItemAt<FitnessItem>(0);
    EXPECT_EQ(std::tuple(fitness->Day(), fitness->ExerciseId(), fitness->DurationIndex()),
              std::tuple(day, 17u, 6));
    const auto* food = store.FoodLog().ItemAt<FoodItem>(0);
    EXPECT_EQ(std::tuple(food->FoodId(), food->QuantityIndex(), food->UnitIndex()),
              std::tuple(123456u, 2, 1));
    const auto* entry = store.Journal().ItemAt<JournalItem>(0);
    EXPECT_EQ(
        std::tuple(entry->Posted(), entry->Subject(), entry->Body()),
        std::tuple(true, QStringLiteral("Monday"), QString::fromUtf8("Ran 5 km — felt good")));
    EXPECT_EQ(std::tuple(store.FavoriteExercises().At(0)->Reference(),
                         store.FavoriteFoods().At(0)->Reference(),
                         store.Weights().ItemAt<WeightItem>(0)->Kilograms()),
              std::tuple(17u, 9u, 80.4f));
}

TEST_F(UserDatabaseTest, DeletedJournalTextIsGoneFromTheFile)
{
    {
        UserDatabase store(Folders());
        for (const char* subject : {"keep me", "forget me"}) {
            auto* e = Add<JournalItem>(store.Journal(), 1);
            e->SetSubject(QString::fromLatin1(subject));
            e->SetBody(QStringLiteral("private body of ") + QString::fromLatin1(subject));
        }
        store.SaveJournal();
        ASSERT_TRUE(store.Commit());
        ASSERT_TRUE(ReadFile(UserFile()).contains("forget me"));
        EXPECT_NE(store.Journal().RemoveByUid(1), nullptr);
        store.SaveJournal();
    }
    const QByteArray file = ReadFile(UserFile());
    EXPECT_EQ(std::pair(file.contains("forget me"), file.contains("private body of keep me")),
              std::pair(false, true));
    UserDatabase store(Folders());
    ASSERT_EQ(store.Journal().Count(), 1);
    EXPECT_EQ(store.Journal().ItemAt<JournalItem>(0)->Subject(), QStringLiteral("keep me"));
}

TEST_F(UserDatabaseTest, UidsCountFromZeroEachRunAndUnknownUidsRemoveNothing)
{
    UserDatabase store(Folders());
    ItemList& weights = store.Weights();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Add(weights)->Uid(), i);
    EXPECT_EQ(weights.RemoveByUid(1)->Uid(), 1);
    EXPECT_EQ(Add(weights)->Uid(), 3);
    EXPECT_EQ(weights.RemoveByUid(42), nullptr);
    EXPECT_EQ(UserDatabase::CreateItem(DaySummaryKind, 0), nullptr);
}

// A start keeps each whole list record and decodes it on first use: what comes out, the uids,
// what is added after and what is saved again must be what reading it at once gives.
TEST(ItemList, ARecordKeptForLaterLoadsAsAtOnceAndADamagedOneIsNotKept)
{
    for (ItemKind kind : {FoodKind, JournalKind}) {
        SCOPED_TRACE(int(kind));
        ItemList written(kind);
        for (int i = 0; i < 3; ++i) {
            Item* item = Add(written, TimeBase::Stamp(100 + i));
            if (auto* entry = dynamic_cast<JournalItem*>(item))
                entry->SetBody(QStringLiteral("Entry %1").arg(i));
        }
        written.RemoveByUid(0);
        RecordStream saved{QByteArray()};
        written.Save(saved);
        const QByteArray record = saved.Written();

        ItemList now(kind);
        RecordStream stream(record);
        ASSERT_TRUE(now.Load(stream));
        ItemList later(kind);
        ASSERT_TRUE(later.LoadLater(record));
        EXPECT_FALSE(later.LoadLater(record)); // one record, once
        Add(later, 200); // after the kept items, with the uid that follows theirs
        ASSERT_EQ(later.Count(), 3);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(later.At(i)->Day(), now.At(i)->Day());
            EXPECT_EQ(later.At(i)->Uid(), now.At(i)->Uid());
        }
        EXPECT_EQ(later.At(2)->Uid(), 2);
        if (kind == JournalKind) {
            EXPECT_EQ(later.ItemAt<JournalItem>(1)->Body(), QStringLiteral("Entry 2"));
        }

        // Cut inside an item, or a count of more than there are: read now, to keep what is
        // whole.
        ItemList damaged(kind);
        EXPECT_FALSE(damaged.LoadLater(record.left(5)));
        QByteArray lying = record;
        lying[1] = char(lying[1] + 1);
        EXPECT_FALSE(damaged.LoadLater(lying));
        EXPECT_EQ(damaged.Count(), 0);
    }
}

TEST_F(UserDatabaseTest, ItemCountsAreUnsignedSixteenBitAndFullListsRefuseMore)
{
    {
        UserDatabase store(Folders());
        for (int i = 0; i < 40000; ++i)
            Add(store.Weights(), TimeBase::Stamp(i));
        store.SaveWeights();
    }
    UserDatabase store(Folders());
    ASSERT_EQ(store.Weights().Count(), 40000);
    EXPECT_EQ(store.Weights().At(39999)->Day(), 39999u);

    ItemList list(WeightKind);
    for (int i = 0; i < ItemList::kMaxItems; ++i)
        ASSERT_NE(Add(list), nullptr);
    EXPECT_EQ(Add(list), nullptr);
    EXPECT_EQ(list.Count(), ItemList::kMaxItems);
}

TEST_F(UserDatabaseTest, DaySummariesFollowFirstAppearanceAndIgnoreNegativeFoodValues)
{
    UserDatabase store(Folders());
    for (std::uint32_t food : {10, 99, 20}) // 99: negative values, which count as 0
        Add<FoodItem>(store.FoodLog(), 200)->SetFoodId(food);
    Add<FitnessItem>(store.FitnessLog(), 300)->SetExerciseId(5);
    Add<FitnessItem>(store.FitnessLog(), 200)->SetExerciseId(3);

    FixedValues values;
    ItemList summaries(DaySummaryKind);
    BuildDaySummaries(store, summaries, &values);
    ASSERT_EQ(summaries.Count(), 2);
    const auto summary = [&](int index) {
        const auto* s = summaries.ItemAt<DaySummary>(index);
        return std::tuple(s->Day(), s->Value(DaySummary::NetCalories), s->Value(DaySummary::Carbs),
                          s->Value(DaySummary::SaturatedFat), s->Value(6)); // 6: no such field
    };
    EXPECT_EQ(summary(0), std::tuple(300u, -50, 0, 0, 0)); // fitness days come first
    EXPECT_EQ(summary(1), std::tuple(200u, 10 + 20 - 30, 11 + 21, 15 + 25, 0));
}

TEST_F(UserDatabaseTest, CommitWritesOnlyWhatChangedToAPrivateFileKeepingABackup)
{
    const auto othersMayAccess = [&] {
        return QFileInfo(UserFile()).permissions() &
               (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                QFileDevice::WriteOther);
    };
    EXPECT_TRUE(UserDatabase(Folders()).WasCreated());
    EXPECT_FALSE(othersMayAccess());
    const QByteArray first = ReadFile(UserFile());
    UserDatabase store(Folders());
    EXPECT_TRUE(store.Commit());
    store.SaveFoodLog(); // same content
    EXPECT_TRUE(store.Commit());
    EXPECT_EQ(ReadFile(UserFile()), first);

    store.Settings().SetMetric(1);
    EXPECT_TRUE(store.Commit());
    store.Profile().SetAge(40);
    EXPECT_TRUE(store.Commit());
    const QByteArray after = ReadFile(UserFile());
    EXPECT_EQ(Record(after, 8), Hex("000100010000000000000001"));
    // One modification per save.
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(after.constData() + 48),
              qFromBigEndian<std::uint32_t>(first.constData() + 48) + 2);
    // The first rewrite of a run keeps the file it replaced.
    EXPECT_EQ(ReadFile(UserFile() + QStringLiteral(".bak")), first);
    EXPECT_TRUE(QFileInfo(UserFile()).permissions() & QFileDevice::ReadOwner);
    EXPECT_FALSE(othersMayAccess());
}

TEST_F(UserDatabaseTest, AUserFileKeptElsewhereThroughALinkStaysThere)
{
    EXPECT_TRUE(UserDatabase(Folders()).WasCreated());
    const QString elsewhere = m_dir.filePath(QStringLiteral("user-elsewhere.pdb"));
    ASSERT_TRUE(QFile::rename(UserFile(), elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, UserFile()));
    {
        UserDatabase store(Folders());
        store.Profile().SetAge(40);
        ASSERT_TRUE(store.Commit());
    }
    EXPECT_TRUE(QFileInfo(UserFile()).isSymLink());
    EXPECT_EQ(UserDatabase(Folders()).Profile().GetAge(), 40);
}

TEST_F(UserDatabaseTest, FailedSaveLeavesThePreviousFileAndBackupAndSaysSo)
{
    EXPECT_TRUE(UserDatabase(Folders()).WasCreated());
    const QString backup = UserFile() + QStringLiteral(".bak");
    ASSERT_TRUE(TestSupport::WriteFile(backup, "the backup of an earlier run"));
    UserDatabase store(Folders());
    const QByteArray before = ReadFile(UserFile());
    Add<JournalItem>(store.Journal(), 1)->SetBody(QString(20000, u'x'));
    store.SaveJournal();

    // A disk that takes no more than 100 bytes per file: neither the new backup nor the file
    // fit.
    bool saved = true;
    {
        const TestSupport::FileSizeLimit small(100);
        ASSERT_TRUE(small.IsSet());
        saved = store.Commit();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFile(UserFile()), before);
    EXPECT_EQ(ReadFile(backup), QByteArray("the backup of an earlier run"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"user.pdb", "user.pdb.bak", "user.pdb.lock"}))
        << "no temporary file is left";

    EXPECT_TRUE(store.Commit()); // and the next one succeeds, backing up the file found
    EXPECT_TRUE(ReadFile(UserFile()).contains(QByteArray(20000, 'x')));
    EXPECT_EQ(ReadFile(backup), before);
}

TEST_F(UserDatabaseTest, LeftoversOfKilledRunsNeitherLockOutNorLinger)
{
    EXPECT_TRUE(UserDatabase(Folders()).WasCreated());
    const QByteArray file = ReadFile(UserFile());
    const auto put = [&](const char* suffix, const QByteArray& bytes) {
        EXPECT_TRUE(TestSupport::WriteFile(UserFile() + QLatin1String(suffix), bytes));
    };
    put(".lock", {}); // the earlier lock scheme's, emptied by a kill
    put(".lock.rmlock", "1\n");
    put(".Zq9KLm", "not ours"); // another file
    // Temporaries of this save scheme, then of the earlier one (random suffixes), then a
    // person's copies, whose suffixes are words.
    for (const char* suffix : {".saving", ".bak.saving", ".damaged-20260131-100000.saving",
                               ".Ab3xYz", ".TmpXyz", ".backup", ".Backup", ".BACKUP"})
        put(suffix, file);
    // A link of that name goes, not what it points to; a folder stays.
    ASSERT_TRUE(QFile::link(UserFile() + QStringLiteral(".backup"),
                            UserFile() + QStringLiteral(".link.saving")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("user.pdb.folder.saving")));
    UserDatabase store(Folders());
    EXPECT_TRUE(store.IsWritable());
    const QStringList left =
        QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    EXPECT_EQ(left.join(u' ').toStdString(), "user.pdb user.pdb.BACKUP user.pdb.Backup "
                                             "user.pdb.Zq9KLm user.pdb.backup "
                                             "user.pdb.folder.saving user.pdb.lock");
}

TEST_F(UserDatabaseTest, AnEmptyFileIsAFirstStartCutShortUnlessABackupSaysOtherwise)
{
    ASSERT_TRUE(TestSupport::WriteFile(UserFile(), {}));
    {
        UserDatabase store(Folders());
        EXPECT_EQ(std::pair(store.IsWritable(), store.WasCreated()), std::pair(true, true));
    }
    const QByteArray created = ReadFile(UserFile());
    const QString backup = UserFile() + QStringLiteral(".bak");
    ASSERT_TRUE(TestSupport::WriteFile(backup, created));
    ASSERT_TRUE(TestSupport::WriteFile(UserFile(), {}));
    EXPECT_EQ(UserDatabase(Folders()).Error(), DatabaseError::Damaged);
    EXPECT_EQ(ReadFile(backup), created);
}

TEST_F(UserDatabaseTest, TheLockDiesWithItsProcess)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        FileLock lock(UserFile() + QStringLiteral(".lock"));
        const char held = lock.TryLock() == DatabaseError::None ? 1 : 0;
        if (write(ready[1], &held, 1) == 1)
            pause();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 1);
    EXPECT_EQ(UserDatabase(Folders()).Error(), DatabaseError::Locked);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_TRUE(UserDatabase(Folders()).IsWritable());
}

TEST_F(UserDatabaseTest, ASecondStoreOnTheSameFolderIsLockedOutAndTouchesNothing)
{
    UserDatabase first(Folders());
    first.Profile().SetUserName(QStringLiteral("first"));
    ASSERT_TRUE(first.Commit());
    const QByteArray before = ReadFile(UserFile());
    const QString temporary = UserFile() + QStringLiteral(".saving"); // the first one's, say
    ASSERT_TRUE(TestSupport::WriteFile(temporary, before));
    {
        UserDatabase second(Folders());
        EXPECT_EQ(second.Error(), DatabaseError::Locked);
        EXPECT_FALSE(second.IsWritable());
        EXPECT_TRUE(second.StateText().contains(QStringLiteral("user.pdb")));
        second.Profile().SetUserName(QStringLiteral("second"));
        EXPECT_FALSE(second.Commit());
    }
    EXPECT_EQ(ReadFile(UserFile()), before);
    EXPECT_TRUE(QFile::exists(temporary));
}

// Damaged user files that cannot be read are never overwritten.
class UnreadableUserFile : public UserDatabaseTest,
                           public ::testing::WithParamInterface<const char*>
{
};

TEST_P(UnreadableUserFile, IsReportedAndLeftUntouched)
{
    {
        const auto store = OpenBroken(GetParam());
        EXPECT_EQ(store->Error(), DatabaseError::Damaged);
        EXPECT_TRUE(store->StateText().contains(QStringLiteral("damaged")));
        EXPECT_EQ(store->FoodLog().Count(), 0);
        store->Profile().SetChanged();
        store->SaveFoodLog();
        EXPECT_FALSE(store->Commit());
    }
    EXPECT_EQ(ReadFile(UserFile()), ReadFile(Broken(GetParam())));
    EXPECT_FALSE(QFile::exists(UserFile() + QStringLiteral(".bak")));
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, UnreadableUserFile,
                         ::testing::ValuesIn(TestSupport::kBrokenContainers),
                         TestSupport::BrokenFileTestName);

// Records that do not decode whole inside a sound container: the store keeps what was whole,
// invents nothing, and keeps the file as found under a dated name before it saves anything.
struct DamagedRecords
{
    const char* file;
    int foods;    // items of the food log kept
    int journal;  // entries of the journal kept
    bool damaged; // a dated copy is kept and the user told
};

class DamagedRecordsTest : public UserDatabaseTest,
                           public ::testing::WithParamInterface<DamagedRecords>
{
};

TEST_P(DamagedRecordsTest, KeepWhatIsWholeAndACopyOfTheRest)
{
    const DamagedRecords& param = GetParam();
    const QByteArray found = ReadFile(Broken(param.file));
    const QString copy = UserFile() + QStringLiteral(".damaged-20260131-100000");
    {
        const auto store = OpenBroken(param.file);
        EXPECT_TRUE(store->IsWritable());
        EXPECT_EQ(store->FoodLog().Count(), param.foods);
        EXPECT_EQ(store->Journal().Count(), param.journal);
        for (ItemKind kind : {FitnessKind, FavoriteExerciseKind, FavoriteFoodKind, WeightKind})
            EXPECT_EQ(store->List(kind).Count(), 0) << kind;
        EXPECT_EQ(QFile::exists(copy), param.damaged);
        EXPECT_EQ(
            store->DamageNotice().contains(QStringLiteral("user.pdb.damaged-20260131-100000")),
            param.damaged)
            << qPrintable(store->DamageNotice());
        store->Profile().SetLaunchCount(1);
    }
    // Saved whole from then on: the next start keeps no second copy and leaves the first alone.
    const QByteArray saved = ReadFile(UserFile());
    EXPECT_LT(saved.size(), 1024);
    UserDatabase again(Folders());
    EXPECT_TRUE(again.DamageNotice().isEmpty());
    EXPECT_EQ(again.Profile().LaunchCount(), 1);
    if (param.damaged) {
        EXPECT_EQ(ReadFile(copy), found);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*damaged*")}).size(),
              param.damaged ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, DamagedRecordsTest,
                         ::testing::Values(DamagedRecords{"user_count_lies.pdb", 1, 0, true},
                                           DamagedRecords{"user_lists_count_only.pdb", 0, 0, true},
                                           DamagedRecords{"user_profile_v6.pdb", 0, 0, true},
                                           DamagedRecords{"user_profile_short.pdb", 0, 0, true},
                                           DamagedRecords{"user_settings_short.pdb", 0, 0, true},
                                           DamagedRecords{"user_text_unterminated.pdb", 0, 1,
                                                          false},
                                           DamagedRecords{"user_no_records.pdb", 0, 0, false}),
                         ReferenceTest::FileTestName<DamagedRecords>);

// A profile of another version: defaults, with the old one kept in the dated copy.
TEST_F(UserDatabaseTest, AProfileOfAnotherVersionGivesDefaults)
{
    const auto store = OpenBroken("user_profile_v6.pdb");
    EXPECT_EQ(std::pair(store->Profile().GetUserName(), store->Profile().GetStartDate()),
              std::pair(QString(), TimeBase::FromDate(kNow.date())));
}
