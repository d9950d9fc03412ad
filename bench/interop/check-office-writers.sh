#!/usr/bin/env bash
# Installs the peers when missing, then measures whether LibreOffice reads Zorvan's .docx and
# .odt files with the text and formatting of their sources (see check-office-writers.py). Usage:
#   bench/interop/check-office-writers.sh [--sample build/bench/zorvan-office-sample] [--only NAME] [--show]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
exec python3 "$here/check-office-writers.py" "$@"
