#pragma once

#include <QtGlobal>

// Seconds since 1970 (UTC) when the build was configured. Only BuildTime.cpp, generated at
// configure time, changes with it.
qint64 BuildTimeUtc();
