#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
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

    // Wrong passwords a blog takes within a minute before it refuses without looking.
    static constexpr int kMaxFailuresPerMinute = 5;
    // The three fields of a post: title, text, author.
    static constexpr qsizetype kPostFields = 3;

    PostingService(AccountFile& accounts, BlogStore& store, const RequestLog& log);

    Answer Handle(const Request& request);

private:
    bool TooManyFailures(const QString& blog);
    void NoteFailure(const QString& blog);

    AccountFile& m_accounts;
    BlogStore& m_store;
    const RequestLog& m_log;
    QElapsedTimer m_clock;
    QHash<QString, QList<qint64>> m_failures; // times of recent wrong passwords, per blog
};
