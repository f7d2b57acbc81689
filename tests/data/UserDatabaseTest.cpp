#include "data/DayValueSource.h"
#include "data/DaySummary.h"
#include "data/FavoriteItem.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using TestSupport::Hex;
using TestSupport::ReadFile;

namespace {

const QDateTime kNow(QDate(2026, 1, 31), QTime(10, 0, 0));

class UserDatabaseTest : public ::testing::Test
{
protected:
    DatabaseFolders Folders() const { return {m_dir.path(), {m_dir.path()}}; }
    QString UserFile() const { return QDir(m_dir.path()).filePath(QStringLiteral("user.pdb")); }

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
    {
        UserDatabase store(Folders());
        EXPECT_TRUE(store.WasCreated());
        EXPECT_TRUE(store.IsWritable());
        EXPECT_EQ(UserDatabase::Instance(), &store);
    }
    EXPECT_EQ(UserDatabase::Instance(), nullptr);
    const QByteArray file = ReadFile(UserFile());
    ASSERT_GE(file.size(), 78 + 9 * 8);
    EXPECT_EQ(qFromBigEndian<std::uint16_t>(file.constData() + 76), 9);
    EXPECT_EQ(file.mid(60, 8), QByteArray("dataQZRW"));

    const std::uint32_t today = TimeBase::FromDate(QDate(2026, 1, 31));
    const std::uint32_t goal = TimeBase::FromDate(QDate(2026, 3, 31));
    QByteArray profile = Hex("0007") + QByteArray(1, '\0') + Hex("0000") + QByteArray(12, '\0');
    uchar stamps[8];
    qToBigEndian(today, stamps);
    qToBigEndian(goal, stamps + 4);
    profile += QByteArray(reinterpret_cast<const char*>(stamps), 8);
    profile += QByteArray(8, '\0') + QByteArray(3, '\0');
    EXPECT_EQ(Record(file, 0).toHex(), profile.toHex());
    for (int list : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(Record(file, list), Hex("0000")) << list;
    EXPECT_EQ(Record(file, 6), QByteArray());
    EXPECT_EQ(Record(file, 8), Hex("000100010000000000000000"));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(file.mid(78 + 8 * i + 4, 4), Hex("000000") + char(i))
            << "attributes and id of entry " << i;
}

TEST_F(UserDatabaseTest, UserFileIsPrivateAndTheFirstRewriteKeepsABackup)
{
    { UserDatabase store(Folders()); }
    EXPECT_EQ(QFileInfo(UserFile()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther
                                                      | QFileDevice::WriteGroup | QFileDevice::WriteOther),
              QFileDevice::Permissions());
    const QByteArray first = ReadFile(UserFile());
    {
        UserDatabase store(Folders());
        store.Profile().SetUserName(QStringLiteral("Ann"));
        EXPECT_TRUE(store.Commit());
        store.Profile().SetAge(40);
        EXPECT_TRUE(store.Commit());
    }
    EXPECT_EQ(ReadFile(UserFile() + QStringLiteral(".bak")), first);
    EXPECT_TRUE(QFileInfo(UserFile()).permissions() & QFileDevice::ReadOwner);
    EXPECT_FALSE(QFileInfo(UserFile()).permissions() & QFileDevice::ReadOther);
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

        auto* fitness = static_cast<FitnessItem*>(
            store.FitnessLog().Append(UserDatabase::CreateItem(FitnessKind, day)));
        fitness->SetExerciseId(17);
        fitness->SetDurationIndex(6);
        auto* food =
            static_cast<FoodItem*>(store.FoodLog().Append(UserDatabase::CreateItem(FoodKind, day)));
        food->SetFoodId(123456);
        food->SetQuantityIndex(2);
        food->SetUnitIndex(1);
        auto* entry = static_cast<JournalItem*>(
            store.Journal().Append(UserDatabase::CreateItem(JournalKind, day)));
        entry->SetPosted(true);
        entry->SetSubject(QStringLiteral("Monday"));
        entry->SetBody(QString::fromUtf8("Ran 5 km — felt good"));
        store.FavoriteExercises()
            .Append(UserDatabase::CreateItem(FavoriteExerciseKind, day))
            ->SetReference(17);
        store.FavoriteFoods().Append(UserDatabase::CreateItem(FavoriteFoodKind, day))->SetReference(9);
        auto* weight =
            static_cast<WeightItem*>(store.Weights().Append(UserDatabase::CreateItem(WeightKind, day)));
        weight->SetKilograms(80.4f);
        store.SaveFitnessLog();
        store.SaveFoodLog();
        store.SaveJournal();
        store.SaveFavorites();
        store.SaveWeights();
    }

