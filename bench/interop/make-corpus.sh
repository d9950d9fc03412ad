#!/usr/bin/env bash
# Regenerates the interoperability corpus in tests/data/interop/ from the source
# documents in tests/data/interop/sources/:
#
#   libreoffice-NAME.rtf  LibreOffice Writer's RTF of sources/NAME.html or NAME.md
#   abiword-NAME.rtf      AbiWord's RTF of the same source
#   pandoc-NAME.rtf       pandoc's standalone RTF of the same source
#   *.txt                 beside each RTF: the plain text LibreOffice extracts
#                         from that RTF (UTF-8), the reference for Zorvan's text
#
# The Markdown source goes through pandoc to a .docx first, which LibreOffice and
# AbiWord then convert; the HTML sources are read by all three directly.
# Installs the peers with apt-get when they are missing. Usage:
#   bench/interop/make-corpus.sh
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
corpus="$repo/tests/data/interop"
sources="$corpus/sources"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
profile="$(soffice_profile_arg "$work/profile")"

# The picture of the corpus: a 48 x 32 PNG with colour bands, made here so that
# the sources need no binary from elsewhere. The same bytes every time.
make_picture() {
    python3 - "$1" <<'PYTHON'
import struct, sys, zlib
width, height = 48, 32
rows = []
for y in range(height):
    row = bytearray([0])
    for x in range(width):
        band = (x // 12) % 4
        colour = [(200, 30, 30), (30, 160, 60), (30, 80, 200), (240, 200, 20)][band]
        shade = 255 - y * 3
        row += bytes(c * shade // 255 for c in colour)
    rows.append(bytes(row))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PYTHON
}

# soffice names its output after the input; copies with the final names keep
# the outputs apart.
libreoffice_to_rtf() { # SOURCE TARGET [INPUT-FILTER]
    local name
    name="$(basename "$2" .rtf)"
    local input="$work/lo/$name.${1##*.}"
    mkdir -p "$work/lo"
    cp "$1" "$input"
    cp "$sources/obrazek.png" "$work/lo/" 2>/dev/null || true
    local filter=()
    [ $# -ge 3 ] && filter=("--infilter=$3")
    soffice "$profile" --headless "${filter[@]}" --convert-to rtf --outdir "$work/lo" "$input" >/dev/null
    cp "$work/lo/$name.rtf" "$2"
}

abiword_to_rtf() { # SOURCE TARGET
    (cd "$(dirname "$1")" && abiword --to=rtf --to-name="$2" "$(basename "$1")" 2>/dev/null)
}

pandoc_to_rtf() { # SOURCE TARGET
    (cd "$(dirname "$1")" && pandoc --standalone --to rtf --output "$2" "$(basename "$1")")
}

reference_text() { # RTF
    local name
    name="$(basename "$1" .rtf)"
    mkdir -p "$work/txt"
    soffice "$profile" --headless --convert-to "txt:Text (encoded):UTF8" --outdir "$work/txt" "$1" >/dev/null
    cp "$work/txt/$name.txt" "${1%.rtf}.txt"
}

[ -f "$sources/obrazek.png" ] || make_picture "$sources/obrazek.png"

for source in "$sources"/*.html; do
    name="$(basename "$source" .html)"
    libreoffice_to_rtf "$source" "$corpus/libreoffice-$name.rtf" "HTML (StarWriter)"
    abiword_to_rtf "$source" "$corpus/abiword-$name.rtf"
    pandoc_to_rtf "$source" "$corpus/pandoc-$name.rtf"
done

for source in "$sources"/*.md; do
    name="$(basename "$source" .md)"
    (cd "$sources" && pandoc --standalone --output "$work/$name.docx" "$(basename "$source")")
    libreoffice_to_rtf "$work/$name.docx" "$corpus/libreoffice-$name.rtf"
    abiword_to_rtf "$work/$name.docx" "$corpus/abiword-$name.rtf"
    pandoc_to_rtf "$source" "$corpus/pandoc-$name.rtf"
done

for rtf in "$corpus"/*.rtf; do
    reference_text "$rtf"
done

du -ch "$corpus"/*.rtf "$corpus"/*.txt | tail -1
ls "$corpus"
