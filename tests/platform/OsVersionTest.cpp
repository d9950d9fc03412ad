#include "platform/OsVersion.h"

#include <gtest/gtest.h>

TEST(OsVersionTest, ReportsTheNtFamilyVersionSixOneUnlessATestSetsAnother)
{
    OSVERSIONINFO version = GetVersionEx();
    EXPECT_EQ(version.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(version.dwMajorVersion, 6u);
    EXPECT_EQ(version.dwMinorVersion, 1u);

    version.dwMinorVersion = 10;
    SetVersionForTesting(version);
    EXPECT_EQ(GetVersionEx().dwMinorVersion, 10u);
    ResetVersionForTesting();
    EXPECT_EQ(GetVersionEx().dwMinorVersion, 1u);
}
