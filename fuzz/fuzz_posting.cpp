// The posting service's reading of what a client sends: the Auth value and the blog it names, a
// Host header, and a post's fields made into a page. The input is the Auth value, a NUL, then
// the body.
#include "FuzzSupport.h"

#include "blog/PostProtocol.h"
#include "proxy/AccountFile.h"
#include "proxy/BlogName.h"
#include "proxy/BlogStore.h"
#include "proxy/HtmlText.h"
#include "proxy/PostingService.h"
#include "proxy/RequestLog.h"

namespace {

struct Service
{
    Service()
    {
        QString error;
        // Few iterations: a guessed password costs a derivation on every run.
        Fuzz::Require(accounts.Set(QStringLiteral("myblog"), QStringLiteral("joe@example.com"),
                                   QStringLiteral("s3cret pass"), &error, 1000),
                      "account");
    }
    RequestLog log{[](const QString&) {}};
    AccountFile accounts{Fuzz::Folder().filePath(QStringLiteral("accounts"))};
    BlogStore store{Fuzz::Folder().path()};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Service service;
    // A service of its own for every input: one shared would count the wrong passwords of all
    // earlier inputs, refuse the blog after five of them and never check a password again.
    PostingService posting{service.accounts, service.store, service.log};
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = input.indexOf('\0');
    PostingService::Request request;
    // An account test runs every check a post does, short of publishing.
    request.operation = PostingService::Operation::Test;
    request.client = QStringLiteral("127.0.0.1");
    request.contentType = PostProtocol::kContentType;
    request.protoVersion = QByteArrayLiteral("1.0/1.55");
    request.auth = cut < 0 ? input : input.left(cut);
    request.body = cut < 0 ? QByteArray() : input.mid(cut + 1);
    const PostingService::Answer answer = posting.Handle(request);
    Fuzz::Require(answer.code >= 200 && answer.code < 600 && !answer.message.isEmpty(), "answer");

    BlogName::FromHost(QString::fromLatin1(request.auth));
    if (const std::optional<QStringList> fields = PostProtocol::SplitFields(request.body)) {
        for (const QString& field : *fields) {
            const QString html = HtmlText::IsTable(field) ? HtmlText::KeepTableTags(field)
                                                          : HtmlText::FromPlainText(field);
            Fuzz::Require(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive),
                          "script in a page");
        }
    }
    return 0;
}