    UserDatabase store(Folders());
    EXPECT_FALSE(store.WasCreated());
    const UserProfile& p = store.Profile();
    EXPECT_EQ(p.GetUserName(), QString::fromUtf8("Zoë"));
    EXPECT_EQ(p.GetAge(), 41);
    EXPECT_EQ(p.HeightCm(), 172.5f);
    EXPECT_EQ(p.StartWeightKg(), 81.25f);
    EXPECT_EQ(p.GoalWeightKg(), 72.0f);
    EXPECT_EQ(p.GetFoodTracking(), 5);
    EXPECT_EQ(p.LaunchCount(), 3);
    EXPECT_EQ(p.Flags(), 2 | 8 | 0x100);
    EXPECT_EQ(p.BlogName(), QStringLiteral("myblog"));
    EXPECT_EQ(p.BlogEmail(), QStringLiteral("me@example.org"));
    EXPECT_EQ(p.BlogPassword(), QStringLiteral("secret"));
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(store.Settings().Metric(), 2u);
    EXPECT_EQ(store.Settings().TipDay(), day);
    EXPECT_EQ(store.Settings().LastFoodGroup(), 0);
    EXPECT_EQ(store.Settings().LastExerciseGroup(), 1);
    EXPECT_FALSE(store.Settings().Changed());

