#!/usr/bin/env bash
# Builds a libFuzzer target with clang in build-fuzz/ and runs it for the given number of
# seconds on a copy of its seed corpus: the RTF reader (the default), the Word document reader,
# the OpenDocument text reader or the picture decoders.
# Crashes are written to build-fuzz/fuzz-artifacts/. Compiler warnings are errors, as in
# scripts/build.sh: clang warns about some things GCC does not.
#
#     tests/fuzz/run-fuzz.sh 600
#     tests/fuzz/run-fuzz.sh 600 docx
#     tests/fuzz/run-fuzz.sh 600 odt
#     tests/fuzz/run-fuzz.sh 600 picture
set -euo pipefail
seconds=${1:?usage: run-fuzz.sh SECONDS [rtf|docx|odt|picture]}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz
cc=$(command -v clang-14 || command -v clang)
cxx=$(command -v clang++-14 || command -v clang++)

case ${2:-rtf} in
rtf)
    target=rtf_reader_fuzz
    seeds=$root/tests/fuzz/corpus
    options=(-dict="$root/tests/fuzz/rtf.dict")
    ;;
docx)
    target=docx_reader_fuzz
    seeds=$root/tests/fuzz/docx-corpus
    options=(-dict="$root/tests/fuzz/docx.dict")
    ;;
odt)
    target=odt_reader_fuzz
    seeds=$root/tests/fuzz/odt-corpus
    options=(-dict="$root/tests/fuzz/odt.dict")
    ;;
picture)
    target=picture_decoder_fuzz
    seeds=$root/tests/fuzz/picture-corpus
    options=()
    ;;
*)
    echo "run-fuzz.sh: unknown target '$2' (rtf, docx, odt or picture)" >&2
    exit 2
    ;;
esac

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DZORVAN_BUILD_FUZZ=ON -DZORVAN_BUILD_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$build" --target "$target" -j2

corpus=$(mktemp -d "/tmp/zorvan-${2:-rtf}-fuzz.XXXXXX")
cp "$seeds"/* "$corpus"/
mkdir -p "$build/fuzz-artifacts"
echo "corpus: $corpus"
QT_QPA_PLATFORM=offscreen "$build/tests/fuzz/$target" \
    -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    "${options[@]}" -artifact_prefix="$build/fuzz-artifacts/" \
    -print_final_stats=1 "$corpus"
