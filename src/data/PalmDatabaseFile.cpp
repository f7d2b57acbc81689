#include "data/PalmDatabaseFile.h"

#include "data/AnsiCodec.h"
#include "data/Log.h"
#include "data/TimeBase.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct NameEntry
{
    const char16_t* database;
    const char16_t* file;
};

constexpr NameEntry kFiles[] = {
    {u"- KLV User Data", u"user.pdb"},           {u"- KLV Exercises Database", u"fitness_data.pdb"},
    {u"- KLV Foods Database", u"food_data.pdb"}, {u"- KLV Tips Database", u"tips.pdb"},
    {u"- KLV Text Database", u"text.pdb"},       {u"- KLV My Foods", u"my_foods.pdb"},
};

std::uint16_t Get16(const uchar* p)
{
    return qFromBigEndian<std::uint16_t>(p);
}
std::uint32_t Get32(const uchar* p)
{
    return qFromBigEndian<std::uint32_t>(p);
}
void Put16(QByteArray& out, std::uint16_t v)
{
    uchar b[2];
    qToBigEndian(v, b);
    out.append(reinterpret_cast<const char*>(b), 2);
}
void Put32(QByteArray& out, std::uint32_t v)
{
    uchar b[4];
    qToBigEndian(v, b);
    out.append(reinterpret_cast<const char*>(b), 4);
}

int UniqueIdOf(const PalmDatabaseFile::Entry& e)
{
    return (e.uniqueId[0] << 16) | (e.uniqueId[1] << 8) | e.uniqueId[2];
}

