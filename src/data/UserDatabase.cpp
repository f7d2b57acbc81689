#include "data/UserDatabase.h"

#include "data/Log.h"
#include "data/RecordStream.h"

#include <QFileInfo>

#include <set>

namespace {

constexpr ItemKind kListKinds[] = {FitnessKind,          FoodKind,         JournalKind,
                                   FavoriteExerciseKind, FavoriteFoodKind, WeightKind};

} // namespace

UserDatabase::UserDatabase(const DatabaseFolders& folders, OpenMode mode)
    : m_folders(folders), m_mode(mode),
      m_references(folders, m_favoriteExercises, m_favoriteFoods, m_profile, m_settings, m_quick,
                   m_own, m_ownFoods)
{
    if (m_mode == OpenMode::ReadCopy)
        OpenCopy();
    else
        OpenUserFile();
    if (m_file.IsOpen() && !ReadUserRecords() && IsWritable())
        KeepDamagedCopy();
    OpenOwnFoods();
    m_references.Open();
}

UserDatabase::~UserDatabase()
{
    if (IsWritable()) {
        Commit();
        m_file.Close();
    } else {
        m_file.CloseWithoutSaving();
    }
}

QString UserDatabase::UserFilePath() const
{
    return m_folders.UserPath(PalmDatabaseFile::FileNameFor(QString::fromUtf16(kUserDatabaseName)));
}

QString UserDatabase::ShownFolder() const
{
    // Made only for a message: every open would pay for it otherwise.
    return DatabaseFolders::NativeFolder(m_folders.userFolder);
}

QString UserDatabase::OwnFoodsPath() const
{
    return m_folders.UserPath(
        PalmDatabaseFile::FileNameFor(QString::fromUtf16(kOwnFoodsDatabaseName)));
}

void UserDatabase::OpenOwnFoods()
{
    const QString path = OwnFoodsPath();
    if (!IsWritable()) {
        // Shown as they are, never written.
        if (QFileInfo::exists(path) && m_ownFoodsFile.OpenCopy(path) == DatabaseError::None &&
            m_ownFoodsFile.HasRecord(0)) {
            RecordStream stream(m_ownFoodsFile, 0);
            m_ownFoods.Load(stream);
        }
        m_ownFoods.MarkSaved();
        m_ownFoodsProblem = m_stateText;
        return;
    }
    m_ownFoodsFile.SetExactRecordLengths(true);
    m_ownFoodsFile.SetAtomicSave(QStringLiteral(".bak"));
    // A user without own foods gets no file of them, not even a lock.
    if (!QFileInfo::exists(path) && !QFileInfo::exists(path + QStringLiteral(".bak"))) {
        m_ownFoodsWritable = true;
        return;
    }
    if (!LockOwnFoods())
        return;
    PalmDatabaseFile::RemoveSaveLeftovers(path);
    // Created on the first own food's save; one cut off before its first save is empty.
    if (const QFileInfo info(path);
        info.exists() && info.size() == 0 && !QFileInfo::exists(path + QStringLiteral(".bak")))
        QFile::remove(path);
    if (!QFileInfo::exists(path)) {
        m_ownFoodsWritable = true;
        return;
    }
    if (m_ownFoodsFile.Open(path) != DatabaseError::None) {
        // Left as it is: the log shows its placeholder for these foods until it can be read.
        m_ownFoodsProblem =
            QStringLiteral("my_foods.pdb in %1 cannot be read (%2), so your own foods are not "
                           "shown and the file is left as it is.")
                .arg(ShownFolder(), m_ownFoodsFile.ErrorText());
        Store::Log(Store::Error, "%s", qUtf8Printable(m_ownFoodsProblem));
        m_ownFoodsFile.CloseWithoutSaving();
        return;
    }
    m_ownFoodsWritable = true;
    if (m_ownFoodsFile.HasRecord(0)) {
        RecordStream stream(m_ownFoodsFile, 0);
        if (!m_ownFoods.Load(stream)) {
            QString text;
            if (!KeepCopyOf(path, text)) {
                m_ownFoodsWritable = false;
                m_ownFoodsFile.CloseWithoutSaving();
                m_ownFoodsProblem = text;
                Store::Log(Store::Error, "%s", qUtf8Printable(m_ownFoodsProblem));
                return;
            }
            m_damageNotice = m_damageNotice.isEmpty() ? text : m_damageNotice + u' ' + text;
            m_ownFoods.MarkChanged();
            CommitOwnFoods(); // what was whole, so that the next start reads it whole
        }
    }
    // Deleted foods nothing refers to any more go.
    std::set<std::uint32_t> used;
    for (const ItemList* list : {&m_foodLog, &m_favoriteFoods}) {
        for (int i = 0; i < list->Count(); ++i) {
            if (const std::uint32_t id = list->At(i)->Reference(); OwnFoods::IsOwnId(id))
                used.insert(id);
        }
    }
    m_ownFoods.KeepReferenced(used);
    if (m_ownFoods.Changed())
        CommitOwnFoods();
}