    ASSERT_EQ(store.FitnessLog().Count(), 1);
    EXPECT_EQ(store.FitnessLog().ItemAt<FitnessItem>(0)->ExerciseId(), 17u);
    EXPECT_EQ(store.FitnessLog().ItemAt<FitnessItem>(0)->DurationIndex(), 6);
    EXPECT_EQ(store.FitnessLog().At(0)->Day(), day);
    ASSERT_EQ(store.FoodLog().Count(), 1);
    EXPECT_EQ(store.FoodLog().ItemAt<FoodItem>(0)->FoodId(), 123456u);
    EXPECT_EQ(store.FoodLog().ItemAt<FoodItem>(0)->QuantityIndex(), 2);
    EXPECT_EQ(store.FoodLog().ItemAt<FoodItem>(0)->UnitIndex(), 1);
    ASSERT_EQ(store.Journal().Count(), 1);
    const auto* entry = store.Journal().ItemAt<JournalItem>(0);
    EXPECT_TRUE(entry->Posted());
    EXPECT_EQ(entry->Subject(), QStringLiteral("Monday"));
    EXPECT_EQ(entry->Body(), QString::fromUtf8("Ran 5 km — felt good"));
    EXPECT_EQ(store.FavoriteExercises().At(0)->Reference(), 17u);
    EXPECT_EQ(store.FavoriteFoods().At(0)->Reference(), 9u);
    EXPECT_EQ(store.Weights().ItemAt<WeightItem>(0)->Kilograms(), 80.4f);
}

TEST_F(UserDatabaseTest, DeletedJournalTextIsGoneFromTheFile)
{
    {
        UserDatabase store(Folders());
        for (const char* subject : {"keep me", "forget me"}) {
            auto* e = static_cast<JournalItem*>(
                store.Journal().Append(UserDatabase::CreateItem(JournalKind, 1)));
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
    EXPECT_FALSE(file.contains("forget me"));
    EXPECT_TRUE(file.contains("private body of keep me"));
    UserDatabase store(Folders());
    ASSERT_EQ(store.Journal().Count(), 1);
    EXPECT_EQ(store.Journal().ItemAt<JournalItem>(0)->Subject(), QStringLiteral("keep me"));
}

TEST_F(UserDatabaseTest, UidsCountFromZeroEachRunAndUnknownUidsRemoveNothing)
{
    TestSupport::LogCapture log;
    UserDatabase store(Folders());
    ItemList& weights = store.Weights();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(weights.Append(UserDatabase::CreateItem(WeightKind, 0))->Uid(), i);
    EXPECT_EQ(weights.RemoveByUid(1)->Uid(), 1);
    EXPECT_EQ(weights.Append(UserDatabase::CreateItem(WeightKind, 0))->Uid(), 3);
    EXPECT_EQ(weights.RemoveByUid(42), nullptr);
    EXPECT_TRUE(log.Contains(QStringLiteral("Item uid 42 not found for deletion")));
    EXPECT_EQ(UserDatabase::CreateItem(6, 0), nullptr);
    EXPECT_TRUE(log.Contains(QStringLiteral("Unknown item kind: 6")));
}

TEST_F(UserDatabaseTest, ItemCountsAreUnsignedSixteenBitAndFullListsRefuseMore)
{
    {
        UserDatabase store(Folders());
        for (int i = 0; i < 40000; ++i)
            store.Weights().Append(UserDatabase::CreateItem(WeightKind, TimeBase::Stamp(i)));
        store.SaveWeights();
    }
    UserDatabase store(Folders());
    ASSERT_EQ(store.Weights().Count(), 40000);
    EXPECT_EQ(store.Weights().At(39999)->Day(), 39999u);

    TestSupport::LogCapture log;
    ItemList list(WeightKind);
    for (int i = 0; i < ItemList::kMaxItems; ++i)
        ASSERT_NE(list.Append(UserDatabase::CreateItem(WeightKind, 0)), nullptr);
    EXPECT_EQ(list.Append(UserDatabase::CreateItem(WeightKind, 0)), nullptr);
    EXPECT_EQ(list.Count(), ItemList::kMaxItems);
    EXPECT_FALSE(log.Messages().isEmpty());
}

TEST_F(UserDatabaseTest, DaySummariesFollowFirstAppearanceAndIgnoreNegativeFoodValues)
{
    UserDatabase store(Folders());
    auto addFood = [&](TimeBase::Stamp day, std::uint32_t id) {
        static_cast<FoodItem*>(store.FoodLog().Append(UserDatabase::CreateItem(FoodKind, day)))
            ->SetFoodId(id);
    };
    auto addFitness = [&](TimeBase::Stamp day, std::uint32_t id) {
        static_cast<FitnessItem*>(
            store.FitnessLog().Append(UserDatabase::CreateItem(FitnessKind, day)))
            ->SetExerciseId(id);
    };
    addFood(200, 10);
    addFood(200, 99); // negative values count as 0
    addFood(200, 20);
    addFitness(300, 5);
    addFitness(200, 3);

    FixedValues values;
    ItemList summaries(DaySummaryKind);
    store.BuildDaySummaries(summaries, &values);
    ASSERT_EQ(summaries.Count(), 2);
    const auto* first = summaries.ItemAt<DaySummary>(0);
    const auto* second = summaries.ItemAt<DaySummary>(1);
    EXPECT_EQ(first->Day(), 300u); // fitness days come first
    EXPECT_EQ(first->Value(DaySummary::NetCalories), -50);
    EXPECT_EQ(first->Value(DaySummary::Carbs), 0);
    EXPECT_EQ(second->Day(), 200u);
    EXPECT_EQ(second->Value(DaySummary::NetCalories), 10 + 20 - 30);
    EXPECT_EQ(second->Value(DaySummary::Carbs), 11 + 21);
    EXPECT_EQ(second->Value(DaySummary::SaturatedFat), 15 + 25);

    TestSupport::LogCapture log;
    EXPECT_EQ(second->Value(6), 0);
    EXPECT_TRUE(log.Contains(QStringLiteral("Unknown field: 6")));
}

TEST_F(UserDatabaseTest, CommitWritesOnlyWhatChanged)
{
    UserDatabase store(Folders());
    const QByteArray before = ReadFile(UserFile());
    EXPECT_TRUE(store.Commit());
    store.SaveFoodLog(); // same content
    EXPECT_TRUE(store.Commit());
    EXPECT_EQ(ReadFile(UserFile()), before);

    store.Settings().SetMetric(1);
    EXPECT_TRUE(store.Commit());
    const QByteArray after = ReadFile(UserFile());
    EXPECT_NE(after, before);
    EXPECT_EQ(Record(after, 8), Hex("000100010000000000000001"));
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(after.constData() + 48), 2u);
}

TEST_F(UserDatabaseTest, FailedSaveLeavesThePreviousFileAndSaysSo)
{
    UserDatabase store(Folders());
    const QByteArray before = ReadFile(UserFile());
    auto* entry =
        static_cast<JournalItem*>(store.Journal().Append(UserDatabase::CreateItem(JournalKind, 1)));
    entry->SetBody(QString(20000, u'x'));
    store.SaveJournal();

    // A disk that takes no more than 4 KiB per file.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    TestSupport::LogCapture log;
    const bool saved = store.Commit();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(log.Contains(QStringLiteral("not saved")));
    EXPECT_EQ(ReadFile(UserFile()), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("user.pdb"), QStringLiteral("user.pdb.lock")}))
        << "no temporary file is left";

