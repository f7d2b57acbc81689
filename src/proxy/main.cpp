// nutrava-proxy: the posting proxy the program posts through, and the static blogs it writes.
//
//   nutrava-proxy [--listen ADDRESS] [--port PORT] [--dir FOLDER]
//   nutrava-proxy account add BLOG EMAIL      (the password is read from standard input)
//   nutrava-proxy account password BLOG       (a new password, read the same way)
//   nutrava-proxy account remove BLOG
//   nutrava-proxy account list

#include "blog/PostProtocol.h"
#include "data/AnsiCodec.h"
#include "proxy/AccountFile.h"
#include "proxy/BlogStore.h"
#include "proxy/PostingService.h"
#include "proxy/ProxyServer.h"
#include "proxy/RequestLog.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "nutrava-proxy: %s\n", qPrintable(message));
    return 1;
}

// One line from standard input, without echo when it is a terminal.
QString ReadPassword(const char* prompt)
{
    const bool terminal = isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        std::fprintf(stderr, "%s", prompt);
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fprintf(stderr, "\n");
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

int RunAccount(const QStringList& arguments, AccountFile& accounts)
{
    QString error;
    if (!accounts.Load(&error))
        return Fail(error);
    const QString command = arguments.value(0);
    if (command == QStringLiteral("list") && arguments.size() == 1) {
        for (const AccountFile::Account& account : accounts.Accounts())
            std::printf("%s\t%s\n", qPrintable(account.blog), qPrintable(account.email));
        return 0;
    }
    if (command == QStringLiteral("remove") && arguments.size() == 2) {
        if (!accounts.Remove(arguments[1]))
            return Fail(QStringLiteral("there is no blog named %1").arg(arguments[1]));
        return accounts.Save(&error) ? 0 : Fail(error);
    }
    const bool add = command == QStringLiteral("add") && arguments.size() == 3;
    if (add || (command == QStringLiteral("password") && arguments.size() == 2)) {
        const QString blog = arguments[1];
        const AccountFile::Account* existing = accounts.Find(blog);
        // Adding over an existing blog would hand it to whoever knows the new password.
        if (add && existing)
            return Fail(QStringLiteral("the blog %1 exists already; \"account password %1\" "
                                       "changes its password")
                            .arg(blog));
        if (!add && !existing)
            return Fail(QStringLiteral("there is no blog named %1").arg(blog));
        const QString email = add ? arguments[2].trimmed() : existing->email;
        const QString password = ReadPassword("Password: ");
        if (isatty(STDIN_FILENO) && ReadPassword("Password again: ") != password)
            return Fail(QStringLiteral("the two passwords differ"));
        // The program sends the password in Windows-1252; another character could never match.
        if (AnsiCodec::Decode(AnsiCodec::Encode(password)) != password)
            return Fail(QStringLiteral("the password has characters the program cannot send"));
        if (!accounts.Set(blog, email, password, &error) || !accounts.Save(&error))
            return Fail(error);
        if (add)
            std::printf("Blog %s added; posts appear at http://%s%s/\n", qPrintable(blog),
                        qPrintable(blog), qPrintable(PostProtocol::BlogDomain()));
        else
            std::printf("Password of blog %s changed\n", qPrintable(blog));
        return 0;
    }
    return Fail(QStringLiteral("use: account add BLOG EMAIL | account password BLOG | "
                               "account remove BLOG | account list"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nutrava-proxy"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Posting proxy for Nutrava: takes the program's posts and publishes them "
                       "as static blogs, which it also serves.\n\n"
                       "  account add BLOG EMAIL    add a blog (password from standard input)\n"
                       "  account password BLOG     change a blog's password\n"
                       "  account remove BLOG       remove a blog's account (its pages stay)\n"
                       "  account list              list the blogs and their e-mail addresses"));
    parser.addHelpOption();
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                    QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Port to listen on (default %1).").arg(NUTRAVA_DEFAULT_PROXY_PORT),
        QStringLiteral("PORT"), QString::number(NUTRAVA_DEFAULT_PROXY_PORT));
    const QString defaultFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QCommandLineOption dir(QStringLiteral("dir"),
                                 QStringLiteral("Folder of the accounts and the blogs (default "
                                                "%1).")
                                     .arg(defaultFolder),
                                 QStringLiteral("FOLDER"), defaultFolder);
    const QCommandLineOption trusted(
        QStringLiteral("trusted-proxy"),
        QStringLiteral("Address of a server in front of the proxy (nginx) whose X-Real-IP header "
                       "names the client; may be given more than once."),
        QStringLiteral("ADDRESS"));
    parser.addOptions({listen, port, dir, trusted});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("\"account\" and its arguments, or none to serve."),
                                 QStringLiteral("[account ...]"));
    parser.process(app);

    const QString folder = parser.value(dir);
    if (!QDir().mkpath(folder))
        return Fail(QStringLiteral("cannot make the folder %1").arg(folder));
    AccountFile accounts(QDir(folder).filePath(QStringLiteral("accounts")));

    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        if (positional.front() != QStringLiteral("account"))
            return Fail(QStringLiteral("unknown command %1 (see --help)").arg(positional.front()));
        return RunAccount(positional.mid(1), accounts);
    }

    // Two proxies numbering the posts of one blog would overwrite each other's pages.
    QLockFile lock(QDir(folder).filePath(QStringLiteral("serving.lock")));
    if (!lock.tryLock())
        return Fail(QStringLiteral("another nutrava-proxy serves %1").arg(folder));
    QString error;
    if (!accounts.Load(&error))
        return Fail(error);
    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    QHostAddress address;
    if (!portOk || portNumber > 65535)
        return Fail(QStringLiteral("%1 is not a port").arg(parser.value(port)));
    if (!address.setAddress(parser.value(listen)))
        return Fail(QStringLiteral("%1 is not an address").arg(parser.value(listen)));

    const RequestLog log;
    ProxyLimits limits;
    for (const QString& value : parser.values(trusted)) {
        const QHostAddress proxy(value);
        if (proxy.isNull())
            return Fail(QStringLiteral("%1 is not an address").arg(value));
        limits.trustedProxies.append(proxy);
    }
    BlogStore store(folder);
    // What a kill left between a post's record and its pages is written before anything is
    // served.
    if (!store.Recover(&error))
        log.Note(QStringLiteral("blogs not brought up to their records: ") + error);
    PostingService posting(accounts, store, log);
    ProxyServer server(posting, store, limits, log);
    if (!server.Listen(address, static_cast<quint16>(portNumber), &error))
        return Fail(QStringLiteral("cannot listen on %1 port %2: %3")
                        .arg(address.toString())
                        .arg(portNumber)
                        .arg(error));
    if (!address.isLoopback())
        log.Note(QStringLiteral("listening beyond this machine: posts and passwords travel "
                                "unencrypted"));
    log.Note(QStringLiteral("serving %1 blog(s) from %2 on http://%3:%4/")
                 .arg(accounts.Accounts().size())
                 .arg(store.PublicFolder(), address.toString())
                 .arg(server.Port()));
    return app.exec();
}
