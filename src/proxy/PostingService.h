#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

class AccountFile;
class BlogStore;
class RequestLog;

// The posting protocol's two operations, "/test" and "/post", apart from HTTP: checks the
// headers and the account, decodes the fields and publishes. Every refusal carries a sentence
// the program shows its user as it is.
class PostingService final
{
public:
    enum class Operation
    {
        Test,
        Post,
    };

    struct Request
    {
        Operation operation = Operation::Test;
        QString client; // the address it came from, for throttling wrong passwords
        QByteArray contentType;
        QByteArray auth;
        QByteArray protoVersion;
        QByteArray body;
    };

    struct Answer
    {
        unsigned code = 0;
        QString message;
        QString blog; // for the log; empty until the Auth value named a blog
    };

    // Wrong passwords one client address may try within a minute, on one blog and on all
    // together, before its tries are refused without looking. Another address is never held
    // up by them, so nobody can lock an owner out.
    static constexpr int kMaxFailuresPerMinute = 5;
    static constexpr int kMaxClientFailuresPerMinute = 20;
    // The three fields of a post: title, text, author.
    static constexpr qsizetype kPostFields = 3;

    PostingService(AccountFile& accounts, BlogStore& store, const RequestLog& log);

    // May be called from several threads at once.
    Answer Handle(const Request& request);

private:
    bool TooManyFailures(const QString& client, const QString& blog);
    void NoteFailure(const QString& client, const QString& blog);

    AccountFile& m_accounts;
    BlogStore& m_store;
    const RequestLog& m_log;
    QElapsedTimer m_clock;
    QMutex m_failuresMutex;
    // Times of recent wrong passwords, per client address and blog ("address blog") and per
    // client address alone.
    QHash<QString, QList<qint64>> m_failures;
};
