#include "data/PalmDatabaseFile.h"
#include "TestSupport.h"
#include "data/RecordStream.h"
#include "data/TimeBase.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using TestSupport::Hex;
using TestSupport::ReadFile;

namespace {

class PalmDatabaseFileTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath(QStringLiteral("test.pdb")); }

    void CreateWith(PalmDatabaseFile& db, const std::vector<QByteArray>& records)
    {
        ASSERT_EQ(db.Create(Path(), QStringLiteral("- KLV Tips Database"),
                            PalmDatabaseFile::FourCC("QZRW"), PalmDatabaseFile::FourCC("data")),
                  DatabaseError::None);
        for (size_t i = 0; i < records.size(); ++i)
            db.WriteRecord(int(i), records[i].constData(), int(records[i].size()));
    }

    // The record offsets of the entry list.
    static std::vector<std::uint32_t> Offsets(const QByteArray& file)
    {
        std::vector<std::uint32_t> offsets;
        for (int entry = 0; entry < qFromBigEndian<std::uint16_t>(file.constData() + 76); ++entry)
            offsets.push_back(qFromBigEndian<std::uint32_t>(file.constData() + 78 + 8 * entry));
        return offsets;
    }

    QTemporaryDir m_dir;
    TimeBase::ScopedClock m_clock{QDateTime(QDate(2026, 3, 1), QTime(9, 30, 15))};
};

} // namespace

TEST_F(PalmDatabaseFileTest, NewEmptyDatabaseIsHeaderAndTwoZeroBytes)
{
    {
        PalmDatabaseFile db;
        CreateWith(db, {});
    }
    const QByteArray file = ReadFile(Path());
    ASSERT_EQ(file.size(), 80);
    EXPECT_EQ(file.left(20), QByteArray("- KLV Tips Database\0", 20));
    EXPECT_EQ(file.mid(60, 8), QByteArray("dataQZRW"));
    EXPECT_EQ(file.mid(76, 4), Hex("00000000"));
    // Creation date: local wall-clock time counted from 1904; then the modification number.
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(file.constData() + 36),
              TimeBase::FromDateTime(QDateTime(QDate(2026, 3, 1), QTime(9, 30, 15))));
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(file.constData() + 48), 1u);
}

TEST_F(PalmDatabaseFileTest, RecordsFollowTheEntryListWithoutGapAndEmptyRecordsTakeNoSpace)
{
    {
        PalmDatabaseFile db;
        CreateWith(db, {QByteArray("abc")});
        db.WriteRecord(3, "xy", 2); // records 1 and 2 appear empty
    }
    const QByteArray file = ReadFile(Path());
    ASSERT_EQ(file.size(), 78 + 4 * 8 + 5);
    EXPECT_EQ(Offsets(file), (std::vector<std::uint32_t>{110, 113, 113, 113}));
    EXPECT_EQ(file.mid(110), QByteArray("abcxy"));

    PalmDatabaseFile db;
    ASSERT_EQ(db.Open(Path()), DatabaseError::None);
    EXPECT_EQ(std::tuple(db.RecordCount(), db.RecordLength(1), db.HasRecord(2), db.HasRecord(3),
                         db.RecordLength(-1)),
              std::tuple(4u, 0, false, true, -1));
    EXPECT_EQ(db.ReadRecord(3), QByteArray("xy"));
    EXPECT_FALSE(db.ReadRecord(4).has_value());
}

TEST_F(PalmDatabaseFileTest, AddedEntriesContinueTheLargestIdentifier)
{
    // Two records whose entries carry identifiers 5 and 9.
    QByteArray file(78, '\0');
    file.replace(0, 4, "name");
    file[77] = 2;
    file += Hex("0000005E") + Hex("00000005") + Hex("0000005F") + Hex("00000009") + "ab";
    ASSERT_TRUE(TestSupport::WriteFile(Path(), file));
    {
        PalmDatabaseFile db;
        ASSERT_EQ(db.Open(Path()), DatabaseError::None);
        db.WriteRecord(3, "z", 1);
    }
    const QByteArray saved = ReadFile(Path());
    const char* const ids[] = {"000005", "000009", "00000A", "00000B"};
    for (int entry = 0; entry < 4; ++entry)
        EXPECT_EQ(saved.mid(78 + 8 * entry + 5, 3), Hex(ids[entry])) << entry;
}

