// Launch to first paint and peak memory at that moment, of the program against a bare Qt
// dialog, started alternately so both see the same machine:
//   startup_bench DATA_DIR [PAIRS] [-- PROGRAM ARGUMENTS]
// DATA_DIR holds a user.pdb past its first start (make_history writes one). Runs under the
// platform the environment names (QT_QPA_PLATFORM, DISPLAY).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Launch
{
    double ms = -1; // launch to the report of the first paint, measured from outside
    double kb = -1; // VmHWM at that moment
};

Launch Measure(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NUTRAVA_REPORT_FIRST_PAINT"), QStringLiteral("exit"));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    static const QRegularExpression report(
        QStringLiteral("first paint [0-9.]+ ms VmHWM (\\d+) kB"));
    Launch launch;
    QByteArray seen;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    while (process.waitForReadyRead(20000)) {
        seen += process.readAllStandardError();
        const QRegularExpressionMatch match = report.match(QString::fromUtf8(seen));
        if (match.hasMatch()) {
            launch.ms = double(clock.nsecsElapsed()) / 1e6;
            launch.kb = match.captured(1).toDouble();
            break;
        }
    }
    if (!process.waitForFinished(20000))
        process.kill();
    process.waitForFinished();
    if (launch.ms < 0)
        std::fprintf(stderr, "%s reported no first paint:\n%s\n", qUtf8Printable(program),
                     seen.constData());
    return launch;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QStringList programArgs;
    if (const qsizetype dashes = args.indexOf(QStringLiteral("--")); dashes >= 0) {
        programArgs = args.mid(dashes + 1);
        args = args.mid(0, dashes);
    }
    bool ok = true;
    const int pairs = args.size() > 1 ? args[1].toInt(&ok) : 9;
    if (args.isEmpty() || args.size() > 2 || !ok || pairs < 1) {
        std::fprintf(stderr, "usage: startup_bench DATA_DIR [PAIRS] [-- PROGRAM ARGUMENTS]\n");
        return 2;
    }
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString nutrava = bin.filePath(QStringLiteral("nutrava"));
    const QString bare = bin.filePath(QStringLiteral("bare_dialog"));
    programArgs = QStringList{QStringLiteral("--data-dir"), args[0]} + programArgs;

    std::vector<double> ms[2], kb[2];
    for (int pair = 0; pair < pairs; ++pair) {
        // Who goes first alternates, so neither always meets a warmer cache.
        for (int k = 0; k < 2; ++k) {
            const int which = (pair + k) % 2;
            const Launch launch = which ? Measure(nutrava, programArgs) : Measure(bare, {});
            if (launch.ms < 0)
                return 1;
            ms[which].push_back(launch.ms);
            kb[which].push_back(launch.kb);
        }
    }
    const double bareMs = Median(ms[0]), appMs = Median(ms[1]);
    const double bareKb = Median(kb[0]), appKb = Median(kb[1]);
    std::printf("medians of %d pairs\n", pairs);
    // The machine's speed drifts between pairs; the two starts of a pair meet the same moment.
    std::vector<double> pairRatios;
    for (size_t i = 0; i < ms[0].size(); ++i)
        pairRatios.push_back(ms[1][i] / ms[0][i]);
    std::printf("first paint  bare %7.1f ms   nutrava %7.1f ms   ratio %.2f   (of pairs %.2f)\n",
                bareMs, appMs, appMs / bareMs, Median(pairRatios));
    std::printf("VmHWM        bare %7.0f kB   nutrava %7.0f kB   ratio %.2f\n", bareKb, appKb,
                appKb / bareKb);
    return 0;
}
