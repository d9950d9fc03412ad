#!/usr/bin/env bash
# Opening a large Word (.docx) and OpenDocument (.odt) document: Zorvan's editor against
# LibreOffice converting the same file to text, in the same run. The documents are made
# once from make-big-rtf.py's 10 MB RTF by LibreOffice (kept in the work folder).
# Run it alone on the machine.
#
#   bench/interop/office-speed.sh [--build build] [--bench-data ../shared/bench] [--work /tmp/office-speed]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="$repo/build"
bench_data="$repo/../shared/bench"
work=/tmp/office-speed
while [ $# -gt 0 ]; do
    case $1 in
    --build) build=$2; shift 2 ;;
    --bench-data) bench_data=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    *) echo "office-speed.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
# shellcheck source=peers.sh
source "$here/peers.sh"
ensure_peers
mkdir -p "$work"
[ -f "$work/big10.rtf" ] || python3 "$bench_data/make-big-rtf.py" --mb 10 -o "$work/big10.rtf"
for kind in docx odt; do
    [ -f "$work/big10.$kind" ] ||
        soffice --headless --convert-to "$kind" --outdir "$work" "$work/big10.rtf" >/dev/null 2>&1
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

for kind in docx odt; do
    file="$work/big10.$kind"
    printf '\n%s (%s bytes)\n' "$file" "$(stat -c %s "$file")"
    times=()
    for _ in 1 2 3; do
        rm -rf "$work/lo-out"
        start=$(date +%s.%N)
        soffice --headless --convert-to txt:Text --outdir "$work/lo-out" "$file" >/dev/null 2>&1
        times+=("$(echo "$(date +%s.%N) - $start" | bc)")
    done
    libreoffice=$(printf '%s\n' "${times[@]}" | median)
    "$build/bench/OfficeOpenBenchmark" "$file" --benchmark_format=json \
        --benchmark_out="$work/zorvan-$kind.json" >/dev/null
    python3 -c '
import json, sys
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    print("  %-24s %8.0f ms" % (run["name"].split("/")[0], run["real_time"]))' "$work/zorvan-$kind.json"
    zorvan=$(python3 -c '
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
print([r["real_time"] for r in runs if r["name"].startswith("BM_OpenFile")][0] / 1000)' \
        "$work/zorvan-$kind.json")
    printf 'LibreOffice to text: %s s (median of %s)\n' "$libreoffice" "${times[*]}"
    printf 'Zorvan opens it:     %.3f s\n' "$zorvan"
    printf 'LibreOffice / Zorvan: %.1f times\n' "$(echo "$libreoffice / $zorvan" | bc -l)"
done
