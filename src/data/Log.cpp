#include "data/Log.h"

#include <cstdarg>

Q_LOGGING_CATEGORY(lcStore, "nutrava.store")

namespace Store {

namespace {
LogSink& Sink()
{
    static LogSink sink;
    return sink;
}
} // namespace

void SetLogSink(LogSink sink)
{
    Sink() = std::move(sink);
}

void Log(int severity, const char* format, ...)
{
    const QtMsgType type = severity == Info      ? QtInfoMsg
                           : severity == Warning ? QtWarningMsg
                                                 : QtCriticalMsg;
    // Nothing is formatted for no one: a damaged file makes the store talk on every open.
    if (!lcStore().isEnabled(type) && !Sink())
        return;
    va_list args;
    va_start(args, format);
    const QString message = QString::vasprintf(format, args);
    va_end(args);

    switch (severity) {
    case Info:
        qCInfo(lcStore).noquote() << message;
        break;
    case Warning:
        qCWarning(lcStore).noquote() << message;
        break;
    default:
        qCCritical(lcStore).noquote() << message;
        break;
    }
    if (Sink())
        Sink()(severity, message);
}

} // namespace Store