// Writes all of bytes, in pieces, so that a device that fails part way is caught there.
bool WriteWhole(QIODevice& device, const QByteArray& bytes, QString& error)
{
    constexpr qint64 kPiece = 64 * 1024;
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written =
            device.write(bytes.constData() + done, std::min(kPiece, bytes.size() - done));
        if (written <= 0) {
            error = device.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

void SyncFolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

PalmDatabaseFile::~PalmDatabaseFile()
{
    Close();
}

QString PalmDatabaseFile::FileNameFor(const QString& databaseName)
{
    for (const NameEntry& entry : kFiles) {
        if (databaseName == QStringView(entry.database))
            return QString::fromUtf16(entry.file);
    }
    return {};
}

std::uint32_t PalmDatabaseFile::FourCC(const char (&text)[5])
{
    return qFromBigEndian<std::uint32_t>(reinterpret_cast<const uchar*>(text));
}

bool PalmDatabaseFile::WriteFileAtomically(const QString& link, const QByteArray& bytes,
                                           const QString& like, QString& error)
{
    // Names and modes in plain calls: every save of the store and its backup comes through here,
    // and QFile's own checks of them took twice the system calls.
    const auto failed = [&error] {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    QByteArray path = QFile::encodeName(link);
    struct stat found = {};
    // A file kept elsewhere through a symbolic link stays there, the link in place.
    if (::lstat(path.constData(), &found) == 0 && S_ISLNK(found.st_mode))
        path = QFile::encodeName(QFileInfo(link).symLinkTarget());
    const mode_t mode = ::stat(QFile::encodeName(like).constData(), &found) == 0
                            ? found.st_mode & 0777
                            : S_IRUSR | S_IWUSR;
    const QByteArray temporary = path + kTemporarySuffix;
    // O_EXCL: never write through a link someone put at the temporary's name. One a killed
    // save left goes first.
    int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno == EEXIST && ::unlink(temporary.constData()) == 0)
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return failed();
    // Written through QFile on the handle, unbuffered; the handle stays ours to sync and close.
    QFile out;
    bool written =
        out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)
            ? WriteWhole(out, bytes, error)
            : failed();
    out.close();
    if (written && ::fsync(fd) != 0)
        written = failed();
    if (::close(fd) != 0 && written)
        written = failed();
    if (written && std::rename(temporary.constData(), path.constData()) != 0)
        written = failed();
    if (!written) {
        ::unlink(temporary.constData());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

DatabaseError PalmDatabaseFile::Fail(DatabaseError error, const QString& why)
{
    m_error = why;
    Store::Log(Store::Error, "%s: %s (%s)", qUtf8Printable(m_path), qUtf8Printable(why),
               DatabaseErrorName(error));
    return error;
}

void PalmDatabaseFile::RemoveSaveLeftovers(const QString& path)
{
    const QFileInfo info(path);
    const QString stem = info.fileName();
    const QString temporary = QLatin1String(kTemporarySuffix);
    // This database's header name, which the earlier scheme's copies share; read only when a
    // name of that scheme turns up, which is seldom.
    std::optional<QByteArray> name;
    const auto ownName = [&] {
        if (!name) {
            QFile own(path);
            name = own.open(QIODevice::ReadOnly) ? own.read(32) : QByteArray();
        }
        return *name;
    };
    // The earlier scheme named its temporaries with six random letters and digits. A file a
    // person named has a word there: no digit, and no capital after the first letter unless
    // all are capitals. Only copies of this very database go.
    const auto randomSuffix = [&](const QString& file) { // file begins with the stem and a dot
        const QStringView suffix = QStringView(file).mid(stem.size() + 1);
        if (suffix.size() != 6)
            return false;
        bool digit = false, lower = false, laterUpper = false;
        for (qsizetype i = 0; i < suffix.size(); ++i) {
            const char16_t c = suffix[i].unicode();
            if (c >= u'0' && c <= u'9')
                digit = true;
            else if (c >= u'a' && c <= u'z')
                lower = true;
            else if (c >= u'A' && c <= u'Z')
                laterUpper = laterUpper || i > 0;
            else
                return false;
        }
        return digit || (lower && laterUpper);
    };

    // Read with plain calls, unsorted: every open of the store walks its folder, and
    // QDirIterator's walk was a seventh of that open.
    const QString folderPath = info.absolutePath();
    const QByteArray folder = QFile::encodeName(folderPath);
    const QByteArray prefix = QFile::encodeName(stem) + '.';
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* found = ::readdir(dir)) {
        if (!QByteArrayView(found->d_name).startsWith(prefix))
            continue;
        // Files, links and the like; never a folder.
        struct stat kind = {};
        if (found->d_type == DT_DIR ||
            ((found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) &&
             ::fstatat(dirfd(dir), found->d_name, &kind, 0) == 0 && S_ISDIR(kind.st_mode)))
            continue;
        const QString entry = QFile::decodeName(found->d_name);
        const QString candidate = folderPath + u'/' + entry;
        bool ours = entry.endsWith(temporary);
        if (!ours && randomSuffix(entry) && ownName().size() == 32) {
            QFile file(candidate);
            ours = file.open(QIODevice::ReadOnly) && file.read(32) == ownName();
        }
        if (ours && ::unlinkat(dirfd(dir), found->d_name, 0) == 0)
            Store::Log(Store::Info, "Removed %s, left by an unfinished save",
                       qUtf8Printable(candidate));
    }
    ::closedir(dir);
}

DatabaseError PalmDatabaseFile::Create(const QString& path, const QString& databaseName,
                                       std::uint32_t creator, std::uint32_t type)
{
    Close();
    m_path = path;
    auto file = std::make_unique<QFile>(path);
    // Owner-only: user.pdb holds the blog password.
    if (!file->open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        m_error = file->errorString(); // an existing file is the usual, quiet case
        return DatabaseError::CannotCreate;
    }

    m_file = std::move(file);
    m_header = Header{};
    const QByteArray name = AnsiCodec::Encode(databaseName).left(31);
    std::memcpy(m_header.name.data(), name.constData(), name.size());
    m_header.type = type;
    m_header.creator = creator;
    m_header.creationDate = TimeBase::Now();
    m_entries.clear();
    m_count = 0;
    m_fileSize = 0;
    m_records = std::make_unique<std::vector<QByteArray>>();
    m_backedUp = true; // nothing to keep
    m_dirty = true;
    m_error.clear();
    return DatabaseError::None;
}

DatabaseError PalmDatabaseFile::Open(const QString& path, bool writable)
{
    Close();
    m_path = path;
    m_error.clear();
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: every read is a whole record at its offset, and a buffer would only copy it
    // once more (each seek drops what it holds).
    if (!file->open((writable ? QIODevice::ReadWrite : QIODevice::ReadOnly) |
                    QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        m_error = file->errorString();
        return DatabaseError::CannotOpen;
    }
    m_file = std::move(file);
    m_backedUp = false;
    m_dirty = false;
    return ReadDirectory(*m_file);
}

DatabaseError PalmDatabaseFile::OpenCopy(const QString& path)
{
    Close();
    m_path = path;
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly)) {
        m_error = file.errorString();
        return DatabaseError::CannotOpen;
    }
    if (file.size() > kMaxCopySize)
        return Fail(DatabaseError::Damaged,
                    QStringLiteral("file is larger than %1 bytes").arg(kMaxCopySize));
    // read() reserves what it is asked for: the size found, and a byte to see the file grow.
    const QByteArray bytes = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError) {
        m_error = file.errorString();
        return DatabaseError::CannotOpen;
    }
    if (bytes.size() > kMaxCopySize)
        return Fail(DatabaseError::Damaged,
                    QStringLiteral("file is larger than %1 bytes").arg(kMaxCopySize));
    auto copy = std::make_unique<QBuffer>();
    copy->setData(bytes);
    copy->open(QIODevice::ReadOnly);
    m_copy = std::move(copy);
    m_dirty = false;
    return ReadDirectory(*m_copy);
}

