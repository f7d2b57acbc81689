#include "vocabulary/AppServices.h"

#include "BuildInfo.h"
#include "BuildTime.h"

namespace {
AppServices* g_services = nullptr;
}

AppServices* AppServices::Instance()
{
    return g_services;
}

void AppServices::SetInstance(AppServices* services)
{
    g_services = services;
}

ProductVersion AppServices::CompiledVersion()
{
    ProductVersion version;
    version.major = NUTRAVA_VERSION_MAJOR;
    version.minor = NUTRAVA_VERSION_MINOR;
    version.buildTime = QDateTime::fromSecsSinceEpoch(BuildTimeUtc(), Qt::UTC);
    return version;
}
