#!/usr/bin/env bash
# Pictures inserted in Zorvan open in LibreOffice: builds a document with every
# picture of clipart/ that Zorvan inserts (PNG, JPEG, bitmap) through the
# insert-object command (build/bench/zorvan-picture-sample), saves it as RTF,
# lets LibreOffice convert it to PDF and counts the images of the PDF with
# `pdfimages -list` (masks left out). Prints the count against the pictures
# inserted and exits 1 when they differ. Usage:
#   bench/interop/inserted-pictures.sh [--sample build/bench/zorvan-picture-sample]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
sample="$repo/build/bench/zorvan-picture-sample"
[[ "${1:-}" == "--sample" ]] && sample="$2"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
command -v pdfimages >/dev/null || { echo "pdfimages missing: run bench/interop/count-pictures.sh once" >&2; exit 2; }

work=$(mktemp -d /tmp/zorvan-pictures.XXXXXX)
trap 'rm -rf "$work"' EXIT
pictures=()
for picture in "$repo"/clipart/*; do
    case "${picture,,}" in
    *.png | *.jpg | *.jpeg | *.bmp) pictures+=("$picture") ;;
    esac
done
QT_QPA_PLATFORM=offscreen "$sample" "$work/obrazky.rtf" "${pictures[@]}"
soffice --headless --convert-to pdf --outdir "$work" "$work/obrazky.rtf" >/dev/null 2>&1
images=$(pdfimages -list "$work/obrazky.pdf" | awk 'NR > 2 && $3 != "smask" && $3 != "mask"' | wc -l)
echo "pictures inserted: ${#pictures[@]}, images in LibreOffice's PDF: $images"
[[ "$images" -eq "${#pictures[@]}" ]]