QIODevice* PalmDatabaseFile::Device() const
{
    if (m_file)
        return m_file.get();
    return m_copy.get();
}

DatabaseError PalmDatabaseFile::ReadDirectory(QIODevice& device)
{
    m_fileSize = device.size();

    const QByteArray head = device.read(kHeaderSize);
    if (head.size() != kHeaderSize)
        return Fail(DatabaseError::Damaged, QStringLiteral("header is truncated"));
    const auto* p = reinterpret_cast<const uchar*>(head.constData());
    std::memcpy(m_header.name.data(), p, 32);
    m_header.attributes = Get16(p + 32);
    m_header.version = Get16(p + 34);
    m_header.creationDate = Get32(p + 36);
    m_header.modificationDate = Get32(p + 40);
    m_header.backupDate = Get32(p + 44);
    m_header.modificationNumber = Get32(p + 48);
    m_header.appInfoOffset = Get32(p + 52);
    m_header.sortInfoOffset = Get32(p + 56);
    m_header.type = Get32(p + 60);
    m_header.creator = Get32(p + 64);
    m_header.uniqueIdSeed = Get32(p + 68);
    m_header.nextRecordList = Get32(p + 72);
    m_header.recordCount = Get16(p + 76);

    const std::uint32_t count = m_header.recordCount;
    if (count == 0)
        return DatabaseError::None;

    // Checked before reading: read() reserves what it is asked for, and a count of 65,535 in
    // a file of a few bytes would take half a megabyte for nothing.
    const qint64 listSize = qint64(kEntrySize) * count;
    if (kHeaderSize + listSize > m_fileSize)
        return Fail(DatabaseError::Damaged, QStringLiteral("record list is truncated"));
    const QByteArray list = device.read(listSize);
    if (list.size() != listSize)
        return Fail(DatabaseError::Damaged, QStringLiteral("record list is truncated"));

    // Every record must lie inside the file, in entry order; anything else is damage, and
    // guessing lengths from it would read or write the wrong bytes.
    const std::uint32_t dataStart = kHeaderSize + kEntrySize * count;
    std::vector<Entry> entries(count);
    std::uint32_t previous = dataStart;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto* e = reinterpret_cast<const uchar*>(list.constData()) + i * kEntrySize;
        entries[i].offset = Get32(e);
        entries[i].attributes = e[4];
        std::memcpy(entries[i].uniqueId.data(), e + 5, 3);
        if (entries[i].offset < previous || entries[i].offset > m_fileSize)
            return Fail(DatabaseError::Damaged,
                        QStringLiteral("record %1 has offset %2 outside the file or out "
                                       "of order")
                            .arg(i)
                            .arg(entries[i].offset));
        previous = entries[i].offset;
    }
    m_entries = std::move(entries);
    m_count = count;
    return DatabaseError::None;
}

