#!/usr/bin/env bash
# Installs the peers when missing, then measures whether character formatting
# survives Zorvan's RTF on both roads (see check-attributes.py). Usage:
#   bench/interop/check-attributes.sh [--convert build/tools/zorvan-convert]
#       [--sample-tool build/bench/zorvan-attributes-sample] [--shared ../shared/interop]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
exec python3 "$here/check-attributes.py" "$@"
