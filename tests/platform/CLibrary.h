#pragma once

// The C library this test program runs with: a whole shared library for this
// machine that every system has.

#include <QString>

#include <cstdio>
#include <dlfcn.h>

// Its absolute path.
inline QString cLibraryPath()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&std::printf), &info);
    return QString::fromLocal8Bit(info.dli_fname);
}