void PalmDatabaseFile::CloseWithoutSaving()
{
    m_records.reset();
    Close();
}

DatabaseError PalmDatabaseFile::Close()
{
    if (m_copy) {
        m_entries.clear();
        m_count = 0;
        m_copy.reset();
        return DatabaseError::None;
    }
    if (!m_file)
        return DatabaseError::None;
    DatabaseError saved = DatabaseError::None;
    if (m_records) {
        // A file saved since its last change is not written again: closing after a commit
        // would otherwise rewrite and sync all of user.pdb at every exit.
        if (m_dirty)
            saved = Save();
        m_records.reset();
    }
    m_entries.clear();
    m_count = 0;
    m_file->close();
    m_file.reset();
    return saved;
}

int PalmDatabaseFile::RecordLength(int index) const
{
    if (!IsOpen() || index < 0 || std::uint32_t(index) >= m_count)
        return -1;
    if (m_records)
        return int((*m_records)[index].size());
    const std::uint32_t end = std::uint32_t(index) + 1 < m_count ? m_entries[index + 1].offset
                                                                 : std::uint32_t(m_fileSize);
    return int(end - m_entries[index].offset);
}

bool PalmDatabaseFile::HasRecord(int index) const
{
    if (index < 0) {
        Store::Log(Store::Error, "DB record index = %d", index);
        return false;
    }
    return std::uint32_t(index) < m_count && RecordLength(index) != 0;
}

std::optional<QByteArray> PalmDatabaseFile::ReadRecord(int index) const
{
    if (!IsOpen() || index < 0 || std::uint32_t(index) >= m_count)
        return std::nullopt;
    if (m_records)
        return (*m_records)[index];
    const int length = RecordLength(index);
    QIODevice* device = Device();
    if (!device->seek(m_entries[index].offset))
        return std::nullopt;
    QByteArray data = device->read(length);
    if (data.size() != length)
        return std::nullopt;
    return data;
}

bool PalmDatabaseFile::LoadAll()
{
    if (!m_file)
        return false;
    if (m_records)
        return true;
    auto records = std::make_unique<std::vector<QByteArray>>();
    records->reserve(m_count);
    bool complete = true;
    for (std::uint32_t i = 0; i < m_count; ++i) {
        std::optional<QByteArray> data = ReadRecord(int(i));
        if (!data) {
            Store::Log(Store::Error, "%s: record %u cannot be read", qUtf8Printable(m_path), i);
            complete = false;
            data = QByteArray();
        }
        records->push_back(std::move(*data));
    }
    m_records = std::move(records);
    return complete;
}

void PalmDatabaseFile::WriteRecord(int index, const char* data, int length)
{
    if (!m_file || index < 0 || length < 0)
        return;
    if (!m_records)
        LoadAll();
    std::vector<QByteArray>& records = *m_records;
    if (std::uint32_t(index) < m_count) {
        QByteArray& record = records[index];
        const bool sameLength = m_exactLengths ? length == record.size() : length <= record.size();
        if (sameLength &&
            (length == 0 || std::memcmp(record.constData(), data, size_t(length)) == 0))
            return;
        if (m_exactLengths || length > record.size())
            record.resize(length);
        if (length > 0)
            std::memcpy(record.data(), data, size_t(length));
        m_dirty = true;
        return;
    }
    records.resize(size_t(index) + 1);
    records[index] = QByteArray(data, length);
    m_count = std::uint32_t(index) + 1;
    m_dirty = true;
}

