#!/usr/bin/env bash
# Prints RTF files to PDF with Zorvan (zorvan-convert FILE OUT.pdf, A4) and, when
# it is installed, with LibreOffice (soffice --headless --convert-to pdf), and
# shows both page counts as pdfinfo reads them, with the seconds each took.
# A measurement, not a test: a file either converter fails on shows "-".
# Usage:
#   bench/interop/print-pages.sh [--convert build/tools/zorvan-convert] FILE.rtf...
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
convert="$here/../../build/tools/zorvan-convert"
if [ "${1:-}" = "--convert" ]; then
    convert="$2"
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--convert PATH] FILE.rtf..." >&2; exit 2; }
[ -x "$convert" ] || { echo "$convert not found: build the target zorvan-convert" >&2; exit 2; }
command -v pdfinfo >/dev/null || { echo "pdfinfo missing: apt-get install poppler-utils" >&2; exit 2; }
soffice="$(command -v soffice || true)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

printf '%-40s %8s %8s %12s %8s\n' file zorvan seconds libreoffice seconds
for file in "$@"; do
    name="$(basename "$file" .rtf)"
    start=$(now)
    zorvan="-"
    if QT_QPA_PLATFORM=offscreen "$convert" "$file" "$work/$name.zorvan.pdf" 2>/dev/null; then
        zorvan="$(pages "$work/$name.zorvan.pdf")"
    fi
    zorvanTime=$(seconds "$start" "$(now)")
    libre="-"
    libreTime="-"
    if [ -n "$soffice" ]; then
        mkdir -p "$work/lo"
        start=$(now)
        if timeout 300 "$soffice" --headless --convert-to pdf --outdir "$work/lo" "$file" >/dev/null 2>&1 &&
            [ -f "$work/lo/$name.pdf" ]; then
            libre="$(pages "$work/lo/$name.pdf")"
        fi
        libreTime=$(seconds "$start" "$(now)")
    fi
    printf '%-40s %8s %8s %12s %8s\n' "$name" "$zorvan" "$zorvanTime" "$libre" "$libreTime"
done
[ -n "$soffice" ] || echo "LibreOffice (soffice) is not installed: its column is empty" >&2
