#include "proxy/PostingService.h"

#include "blog/PostProtocol.h"
#include "data/AnsiCodec.h"
#include "proxy/AccountFile.h"
#include "proxy/BlogName.h"
#include "proxy/BlogStore.h"
#include "proxy/HtmlText.h"
#include "proxy/RequestLog.h"

#include <QHostAddress>
#include <QMutexLocker>

namespace {

constexpr qint64 kFailureWindowMs = 60'000;
// Entries kept for throttling; past it the oldest minute's addresses are forgotten early.
constexpr qsizetype kMaxThrottled = 100'000;

// The part of an address one client controls: an IPv6 client holds a whole /64.
QString ClientKey(const QString& address)
{
    QHostAddress host(address);
    if (host.protocol() != QAbstractSocket::IPv6Protocol || host.toIPv4Address() != 0)
        return address;
    Q_IPV6ADDR bytes = host.toIPv6Address();
    std::fill(std::begin(bytes.c) + 8, std::end(bytes.c), 0);
    return QHostAddress(bytes).toString() + QStringLiteral("/64");
}

// Control characters other than tab and line breaks cannot stand in a page or a feed.
QString WithoutControls(QString text)
{
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') ||
               c.unicode() == 0x7F || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF;
    });
    return text;
}

} // namespace

PostingService::PostingService(AccountFile& accounts, BlogStore& store, const RequestLog& log)
    : m_accounts(accounts), m_store(store), m_log(log)
{
    m_clock.start();
}

PostingService::Answer PostingService::Handle(const Request& request)
{
    if (request.contentType.trimmed() != PostProtocol::kContentType)
        return {415,
                QStringLiteral("The posting service expects the content type %1.")
                    .arg(QLatin1StringView(PostProtocol::kContentType)),
                {}};
    if (!request.protoVersion.startsWith(PostProtocol::kProtoVersionPrefix))
        return {400,
                QStringLiteral("This version of the posting protocol is not supported. "
                               "Update Nutrava and try again."),
                {}};

    const QByteArray credentials =
        PostProtocol::DecodeAuth(QString::fromLatin1(request.auth), PostProtocol::ScrambleKey());
    const std::optional<PostProtocol::Credentials> account =
        credentials.isEmpty() ? std::nullopt
                              : PostProtocol::SplitCredentials(AnsiCodec::Decode(credentials));
    if (!account)
        return {401,
                QStringLiteral("The blog account could not be read. Enter the blog name, "
                               "e-mail and password on the blog account page."),
                {}};
    const QString blog = BlogName::FromAddress(account->blogAddress);
    if (blog.isEmpty())
        return {404,
                QStringLiteral("\"%1\" is not a blog name. Use a simple blog name, like "
                               "\"myblog\".")
                    .arg(account->blogAddress.left(BlogName::kMaxLength)),
                {}};

    QString error;
    if (!m_accounts.Refresh(&error)) {
        m_log.Note(QStringLiteral("accounts not reloaded: ") + error);
    }
    if (!m_accounts.Contains(blog))
        return {404,
                QStringLiteral("There is no blog named \"%1\" on this posting service.").arg(blog),
                blog};
    const QString client = ClientKey(request.client);
    if (TooManyFailures(client, blog))
        return {429,
                QStringLiteral("Too many wrong passwords for this blog. Wait a minute and try "
                               "again."),
                blog};
    if (!m_accounts.Verify(blog, account->email, account->password)) {
        NoteFailure(client, blog);
        return {401,
                QStringLiteral("The e-mail or password is wrong for the blog \"%1\".").arg(blog),
                blog};
    }

    if (request.operation == Operation::Test)
        return {200, QStringLiteral("verified"), blog};

    const std::optional<QStringList> fields = PostProtocol::SplitFields(request.body);
    if (!fields || fields->size() != kPostFields)
        return {400,
                QStringLiteral("The post did not arrive whole: it needs a title, a text and an "
                               "author."),
                blog};
    const QString title = WithoutControls(fields->at(0)).simplified();
    const QString text = WithoutControls(fields->at(1));
    const QString author = WithoutControls(fields->at(2)).simplified();
    if (title.isEmpty())
        return {400, QStringLiteral("The post has no title."), blog};

    const QString html =
        HtmlText::IsTable(text) ? HtmlText::KeepTableTags(text) : HtmlText::FromPlainText(text);
    const PublishResult published = m_store.Publish(blog, title, html, author);
    switch (published.status) {
    case PublishResult::Status::Published:
    case PublishResult::Status::Repeated:
        return {200, QStringLiteral("posted"), blog};
    case PublishResult::Status::Full:
        return {507,
                QStringLiteral("The blog \"%1\" is full: it holds all this posting service "
                               "keeps for one blog. Ask its administrator for room.")
                    .arg(blog),
                blog};
    case PublishResult::Status::Failed:
        break;
    }
    m_log.Note(QStringLiteral("post to ") + blog + QStringLiteral(" not published: ") +
               published.error);
    return {500, QStringLiteral("The posting service could not save the post. Try again later."),
            blog};
}

bool PostingService::TooManyFailures(const QString& client, const QString& blog)
{
    const QMutexLocker lock(&m_failuresMutex);
    const qint64 now = m_clock.elapsed();
    const auto recent = [&](const QString& key) {
        auto found = m_failures.find(key);
        if (found == m_failures.end())
            return 0;
        found->removeIf([now](qint64 at) { return now - at > kFailureWindowMs; });
        const auto count = static_cast<int>(found->size());
        if (count == 0)
            m_failures.erase(found);
        return count;
    };
    return recent(client + u' ' + blog) >= kMaxFailuresPerMinute ||
           recent(client) >= kMaxClientFailuresPerMinute;
}

void PostingService::NoteFailure(const QString& client, const QString& blog)
{
    const QMutexLocker lock(&m_failuresMutex);
    const qint64 now = m_clock.elapsed();
    if (m_failures.size() >= kMaxThrottled) {
        m_failures.removeIf([now](const auto& entry) {
            return entry.value().isEmpty() || now - entry.value().back() > kFailureWindowMs / 2;
        });
    }
    m_failures[client + u' ' + blog].append(now);
    m_failures[client].append(now);
}
