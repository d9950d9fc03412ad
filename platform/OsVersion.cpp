#include "platform/OsVersion.h"

namespace {
OSVERSIONINFO reportedVersion;
}

OSVERSIONINFO GetVersionEx()
{
    return reportedVersion;
}

void SetVersionForTesting(const OSVERSIONINFO& version)
{
    reportedVersion = version;
}

void ResetVersionForTesting()
{
    reportedVersion = OSVERSIONINFO{};
}
