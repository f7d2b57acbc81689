#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

class PostProgressSink;

struct ProductVersion
{
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    QDateTime buildTime; // calendar date and time of the build (UTC values)
};

// What the application object offers the rest of the program, through the session.
class AppServices
{
public:
    virtual ~AppServices() = default;

    virtual ProductVersion GetProductVersion() const = 0;
    virtual QString GetExecutablePath() const = 0;
    virtual QString GetExecutableFolder() const = 0;
    virtual void CloseMainWindow() = 0;
    // Opens or reuses the data connection; true when it is up.
    virtual bool EnsureDataConnection(const QString& url, PostProgressSink* sink) = 0;

    // The version compiled into this executable.
    static ProductVersion CompiledVersion();
};
