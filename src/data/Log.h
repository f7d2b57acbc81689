#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcStore)

// Diagnostics of the data store. They go to the "nutrava.store" logging category (standard
// error) and are never shown to the user.
namespace Store {

enum Severity
{
    Info = 0,
    Warning = 1,
    Error = 2
};

void Log(int severity, const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(2, 3);

// Receives every formatted message as well; tests use it to observe diagnostics.
using LogSink = std::function<void(int severity, const QString& message)>;
void SetLogSink(LogSink sink);

} // namespace Store
