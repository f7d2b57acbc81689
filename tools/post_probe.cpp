// Drives the blog posting client by hand: sends one post or account test to the posting proxy
// under the status dialog and prints how it ended. With --no-dialog it posts without the dialog
// and the connection check, prints "OK: " or "Failed: " and the answer's text, and never waits
// for a person: for scripts.
//
//   post_probe [--url URL] [--credentials "blog.address e-mail password"] [--field TEXT]...
//              [--grab FILE.png --grab-after MS] [--no-dialog]

#include "blog/PostProgressSink.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "posting/ConnectionStatusDialog.h"
#include "posting/DataConnection.h"
#include "posting/SubmitPost.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// Keeps the outcome and ends the wait for it.
class OutcomeSink final : public PostProgressSink
{
public:
    void SetCancel(std::shared_ptr<PostCancel> cancel) override { m_cancel = std::move(cancel); }
    void OnProgress(int, const QString&, float) override {}
    void OnComplete(std::int32_t result, const QString& message) override
    {
        outcome = PostProtocol::Outcome{result, message};
        loop.quit();
    }

    QEventLoop loop;
    std::optional<PostProtocol::Outcome> outcome;

private:
    std::shared_ptr<PostCancel> m_cancel;
};

int PostWithoutDialog(const PostRequest& request, const QString& url)
{
    OutcomeSink sink;
    SubmitPostOptions options;
    options.ensureConnection = [](const QUrl&, PostProgressSink*) { return true; };
    options.timeout = std::chrono::seconds(30);
    if (!SubmitPost(request, url, &sink, options)) {
        std::puts("Failed: the transfer did not start");
        return 1;
    }
    // The outcome may come before the loop runs.
    if (!sink.outcome)
        sink.loop.exec();
    const bool accepted = sink.outcome->result >= 0;
    std::printf("%s: %s\n", accepted ? "OK" : "Failed", qPrintable(sink.outcome->message));
    return accepted ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption url(QStringLiteral("url"), QStringLiteral("Address to post to."),
                                 QStringLiteral("URL"), PostProtocol::PostUrl());
    const QCommandLineOption credentials(
        QStringLiteral("credentials"),
        QStringLiteral("Blog address, e-mail and password joined by single spaces."),
        QStringLiteral("TEXT"),
        PostProtocol::BlogAddress(QStringLiteral("myblog")) +
            QStringLiteral(" me@example.com secret"));
    const QCommandLineOption field(QStringLiteral("field"),
                                   QStringLiteral("A body field; repeat for more."),
                                   QStringLiteral("TEXT"));
    const QCommandLineOption grab(QStringLiteral("grab"),
                                  QStringLiteral("Save a picture of the dialog to FILE."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption grabAfter(QStringLiteral("grab-after"),
                                       QStringLiteral("When to take the picture."),
                                       QStringLiteral("MS"), QStringLiteral("1000"));
    const QCommandLineOption noDialog(
        QStringLiteral("no-dialog"),
        QStringLiteral("Post without the dialog and the connection check and print the answer."));
    parser.addOptions({url, credentials, field, grab, grabAfter, noDialog});
    parser.process(app);

    PostRequest request(parser.value(credentials));
    for (const QString& text : parser.values(field))
        request.AppendField(text);
    if (parser.isSet(noDialog))
        return PostWithoutDialog(request, parser.value(url));

    DataConnection connection;
    SubmitPostOptions options;
    options.ensureConnection = [&connection](const QUrl&, PostProgressSink*) {
        return connection.EnsureDataConnection();
    };

    ConnectionStatusDialog dialog;
    if (!SubmitPost(request, parser.value(url), &dialog, options)) {
        std::puts("Posting falied");
        return 1;
    }
    if (parser.isSet(grab)) {
        QTimer::singleShot(parser.value(grabAfter).toInt(), &dialog,
                           [&] { dialog.grab().save(parser.value(grab)); });
    }
    const int result = dialog.exec();
    std::printf("%s\n", result == QDialog::Accepted ? "OK" : "Cancel");
    if (dialog.Failed())
        std::printf("%s\n", qPrintable(dialog.StatusText()));
    return result == QDialog::Accepted ? 0 : 2;
}
