#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

// The blogs the proxy posts to, one line each in a text file of its own: blog name, e-mail and
// a salted PBKDF2-SHA256 hash of the password, separated by tabs. The password itself is never
// stored. The file is written whole and readable by its owner only.
class AccountFile final
{
public:
    struct Account
    {
        QString blog;
        QString email;
        QString hash; // "pbkdf2-sha256$iterations$salt$key", salt and key in Base64
    };

    // PBKDF2-HMAC-SHA256 as current guidance has it (OWASP, 2023). Hashes stored with fewer
    // iterations by older versions still verify.
    static constexpr int kIterations = 600'000;
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    explicit AccountFile(QString path);

    const QString& Path() const { return m_path; }
    // Reads the file; a missing file is an empty list. On a damaged file the accounts stay as
    // they were and the error names the line.
    bool Load(QString* error);
    // Reads the file again when it changed since the last look. Refresh, Contains and Verify
    // may be called from several threads at once; the rest from one.
    bool Refresh(QString* error);
    bool Save(QString* error);

    const QList<Account>& Accounts() const { return m_accounts; }
    const Account* Find(const QString& blog) const;
    bool Contains(const QString& blog) const;
    // Adds the blog or replaces its e-mail and password. False with a reason for a name or
    // e-mail the proxy cannot serve.
    bool Set(const QString& blog, const QString& email, const QString& password, QString* error,
             int iterations = kIterations);
    bool Remove(const QString& blog);

    // Whether e-mail (in any case) and password are the blog's. A match is remembered for the
    // life of the object, so that only a new or wrong password costs a key derivation.
    bool Verify(const QString& blog, const QString& email, const QString& password);

    static QString HashPassword(const QString& password, int iterations = kIterations);
    static bool PasswordMatches(const QString& hash, const QString& password);
    static bool IsValidEmail(const QString& email);

private:
    QByteArray Token(const Account& account, const QString& email, const QString& password) const;

    QString m_path;
    QList<Account> m_accounts;
    QDateTime m_loadedModified;
    qint64 m_loadedSize = -1;
    QByteArray m_tokenKey; // random per process: the remembered matches mean nothing elsewhere
    QHash<QString, QByteArray> m_verified;
    mutable QMutex m_mutex; // over the accounts and the remembered matches
};
