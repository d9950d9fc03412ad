#!/usr/bin/env bash
# Installs LibreOffice and pdfimages when missing, then counts, for every RTF
# file that holds pictures, the pictures LibreOffice finds in the original and
# in Zorvan's saved RTF (see count-pictures.py for the options). Usage:
#   bench/interop/count-pictures.sh [--convert build/tools/zorvan-convert] [--shared ../shared/interop/rtf]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
# pdfimages lists the images LibreOffice put into its PDF.
if ! command -v pdfimages >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "installing poppler-utils" >&2
    $sudo apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends poppler-utils >&2
fi
exec python3 "$here/count-pictures.py" "$@"
