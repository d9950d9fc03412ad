#!/usr/bin/env bash
# Installs the peers when missing, then compares the speed of converting large
# RTF documents to text: zorvan-convert, LibreOffice and AbiWord on the same files
# in the same run (see speed.py for the options). Run it alone on the machine.
#   bench/interop/speed.sh [--convert build/tools/zorvan-convert] [--sizes 1,10] ...
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
exec python3 "$here/speed.py" "$@"
