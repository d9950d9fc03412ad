#!/usr/bin/env bash
# Regenerates the corpus of Word (.docx) and OpenDocument (.odt) documents in
# tests/data/office/ from the source documents in tests/data/interop/sources/ and
# tests/data/office/sources/:
#
#   libreoffice-NAME.KIND  LibreOffice Writer's .docx or .odt of sources/NAME.html or NAME.md
#   abiword-NAME.KIND      AbiWord's of the same source
#   pandoc-NAME.KIND       pandoc's of the same source
#   *.txt                  beside each document: the plain text LibreOffice extracts from it
#                          (UTF-8), the reference for Zorvan's text; the .odt's text is
#                          NAME.odt.txt, so that it does not take the .docx's place
#
# The Markdown source goes through pandoc to a .docx first, which LibreOffice and AbiWord
# then read; the HTML sources are read by all three directly. Usage, for both kinds or the
# ones named:
#   bench/interop/make-office-corpus.sh [docx] [odt]
set -euo pipefail

kinds=("$@")
[ ${#kinds[@]} -eq 0 ] && kinds=(docx odt)

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

# LibreOffice's export filter for each kind.
declare -A soffice_filter=([docx]="MS Word 2007 XML" [odt]="writer8")

# soffice names its output after the input; copies with the final names keep them apart.
libreoffice_to() { # KIND SOURCE TARGET [INPUT-FILTER]
    local name
    name="$(basename "$3" ".$1")"
    local input="$work/sources/$name.${2##*.}"
    cp "$2" "$input"
    local filter=()
    [ $# -ge 4 ] && filter=("--infilter=$4")
    soffice "$profile" --headless "${filter[@]}" --convert-to "$1:${soffice_filter[$1]}" \
        --outdir "$work/lo" "$input" >/dev/null
    cp "$work/lo/$name.$1" "$3"
}

abiword_to() { # KIND SOURCE TARGET
    (cd "$(dirname "$2")" && abiword --to="$1" --to-name="$3" "$(basename "$2")" 2>/dev/null)
}

pandoc_to() { # KIND SOURCE TARGET
    (cd "$(dirname "$2")" && pandoc --output "$3" "$(basename "$2")")
}

reference_text() { # KIND DOCUMENT
    local name text
    name="$(basename "$2" ".$1")"
    text="${2%.docx}.txt"
    [ "$1" = odt ] && text="$2.txt"
    mkdir -p "$work/txt-$1"
    soffice "$profile" --headless --convert-to "txt:Text (encoded):UTF8" --outdir "$work/txt-$1" "$2" >/dev/null
    cp "$work/txt-$1/$name.txt" "$text"
}

for kind in "${kinds[@]}"; do
    for source in "$work"/sources/*.html; do
        name="$(basename "$source" .html)"
        libreoffice_to "$kind" "$source" "$corpus/libreoffice-$name.$kind" "HTML (StarWriter)"
        abiword_to "$kind" "$source" "$corpus/abiword-$name.$kind"
        pandoc_to "$kind" "$source" "$corpus/pandoc-$name.$kind"
    done

    for source in "$work"/sources/*.md; do
        name="$(basename "$source" .md)"
        [ -f "$work/$name.docx" ] || pandoc_to docx "$source" "$work/$name.docx"
        libreoffice_to "$kind" "$work/$name.docx" "$corpus/libreoffice-$name.$kind"
        abiword_to "$kind" "$work/$name.docx" "$corpus/abiword-$name.$kind"
        pandoc_to "$kind" "$source" "$corpus/pandoc-$name.$kind"
    done

    for document in "$corpus"/*."$kind"; do
        reference_text "$kind" "$document"
    done
done

du -ch "$corpus"/*.docx "$corpus"/*.odt "$corpus"/*.txt 2>/dev/null | tail -1
ls "$corpus"