QByteArray PalmDatabaseFile::BuildImage(Header& header, std::vector<Entry>& entries) const
{
    const std::uint32_t oldCount = header.recordCount;
    header.modificationNumber += 1;
    header.recordCount = std::uint16_t(m_count);
    header.modificationDate = TimeBase::Now();

    if (m_count > entries.size()) {
        int largest = -1;
        for (std::uint32_t i = 0; i < oldCount && i < entries.size(); ++i)
            largest = std::max(largest, UniqueIdOf(entries[i]));
        const size_t first = entries.size();
        entries.resize(m_count);
        for (size_t i = first; i < entries.size(); ++i) {
            const int id = ++largest;
            entries[i].attributes = 0;
            entries[i].uniqueId = {std::uint8_t(id >> 16), std::uint8_t(id >> 8), std::uint8_t(id)};
        }
    }

    QByteArray image;
    qsizetype total = kHeaderSize + qsizetype(kEntrySize) * m_count + (m_count == 0 ? 2 : 0);
    for (const QByteArray& record : *m_records)
        total += record.size();
    image.reserve(total);

    image.append(header.name.data(), 32);
    Put16(image, header.attributes);
    Put16(image, header.version);
    Put32(image, header.creationDate);
    Put32(image, header.modificationDate);
    Put32(image, header.backupDate);
    Put32(image, header.modificationNumber);
    Put32(image, header.appInfoOffset);
    Put32(image, header.sortInfoOffset);
    Put32(image, header.type);
    Put32(image, header.creator);
    Put32(image, header.uniqueIdSeed);
    Put32(image, header.nextRecordList);
    Put16(image, header.recordCount);

    if (m_count == 0) {
        image.append(2, '\0');
        return image;
    }
    std::uint32_t offset = kHeaderSize + kEntrySize * m_count;
    for (std::uint32_t i = 0; i < m_count; ++i) {
        entries[i].offset = offset;
        offset += std::uint32_t((*m_records)[i].size());
    }
    for (std::uint32_t i = 0; i < m_count; ++i) {
        Put32(image, entries[i].offset);
        image.append(char(entries[i].attributes));
        image.append(reinterpret_cast<const char*>(entries[i].uniqueId.data()), 3);
    }
    for (const QByteArray& record : *m_records)
        image.append(record);
    return image;
}

DatabaseError PalmDatabaseFile::Save()
{
    if (!m_file || !m_records)
        return DatabaseError::None;
    Header header = m_header;
    std::vector<Entry> entries = m_entries;
    const QByteArray image = BuildImage(header, entries);
    const bool written = m_atomic ? WriteAtomically(image) : WriteInPlace(image);
    if (!written)
        return DatabaseError::CannotWrite;
    m_header = header;
    m_entries = std::move(entries);
    m_fileSize = image.size();
    m_dirty = false;
    return DatabaseError::None;
}

DatabaseError PalmDatabaseFile::WriteTo(QIODevice& device) const
{
    if (!m_records)
        return DatabaseError::None;
    Header header = m_header;
    std::vector<Entry> entries = m_entries;
    QString why;
    if (!WriteWhole(device, BuildImage(header, entries), why)) {
        Store::Log(Store::Error, "%s: cannot write: %s", qUtf8Printable(m_path),
                   qUtf8Printable(why));
        return DatabaseError::CannotWrite;
    }
    return DatabaseError::None;
}

bool PalmDatabaseFile::WriteInPlace(const QByteArray& image)
{
    if (!m_file->seek(0) || m_file->write(image) != image.size() || !m_file->resize(image.size()) ||
        !m_file->flush()) {
        Fail(DatabaseError::CannotWrite,
             QStringLiteral("cannot write: %1").arg(m_file->errorString()));
        return false;
    }
    return true;
}

bool PalmDatabaseFile::WriteAtomically(const QByteArray& image)
{
    QString why;
    if (!m_backedUp) {
        // The backup is written whole and renamed into place like the file itself, so that
        // once a backup exists one always does. Until one was made, each save tries again.
        m_file->seek(0);
        const QByteArray found = m_file->readAll();
        m_backedUp = found.size() == m_fileSize &&
                     WriteFileAtomically(m_path + m_backupSuffix, found, m_path, why);
        if (!m_backedUp)
            Store::Log(Store::Warning, "%s: no backup could be made: %s", qUtf8Printable(m_path),
                       qUtf8Printable(why));
    }

    if (!WriteFileAtomically(m_path, image, m_path, why)) {
        Fail(DatabaseError::CannotWrite, QStringLiteral("cannot write: %1").arg(why));
        return false;
    }
    // The old handle now refers to the replaced file; follow the new one.
    m_file->close();
    m_file->setFileName(m_path);
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        Store::Log(Store::Warning, "%s: cannot reopen after save", qUtf8Printable(m_path));
    return true;
}
