// Drives the blog posting client by hand: sends one post or account test to the posting proxy
// under the status dialog and prints how it ended.
//
//   post_probe [--url URL] [--credentials "blog.address e-mail password"] [--field TEXT]...
//              [--grab FILE.png --grab-after MS]

#include "blog/ConnectionStatusDialog.h"
#include "blog/DataConnection.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "blog/SubmitPost.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

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
    parser.addOptions({url, credentials, field, grab, grabAfter});
    parser.process(app);

    DataConnection connection;
    InstallConnectionCheck([&connection](const QUrl&, PostProgressSink*) {
        return connection.EnsureDataConnection();
    });

    PostRequest request(parser.value(credentials));
    for (const QString& text : parser.values(field))
        request.AppendField(text);

    ConnectionStatusDialog dialog;
    if (!SubmitPost(request, parser.value(url), &dialog)) {
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