TEST_F(PalmDatabaseFileTest, RewritesKeepLengthsUnlessAskedAndCountEverySave)
{
    const QByteArray forty(40, 'o');
    const QByteArray thirty(30, 'n');
    {
        PalmDatabaseFile db;
        CreateWith(db, {forty});
        db.WriteRecord(0, thirty.constData(), 30);
        EXPECT_EQ(db.ReadRecord(0).value(), thirty + QByteArray(10, 'o'));
        EXPECT_EQ(db.Save(), DatabaseError::None);
        EXPECT_EQ(db.Close(), DatabaseError::None); // saved already: not written again
    }
    PalmDatabaseFile db;
    ASSERT_EQ(db.Open(Path()), DatabaseError::None);
    EXPECT_EQ(std::pair(db.FileHeader().modificationNumber, db.IsDirty()), std::pair(1u, false));
    db.WriteRecord(0, thirty.constData(), 30); // the same bytes change nothing
    EXPECT_FALSE(db.IsDirty());
    db.SetExactRecordLengths(true);
    db.WriteRecord(0, thirty.constData(), 30);
    EXPECT_EQ(std::pair(db.RecordLength(0), db.IsDirty()), std::pair(30, true));
    EXPECT_EQ(db.Close(), DatabaseError::None);
    ASSERT_EQ(db.Open(Path()), DatabaseError::None);
    EXPECT_EQ(db.FileHeader().modificationNumber, 2u);
}

TEST_F(PalmDatabaseFileTest, ReferenceFilesOpenReadOnlyAndMissingFilesFail)
{
    PalmDatabaseFile db;
    EXPECT_EQ(db.Open(m_dir.filePath(QStringLiteral("none.pdb"))), DatabaseError::CannotOpen);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.Create(Path(), QStringLiteral("x"), 0, 0), DatabaseError::None);
    db.Close();
    EXPECT_EQ(db.Create(Path(), QStringLiteral("x"), 0, 0), DatabaseError::CannotCreate);
    ASSERT_TRUE(QFile::setPermissions(Path(), QFileDevice::ReadOwner));
    EXPECT_EQ(db.Open(Path(), false), DatabaseError::None);
}

TEST_F(PalmDatabaseFileTest, StreamReadsAndWritesBigEndianFieldsAndNothingPastTheEnd)
{
    PalmDatabaseFile db;
    CreateWith(db, {});
    {
        RecordStream out(db);
        out.OpenNew(0);
        out.WriteBool(true);
        out.WriteInt16(-2);
        out.WriteInt16(0xFFFE);
        out.WriteInt32(1000);
        out.WriteFloat(70.5f);
        out.WriteText(QString::fromUtf8("café"));
        out.WriteText(QString());
    }
    EXPECT_EQ(db.ReadRecord(0).value(),
              Hex("01FFFEFFFE000003E8428D0000") + QByteArray("caf\xE9\0\0", 6));

    RecordStream in(db, 0);
    const std::tuple read{in.ReadBool(),  in.ReadInt16(), in.ReadUInt16(),
                          in.ReadInt32(), in.ReadFloat(), in.ReadText(),
                          in.ReadText(),  in.AtEnd()}; // braces: read in order
    EXPECT_EQ(read, std::tuple(true, -2, 0xFFFEu, 1000, 70.5f, QString::fromUtf8("café"), QString(),
                               true));
    EXPECT_TRUE(in.Ok());
    EXPECT_EQ(in.ReadText(), QString());
    EXPECT_FALSE(in.Ok());

    // Reads past the end transfer nothing and fail for good; text without a terminator runs to
    // the end.
    db.WriteRecord(1, "\x01\x02\x03\x04\x05tail", 9);
    RecordStream cut(db, 1);
    EXPECT_EQ(cut.ReadInt32(), 0x01020304);
    EXPECT_EQ(cut.ReadText(), QStringLiteral("\x05tail"));
    EXPECT_TRUE(cut.Ok());
    EXPECT_EQ(cut.ReadInt16(), 0);
    EXPECT_FALSE(cut.Ok());
    RecordStream edge(db, 1);
    char skip[8];
    ASSERT_TRUE(edge.Read(skip, 8));
    EXPECT_EQ(edge.ReadInt16(), 0); // one byte before the end
    EXPECT_EQ(std::pair(edge.Position(), edge.Ok()), std::pair(8, false));
    edge.OpenRead(1);
    EXPECT_TRUE(edge.Ok());
}

