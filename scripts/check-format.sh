#!/usr/bin/env bash
# Checks that every C++ source file is laid out as .clang-format says. Prints the files that
# differ and exits 1 when there is one. The check is pinned to clang-format 14 (Debian 12's),
# because other versions lay out the same code differently.
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=$(command -v clang-format-14 || true)
if [[ -z $formatter ]]; then
    echo "check-format.sh: clang-format-14 is missing; scripts/install-deps.sh installs it" >&2
    exit 2
fi

# Tracked files and new ones not yet added, so a file is checked before its first commit;
# without git (an unpacked archive), every source file outside the build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
fi
existing=()
for file in "${files[@]}"; do
    [[ -f $file ]] && existing+=("$file") # a tracked file deleted but not yet committed
done
if ((${#existing[@]} == 0)); then
    echo "check-format.sh: no source files found" >&2
    exit 2
fi

status=0
report=$("$formatter" --dry-run --Werror "${existing[@]}" 2>&1) || status=$?
((status == 0)) && exit 0
differing=$(sed -nE 's/^(.+):[0-9]+:[0-9]+: error: .*\[-Wclang-format-violations\]$/\1/p' <<<"$report" |
            sed 's|^\./||' | sort -u)
if [[ -z $differing ]]; then
    # clang-format failed for another reason (a broken .clang-format, a file it cannot read).
    echo "$report" >&2
    exit "$status"
fi
echo "Not formatted as .clang-format says (fix with: $(basename "$formatter") -i FILE...):"
echo "$differing"
exit 1
