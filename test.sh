#!/usr/bin/env bash
# Builds Zorvan (installing missing packages first) and runs every test on Qt's
# offscreen platform. The exit status is CTest's.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
exec ctest --output-on-failure -j2
