#!/usr/bin/env bash
# Configures (once) and builds Zorvan incrementally in build/. Compiler warnings are errors here,
# so the tree stays free of them on Debian 12's compiler for everyone who runs ./test.sh or
# ./run.sh, not only in CI; a plain cmake configure leaves them warnings, as a newer compiler
# may warn about code this one accepts.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ! -f build/build.ninja ]]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
elif ! grep -q '^CMAKE_COMPILE_WARNING_AS_ERROR:BOOL=ON$' build/CMakeCache.txt; then
    # A build folder configured before warnings became errors.
    cmake build -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
fi
cmake --build build
