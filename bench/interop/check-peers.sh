#!/usr/bin/env bash
# Installs the peers when missing, then checks Zorvan's RTF against LibreOffice
# in both directions (see check-peers.py). Usage:
#   bench/interop/check-peers.sh [--convert build/tools/zorvan-convert] [--shared ../shared/interop]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
exec python3 "$here/check-peers.py" "$@"
