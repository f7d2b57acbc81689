#include "proxy/AccountFile.h"

#include "proxy/BlogName.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QMutexLocker>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSemaphore>
#include <QThread>

namespace {

constexpr QLatin1StringView kScheme("pbkdf2-sha256");
constexpr int kMinIterations = 1000;
constexpr int kMaxIterations = 10'000'000;
constexpr qsizetype kSaltBytes = 16;
constexpr qsizetype kKeyBytes = 32;

QByteArray RandomBytes(qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                          count / sizeof(quint32));
    return bytes;
}

struct HashParts
{
    int iterations = 0;
    QByteArray salt;
    QByteArray key;
};

std::optional<HashParts> ParseHash(const QString& hash)
{
    const QStringList parts = hash.split(u'$');
    if (parts.size() != 4 || parts[0] != kScheme)
        return std::nullopt;
    HashParts result;
    bool ok = false;
    result.iterations = parts[1].toInt(&ok);
    const auto salt = QByteArray::fromBase64Encoding(parts[2].toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
    const auto key = QByteArray::fromBase64Encoding(parts[3].toLatin1(),
                                                    QByteArray::AbortOnBase64DecodingErrors);
    if (!ok || result.iterations < kMinIterations || result.iterations > kMaxIterations || !salt ||
        salt.decoded.size() < 8 || salt.decoded.size() > 64 || !key ||
        key.decoded.size() != kKeyBytes)
        return std::nullopt;
    result.salt = salt.decoded;
    result.key = key.decoded;
    return result;
}

QByteArray DeriveKey(const QString& password, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kKeyBytes);
}

// Compares without stopping at the first difference, so the time says nothing about the key.
bool SameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

AccountFile::AccountFile(QString path) : m_path(std::move(path)), m_tokenKey(RandomBytes(32)) {}

bool AccountFile::Load(QString* error)
{
    QFile file(m_path);
    const QFileInfo info(file);
    QList<Account> accounts;
    if (info.exists()) {
        if (info.size() > kMaxFileBytes) {
            *error = QStringLiteral("%1 is larger than any account file").arg(m_path);
            return false;
        }
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            *error = QStringLiteral("cannot read %1: %2").arg(m_path, file.errorString());
            return false;
        }
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList fields = line.split(u'\t');
            const bool good = fields.size() == 3 && BlogName::IsValid(fields[0]) &&
                              IsValidEmail(fields[1]) && ParseHash(fields[2]).has_value();
            if (!good) {
                *error = QStringLiteral("%1, line %2: expected blog name, e-mail and password "
                                        "hash separated by tabs")
                             .arg(m_path)
                             .arg(i + 1);
                return false;
            }
            if (std::any_of(accounts.cbegin(), accounts.cend(),
                            [&](const Account& a) { return a.blog == fields[0]; })) {
                *error = QStringLiteral("%1, line %2: the blog %3 is listed twice")
                             .arg(m_path)
                             .arg(i + 1)
                             .arg(fields[0]);
                return false;
            }
            accounts.append({fields[0], fields[1], fields[2]});
        }
    }
    m_accounts = accounts;
    m_loadedModified = info.exists() ? info.lastModified() : QDateTime();
    m_loadedSize = info.exists() ? info.size() : -1;
    return true;
}

bool AccountFile::Refresh(QString* error)
{
    const QMutexLocker lock(&m_mutex);
    const QFileInfo info(m_path);
    const qint64 size = info.exists() ? info.size() : -1;
    if (size == m_loadedSize && (!info.exists() || info.lastModified() == m_loadedModified))
        return true;
    return Load(error);
}

bool AccountFile::Save(QString* error)
{
    QString text = QStringLiteral("# nutrava-proxy accounts: blog name, e-mail, password hash\n");
    for (const Account& account : m_accounts)
        text += account.blog + u'\t' + account.email + u'\t' + account.hash + u'\n';
    QSaveFile file(m_path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_path, file.errorString());
        return false;
    }
    const QFileInfo info(m_path);
    m_loadedModified = info.lastModified();
    m_loadedSize = info.size();
    return true;
}

const AccountFile::Account* AccountFile::Find(const QString& blog) const
{
    for (const Account& account : m_accounts) {
        if (account.blog == blog)
            return &account;
    }
    return nullptr;
}

bool AccountFile::Set(const QString& blog, const QString& email, const QString& password,
                      QString* error, int iterations)
{
    if (!BlogName::IsValid(blog)) {
        *error = QStringLiteral("a blog name is 1 to %1 lower-case letters, digits and inner "
                                "hyphens, like \"myblog\", and not \"post\" or \"test\"")
                     .arg(BlogName::kMaxLength);
        return false;
    }
    if (!IsValidEmail(email)) {
        *error = QStringLiteral("an e-mail address has one \"@\" and no spaces or commas");
        return false;
    }
    if (password.isEmpty()) {
        *error = QStringLiteral("the password must not be empty");
        return false;
    }
    const Account account{blog, email, HashPassword(password, iterations)};
    Remove(blog);
    m_accounts.append(account);
    return true;
}

bool AccountFile::Remove(const QString& blog)
{
    m_verified.remove(blog);
    return m_accounts.removeIf([&](const Account& a) { return a.blog == blog; }) > 0;
}

QByteArray AccountFile::Token(const Account& account, const QString& email,
                              const QString& password) const
{
    QMessageAuthenticationCode code(QCryptographicHash::Sha256, m_tokenKey);
    code.addData(account.hash.toUtf8() + '\0' + email.toLower().toUtf8() + '\0' +
                 password.toUtf8());
    return code.result();
}

bool AccountFile::Contains(const QString& blog) const
{
    const QMutexLocker lock(&m_mutex);
    return Find(blog) != nullptr;
}

bool AccountFile::Verify(const QString& blog, const QString& email, const QString& password)
{
    QMutexLocker lock(&m_mutex);
    const Account* found = Find(blog);
    if (!found)
        return false;
    const Account account = *found;
    const QByteArray token = Token(account, email, password);
    if (const auto known = m_verified.constFind(blog);
        known != m_verified.constEnd() && SameBytes(*known, token))
        return true;
    lock.unlock();
    if (account.email.compare(email, Qt::CaseInsensitive) != 0)
        return false;
    {
        // A derivation takes a core for most of a second: no more run at once than there are
        // cores, so that wrong guesses cannot starve the serving of pages.
        static QSemaphore derivations(std::max(1, QThread::idealThreadCount()));
        derivations.acquire();
        const QSemaphoreReleaser release(derivations);
        if (!PasswordMatches(account.hash, password))
            return false;
    }
    lock.relock();
    m_verified.insert(blog, token);
    return true;
}

QString AccountFile::HashPassword(const QString& password, int iterations)
{
    const QByteArray salt = RandomBytes(kSaltBytes);
    return QString(kScheme) + u'$' + QString::number(iterations) + u'$' +
           QString::fromLatin1(salt.toBase64()) + u'$' +
           QString::fromLatin1(DeriveKey(password, salt, iterations).toBase64());
}

bool AccountFile::PasswordMatches(const QString& hash, const QString& password)
{
    const std::optional<HashParts> parts = ParseHash(hash);
    return parts && SameBytes(DeriveKey(password, parts->salt, parts->iterations), parts->key);
}

bool AccountFile::IsValidEmail(const QString& email)
{
    const bool printable =
        std::all_of(email.cbegin(), email.cend(), [](QChar c) { return c.isPrint() && c != u' '; });
    return printable && email.count(u'@') == 1 && !email.contains(u',') && email.size() <= 254;
}
