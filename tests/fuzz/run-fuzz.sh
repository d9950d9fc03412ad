#!/usr/bin/env bash
# Builds the RTF reader's libFuzzer target with clang in build-fuzz/ and runs it for the
# given number of seconds on a copy of the seed corpus. Crashes are written to
# build-fuzz/fuzz-artifacts/.
#
#     tests/fuzz/run-fuzz.sh 600
set -euo pipefail
seconds=${1:?usage: run-fuzz.sh SECONDS}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz
cc=$(command -v clang-14 || command -v clang)
cxx=$(command -v clang++-14 || command -v clang++)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DZORVAN_BUILD_FUZZ=ON -DZORVAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target rtf_reader_fuzz -j2

corpus=$(mktemp -d /tmp/zorvan-rtf-fuzz.XXXXXX)
cp "$root"/tests/fuzz/corpus/* "$corpus"/
mkdir -p "$build/fuzz-artifacts"
echo "corpus: $corpus"
QT_QPA_PLATFORM=offscreen "$build/tests/fuzz/rtf_reader_fuzz" \
    -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -dict="$root/tests/fuzz/rtf.dict" -artifact_prefix="$build/fuzz-artifacts/" \
    -print_final_stats=1 "$corpus"
