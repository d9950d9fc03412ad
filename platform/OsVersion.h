#pragma once

// The operating system's version as GetVersionEx reports it. This program
// reports the NT family, version 6.1, unless a test sets another.

struct OSVERSIONINFO
{
    unsigned dwMajorVersion = 6;
    unsigned dwMinorVersion = 1;
    unsigned dwPlatformId = 2; // VER_PLATFORM_WIN32_NT
};

constexpr unsigned VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr unsigned VER_PLATFORM_WIN32_NT = 2;

OSVERSIONINFO GetVersionEx();
// Replaces the reported version until reset; for tests of version-dependent rules.
void SetVersionForTesting(const OSVERSIONINFO& version);
void ResetVersionForTesting();