// Takes `room` bytes, then fails as a full disk does.
class FailingDevice final : public QIODevice
{
public:
    explicit FailingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (m_room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min(length, m_room);
        m_room -= taken;
        return taken;
    }

private:
    qint64 m_room;
};

TEST_F(PalmDatabaseFileTest, ASaveOntoADeviceThatFailsMidWriteSaysSoAndKeepsTheChanges)
{
    PalmDatabaseFile db;
    CreateWith(db, {QByteArray(200000, 'r')});
    FailingDevice full(100000);
    EXPECT_EQ(db.WriteTo(full), DatabaseError::CannotWrite);
    EXPECT_TRUE(db.IsDirty());
    EXPECT_EQ(db.Save(), DatabaseError::None);
    EXPECT_EQ(ReadFile(Path()).size(), 78 + 8 + 200000);
}

TEST_F(PalmDatabaseFileTest, AnAtomicWriteTakesItsModelsModeAndNeverWritesThroughWhatItFinds)
{
    const QString like = m_dir.filePath(QStringLiteral("like.pdb"));
    ASSERT_TRUE(TestSupport::WriteFile(like, "model"));
    ASSERT_TRUE(QFile::setPermissions(like, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup));
    // A link someone put at the temporary's name goes; what it points to is left alone.
    const QString other = m_dir.filePath(QStringLiteral("other"));
    ASSERT_TRUE(TestSupport::WriteFile(other, "keep"));
    const QString temporary = Path() + QLatin1String(PalmDatabaseFile::kTemporarySuffix);
    ASSERT_TRUE(QFile::link(other, temporary));
    QString error;
    ASSERT_TRUE(PalmDatabaseFile::WriteFileAtomically(Path(), "new", like, error))
        << error.toStdString();
    EXPECT_EQ(ReadFile(Path()), QByteArray("new"));
    EXPECT_EQ(ReadFile(other), QByteArray("keep"));
    EXPECT_FALSE(QFileInfo::exists(temporary) || QFileInfo(temporary).isSymLink());
    EXPECT_EQ(QFile::permissions(Path()) & 0x7077, QFile::permissions(like) & 0x7077);

    // Without a model the file is the owner's alone; what cannot be cleared away fails, saying
    // why, and leaves the file as it was.
    const QString second = m_dir.filePath(QStringLiteral("second.pdb"));
    ASSERT_TRUE(PalmDatabaseFile::WriteFileAtomically(second, "x", second, error));
    EXPECT_EQ(QFile::permissions(second) & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("second.pdb.saving")));
    error.clear();
    EXPECT_FALSE(PalmDatabaseFile::WriteFileAtomically(second, "y", second, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadFile(second), QByteArray("x"));
}

// Damaged containers: each must be refused with a diagnostic, never crash or read wild.
class DamagedContainer : public ::testing::TestWithParam<const char*>
{
};

TEST_P(DamagedContainer, OpensAsDamaged)
{
    TestSupport::LogCapture log;
    PalmDatabaseFile db;
    const QString path = QStringLiteral(NUTRAVA_TEST_DATA "/broken/") + GetParam();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(db.Open(path, false), DatabaseError::Damaged);
    EXPECT_EQ(std::pair(db.RecordCount(), db.ReadRecord(0).has_value()), std::pair(0u, false));
    EXPECT_FALSE(log.Messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, DamagedContainer,
                         ::testing::ValuesIn(TestSupport::kBrokenContainers),
                         TestSupport::BrokenFileTestName);
