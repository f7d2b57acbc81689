#pragma once

#include <QtGlobal>

#include <chrono>

// What the proxy takes from one client before it refuses or drops it.
struct ProxyLimits
{
    qsizetype maxRequestLine = 4096;
    qsizetype maxHead = 16 * 1024; // request line and headers
    int maxHeaderLines = 64;
    qint64 maxBody = 1024 * 1024;
    int maxConnections = 256;
    // A request must arrive whole within this time, counted from its first byte or from the
    // end of the previous answer; an idle connection is closed after it too.
    std::chrono::milliseconds requestTimeout = std::chrono::seconds(15);
};