    EXPECT_TRUE(store.Commit()); // and the next one succeeds
    EXPECT_TRUE(ReadFile(UserFile()).contains(QByteArray(20000, 'x')));
}

TEST_F(UserDatabaseTest, ASecondStoreOnTheSameFolderIsLockedOutAndWritesNothing)
{
    UserDatabase first(Folders());
    first.Profile().SetUserName(QStringLiteral("first"));
    ASSERT_TRUE(first.Commit());
    const QByteArray before = ReadFile(UserFile());
    {
        UserDatabase second(Folders());
        EXPECT_EQ(second.StoreState(), UserDatabase::Locked);
        EXPECT_FALSE(second.IsWritable());
        EXPECT_TRUE(second.StateText().contains(QStringLiteral("user.pdb")));
        second.Profile().SetUserName(QStringLiteral("second"));
        EXPECT_FALSE(second.Commit());
    }
    EXPECT_EQ(ReadFile(UserFile()), before);
}

// Damaged user files that cannot be read are never overwritten.
class UnreadableUserFile : public ::testing::TestWithParam<const char*>
{
};

TEST_P(UnreadableUserFile, IsReportedAndLeftUntouched)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("user.pdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/broken/") + GetParam(), path));
    const QByteArray before = ReadFile(path);
    {
        UserDatabase store({dir.path(), {dir.path()}});
        EXPECT_EQ(store.StoreState(), UserDatabase::Unreadable);
        EXPECT_TRUE(store.StateText().contains(QStringLiteral("damaged")));
        EXPECT_EQ(store.FoodLog().Count(), 0);
        store.Profile().SetChanged();
        store.SaveFoodLog();
        EXPECT_FALSE(store.Commit());
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, UnreadableUserFile, ::testing::ValuesIn(TestSupport::kBrokenContainers),
                         TestSupport::BrokenFileTestName);

// Damaged records inside a sound container: the store reads what is there.
TEST(DamagedUserRecords, ReadWhatTheyHold)
{
    TimeBase::ScopedClock clock(kNow);
    const auto open = [](const char* name, QTemporaryDir& dir) {
        QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/broken/") + name,
                    QDir(dir.path()).filePath(QStringLiteral("user.pdb")));
        return std::make_unique<UserDatabase>(DatabaseFolders{dir.path(), {dir.path()}});
    };
    {
        QTemporaryDir dir;
        auto store = open("user_count_lies.pdb", dir);
        ASSERT_EQ(store->FoodLog().Count(), 1000);
        EXPECT_EQ(store->FoodLog().ItemAt<FoodItem>(0)->FoodId(), 16384u);
        EXPECT_EQ(store->FoodLog().ItemAt<FoodItem>(0)->QuantityIndex(), 1);
        EXPECT_EQ(store->FoodLog().ItemAt<FoodItem>(999)->FoodId(), 0u);
    }
    {
        QTemporaryDir dir;
        auto store = open("user_text_unterminated.pdb", dir);
        ASSERT_EQ(store->Journal().Count(), 1);
        EXPECT_EQ(store->Journal().ItemAt<JournalItem>(0)->Body(),
                  QStringLiteral("body without end"));
    }
    {
        QTemporaryDir dir;
        TestSupport::LogCapture log;
        auto store = open("user_profile_v6.pdb", dir);
        EXPECT_TRUE(log.Contains(QStringLiteral("Old format user database")));
        EXPECT_EQ(store->Profile().GetUserName(), QString());
        EXPECT_EQ(store->Profile().GetStartDate(), TimeBase::FromDate(kNow.date()));
    }
    {
        QTemporaryDir dir;
        auto store = open("user_no_records.pdb", dir);
        EXPECT_TRUE(store->IsWritable());
        EXPECT_EQ(store->Profile().LaunchCount(), 0);
    }
}