bool UserDatabase::LockOwnFoods()
{
    if (m_ownFoodsLock && m_ownFoodsLock->IsLocked())
        return true;
    m_ownFoodsLock = std::make_unique<FileLock>(OwnFoodsPath() + QStringLiteral(".lock"));
    if (m_ownFoodsLock->TryLock() == DatabaseError::None)
        return true;
    m_ownFoodsWritable = false;
    m_ownFoodsProblem =
        QStringLiteral("my_foods.pdb in %1 cannot be locked, so your own foods cannot be saved.")
            .arg(ShownFolder());
    Store::Log(Store::Error, "%s", qUtf8Printable(m_ownFoodsProblem));
    return false;
}

bool UserDatabase::CommitOwnFoods()
{
    if (!m_ownFoodsWritable)
        return false;
    if (!m_ownFoods.Changed())
        return true;
    const QString path = OwnFoodsPath();
    // No file for a remembered lookup group alone: only a food of the user's makes one.
    if (!m_ownFoodsFile.IsOpen() && m_ownFoods.Count() == 0)
        return true;
    if (!LockOwnFoods())
        return false;
    if (!m_ownFoodsFile.IsOpen() &&
        m_ownFoodsFile.Create(path, QString::fromUtf16(kOwnFoodsDatabaseName),
                              PalmDatabaseFile::FourCC("QZRW"),
                              PalmDatabaseFile::FourCC("food")) != DatabaseError::None) {
        Store::Log(Store::Error, "my_foods.pdb cannot be created: %s",
                   qUtf8Printable(m_ownFoodsFile.ErrorText()));
        return false;
    }
    RecordStream stream(m_ownFoodsFile);
    stream.OpenNew(0);
    m_ownFoods.Save(stream);
    stream.Flush();
    if (m_ownFoodsFile.Save() != DatabaseError::None) {
        Store::Log(Store::Error, "my_foods.pdb was not saved: %s",
                   qUtf8Printable(m_ownFoodsFile.ErrorText()));
        return false;
    }
    m_ownFoods.MarkSaved();
    return true;
}

void UserDatabase::SetError(DatabaseError error, const QString& text)
{
    m_error = error;
    m_stateText = text;
    Store::Log(Store::Error, "%s", qUtf8Printable(text));
}

