#!/usr/bin/env bash
# Builds Zorvan (installing missing packages first) and starts it.
# Usage: ./run.sh [document]
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display is available; start Zorvan under a virtual one: xvfb-run -a ./run.sh [document]" >&2
    exit 1
fi
exec build/zorvan/zorvan "$@"
