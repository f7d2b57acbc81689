#include "vocabulary/AppServices.h"

#include "BuildInfo.h"
#include "BuildTime.h"

ProductVersion AppServices::CompiledVersion()
{
    ProductVersion version;
    version.major = NUTRAVA_VERSION_MAJOR;
    version.minor = NUTRAVA_VERSION_MINOR;
    version.buildTime = QDateTime::fromSecsSinceEpoch(BuildTimeUtc(), Qt::UTC);
    return version;
}