void UserDatabase::OpenUserFile()
{
    const QString path = UserFilePath();

    const QString lockPath = path + QStringLiteral(".lock");
    m_lock = std::make_unique<FileLock>(lockPath);
    switch (m_lock->TryLock()) {
    case DatabaseError::None:
        break;
    case DatabaseError::Locked:
        SetError(DatabaseError::Locked,
                 QStringLiteral("user.pdb in %1 is in use by another running copy of Nutrava.")
                     .arg(ShownFolder()));
        return;
    default:
        // The folder does not take the lock file: show what is there, save nothing.
        SetError(DatabaseError::CannotCreate,
                 QStringLiteral("The folder %1 cannot be written, so nothing you enter can be "
                                "saved.")
                     .arg(ShownFolder()));
        m_file.Open(path, false);
        return;
    }
    // Only the lock holder may tidy: the marker an earlier lock scheme left while removing a
    // stale lock, and the temporaries of saves that were cut off.
    QFile::remove(lockPath + QStringLiteral(".rmlock"));
    PalmDatabaseFile::RemoveSaveLeftovers(path);
    // Saves replace the file whole, so only a first start cut off before its first save leaves
    // an empty user.pdb: it holds nothing and is created afresh. Beside a backup it is damage
    // that the user must be told about instead.
    if (const QFileInfo info(path);
        info.exists() && info.size() == 0 && !QFileInfo::exists(path + QStringLiteral(".bak")))
        QFile::remove(path);

    m_file.SetExactRecordLengths(true);
    m_file.SetAtomicSave(QStringLiteral(".bak"));
    const DatabaseError created =
        m_file.Create(path, QString::fromUtf16(kUserDatabaseName), PalmDatabaseFile::FourCC("QZRW"),
                      PalmDatabaseFile::FourCC("data"));
    if (created == DatabaseError::None) {
        m_created = true;
        SaveProfile();
        for (ItemKind kind : kListKinds)
            SaveList(List(kind));
        SaveSettings();
        // A valid file from the first moment, so that a crash cannot leave an empty one.
        Commit();
        return;
    }
    if (!QFileInfo::exists(path)) {
        SetError(DatabaseError::CannotCreate, QStringLiteral("user.pdb cannot be created in %1: %2")
                                                  .arg(ShownFolder(), m_file.ErrorText()));
        return;
    }
    Opened(m_file.Open(path));
}

void UserDatabase::Opened(DatabaseError result)
{
    switch (result) {
    case DatabaseError::None:
        return;
    case DatabaseError::CannotOpen:
        SetError(DatabaseError::CannotOpen, QStringLiteral("user.pdb in %1 cannot be opened: %2")
                                                .arg(ShownFolder(), m_file.ErrorText()));
        return;
    default:
        SetError(DatabaseError::Damaged, QStringLiteral("user.pdb in %1 is damaged (%2).")
                                             .arg(ShownFolder(), m_file.ErrorText()));
        m_file.CloseWithoutSaving();
        return;
    }
}

void UserDatabase::OpenCopy()
{
    const QString path = UserFilePath();
    if (!QFileInfo::exists(path)) {
        SetError(DatabaseError::CannotOpen,
                 QStringLiteral("There is no user.pdb in %1.").arg(ShownFolder()));
        return;
    }
    Opened(m_file.OpenCopy(path));
}

bool UserDatabase::ReadUserRecords()
{
    // Damage is a record that does not decode whole. The store keeps what was whole and
    // invents nothing; a profile of another version is kept only in the damaged copy.
    bool whole = true;
    if (m_file.HasRecord(kProfileRecord)) {
        RecordStream stream(m_file, kProfileRecord);
        if (!m_profile.Load(stream)) {
            Store::Log(Store::Info,
                       stream.Ok() ? "Old format user database" : "The profile record is damaged");
            whole = false;
            SaveProfile();
        }
    } else {
        SaveProfile();
    }

    for (ItemKind kind : kListKinds) {
        if (m_file.HasRecord(kind)) {
            if (const std::optional<QByteArray> record = m_file.ReadRecord(kind);
                record && List(kind).LoadLater(*record))
                continue;
            RecordStream stream(m_file, kind);
            if (!List(kind).Load(stream)) {
                whole = false;
                SaveList(List(kind)); // what was whole, so that the next start reads it whole
            }
        }
    }

    if (m_file.HasRecord(kQuickEntriesRecord)) {
        RecordStream stream(m_file, kQuickEntriesRecord);
        if (!m_quick.Load(stream)) {
            whole = false;
            SaveList(m_foodLog); // and with it what was whole of the quick entries
        }
    }
    m_quick.KeepReferenced(m_foodLog);
    if (m_file.HasRecord(kOwnCaloriesRecord)) {
        RecordStream stream(m_file, kOwnCaloriesRecord);
        if (!m_own.Load(stream, m_fitnessLog)) {
            whole = false;
            SaveList(m_fitnessLog);
        }
    }

    if (m_file.HasRecord(kSettingsRecord)) {
        RecordStream stream(m_file, kSettingsRecord);
        if (!m_settings.Load(stream)) {
            Store::Log(Store::Warning, "The settings record is damaged");
            whole = false;
            SaveSettings();
        }
    }
    return whole;
}

