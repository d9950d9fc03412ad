#!/usr/bin/env bash
# Regenerates the Word document corpus in tests/data/office/ from the source documents in
# tests/data/interop/sources/ and tests/data/office/sources/:
#
#   libreoffice-NAME.docx  LibreOffice Writer's .docx of sources/NAME.html or NAME.md
#   abiword-NAME.docx      AbiWord's .docx of the same source
#   pandoc-NAME.docx       pandoc's .docx of the same source
#   *.txt                  beside each .docx: the plain text LibreOffice extracts from that
#                          .docx (UTF-8), the reference for Zorvan's text
#
# The Markdown source goes through pandoc to a .docx first, which LibreOffice and AbiWord
# then read; the HTML sources are read by all three directly. Usage:
#   bench/interop/make-office-corpus.sh
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
corpus="$repo/tests/data/office"
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
profile="$(soffice_profile_arg "$work/profile")"
mkdir -p "$work/sources"
cp "$repo"/tests/data/interop/sources/* "$corpus"/sources/* "$work/sources/"

# soffice names its output after the input; copies with the final names keep them apart.
libreoffice_to_docx() { # SOURCE TARGET [INPUT-FILTER]
    local name
    name="$(basename "$2" .docx)"
    local input="$work/sources/$name.${1##*.}"
    cp "$1" "$input"
    local filter=()
    [ $# -ge 3 ] && filter=("--infilter=$3")
    soffice "$profile" --headless "${filter[@]}" --convert-to "docx:MS Word 2007 XML" \
        --outdir "$work/lo" "$input" >/dev/null
    cp "$work/lo/$name.docx" "$2"
}

abiword_to_docx() { # SOURCE TARGET
    (cd "$(dirname "$1")" && abiword --to=docx --to-name="$2" "$(basename "$1")" 2>/dev/null)
}

pandoc_to_docx() { # SOURCE TARGET
    (cd "$(dirname "$1")" && pandoc --output "$2" "$(basename "$1")")
}

reference_text() { # DOCX
    local name
    name="$(basename "$1" .docx)"
    soffice "$profile" --headless --convert-to "txt:Text (encoded):UTF8" --outdir "$work/txt" "$1" >/dev/null
    cp "$work/txt/$name.txt" "${1%.docx}.txt"
}

for source in "$work"/sources/*.html; do
    name="$(basename "$source" .html)"
    libreoffice_to_docx "$source" "$corpus/libreoffice-$name.docx" "HTML (StarWriter)"
    abiword_to_docx "$source" "$corpus/abiword-$name.docx"
    pandoc_to_docx "$source" "$corpus/pandoc-$name.docx"
done

for source in "$work"/sources/*.md; do
    name="$(basename "$source" .md)"
    pandoc_to_docx "$source" "$work/$name.docx"
    libreoffice_to_docx "$work/$name.docx" "$corpus/libreoffice-$name.docx"
    abiword_to_docx "$work/$name.docx" "$corpus/abiword-$name.docx"
    cp "$work/$name.docx" "$corpus/pandoc-$name.docx"
done

for docx in "$corpus"/*.docx; do
    reference_text "$docx"
done

du -ch "$corpus"/*.docx "$corpus"/*.txt | tail -1
ls "$corpus"
