#include "data/UserDatabase.h"

#include "data/Log.h"
#include "data/RecordStream.h"

#include <QFileInfo>

namespace {

UserDatabase* g_instance = nullptr;

constexpr int kListKinds[] = {FitnessKind,          FoodKind,         JournalKind,
                              FavoriteExerciseKind, FavoriteFoodKind, WeightKind};

} // namespace

UserDatabase::UserDatabase(const DatabaseFolders& folders, OpenMode mode)
    : m_folders(folders), m_mode(mode),
      m_references(folders, m_favoriteExercises, m_favoriteFoods, m_profile, m_settings)
{
    OpenUserFile();
    if (m_file.IsOpen())
        ReadUserRecords();
    m_references.Open();
    g_instance = this;
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
    const QString folder = DatabaseFolders::NativeFolder(m_folders.userFolder);

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
    const QString folder = DatabaseFolders::NativeFolder(m_folders.userFolder);
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
    const QString folder = DatabaseFolders::NativeFolder(m_folders.userFolder);
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
            Store::Log(Store::Info, "Old format user database");
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

const ItemList& UserDatabase::List(int kind) const
{
    return const_cast<UserDatabase*>(this)->List(kind);
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
        Store::Log(Store::Error, "User record was not created OK");
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
        Store::Log(Store::Error, "user.pdb was not saved: %s", qUtf8Printable(m_file.ErrorText()));
        return false;
    }
    return true;
}