bool UserDatabase::KeepCopyOf(const QString& path, QString& text) const
{
    // Before anything is saved over it, and under a name no later start takes again.
    QFile found(path);
    QByteArray bytes;
    if (found.open(QIODevice::ReadOnly))
        bytes = found.readAll();
    const QString stem =
        path + TimeBase::LocalNow().toString(QStringLiteral("'.damaged-'yyyyMMdd-HHmmss"));
    QString copy = stem;
    for (int n = 2; QFileInfo::exists(copy) || QFileInfo(copy).isSymLink(); ++n)
        copy = stem + QStringLiteral("-%1").arg(n);
    QString why = found.errorString();
    const QString name = QFileInfo(path).fileName();
    if (bytes.size() != found.size() ||
        !PalmDatabaseFile::WriteFileAtomically(copy, bytes, path, why)) {
        text = QStringLiteral("%1 in %2 is damaged and no copy of it could be kept (%3), so it is "
                              "left as it is.")
                   .arg(name, ShownFolder(), why);
        return false;
    }
    text = QStringLiteral("Part of %1 could not be read. Nutrava kept what could be read; the "
                          "file as it was found is saved as %2 in %3.")
               .arg(name, QFileInfo(copy).fileName(), ShownFolder());
    Store::Log(Store::Warning, "%s", qUtf8Printable(text));
    return true;
}

void UserDatabase::KeepDamagedCopy()
{
    QString text;
    if (!KeepCopyOf(UserFilePath(), text)) {
        m_file.CloseWithoutSaving();
        SetError(DatabaseError::Damaged, text);
        return;
    }
    m_damageNotice = text;
}

template <class Self> auto& UserDatabase::ListOf(Self& self, ItemKind kind)
{
    switch (kind) {
    case FitnessKind:
        return self.m_fitnessLog;
    case FoodKind:
        return self.m_foodLog;
    case JournalKind:
        return self.m_journal;
    case FavoriteExerciseKind:
        return self.m_favoriteExercises;
    case FavoriteFoodKind:
        return self.m_favoriteFoods;
    default:
        return self.m_weights;
    }
}

ItemList& UserDatabase::List(ItemKind kind)
{
    return ListOf(*this, kind);
}

const ItemList& UserDatabase::List(ItemKind kind) const
{
    return ListOf(*this, kind);
}

std::unique_ptr<Item> UserDatabase::CreateItem(ItemKind kind, TimeBase::Stamp day)
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
    // A file without quick entries stays as the handheld wrote it.
    if (list.Kind() == FoodKind && (m_quick.Count() > 0 || m_file.HasRecord(kQuickEntriesRecord))) {
        stream.OpenNew(kQuickEntriesRecord);
        m_quick.Save(stream);
        stream.Flush();
    }
    if (list.Kind() == FitnessKind && (m_own.Count() > 0 || m_file.HasRecord(kOwnCaloriesRecord))) {
        // The quick entries' record first, so that this one never leaves a gap before it.
        if (!m_file.HasRecord(kQuickEntriesRecord)) {
            stream.OpenNew(kQuickEntriesRecord);
            m_quick.Save(stream);
            stream.Flush();
        }
        stream.OpenNew(kOwnCaloriesRecord);
        m_own.Save(stream, m_fitnessLog);
        stream.Flush();
    }
}

bool UserDatabase::Commit()
{
    if (!IsWritable())
        return false;
    const bool ownSaved = CommitOwnFoods() || !m_ownFoodsWritable;
    if (m_settings.Changed())
        SaveSettings();
    if (m_profile.Changed())
        SaveProfile();
    if (!m_file.IsDirty())
        return ownSaved;
    if (m_file.Save() != DatabaseError::None) {
        Store::Log(Store::Error, "user.pdb was not saved: %s", qUtf8Printable(m_file.ErrorText()));
        return false;
    }
    return ownSaved;
}
