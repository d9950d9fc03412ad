#!/usr/bin/env bash
# Checks the shape of the source tree: each library includes only from itself and the
# libraries it stands on (format <- rtf, office, spelling; rtf <- office; format, rtf, platform, spelling <-
# editcontrol <- richedit; office <- richedit; platform <- ruler, widgets; spelling, richedit,
# ruler, widgets <- app; platform, spelling, richedit <- tools), no source file grows past 900
# lines and no class is spread over more than five source files (the main window, whose command
# handlers are grouped a file per menu, excepted). Prints every breach and exits 1 when there is
# one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [format]="format"
    [rtf]="format rtf"
    [office]="format rtf office"
    [spelling]="format spelling"
    [platform]="platform"
    [editcontrol]="format rtf platform spelling editcontrol"
    [richedit]="format rtf office platform spelling editcontrol richedit"
    [ruler]="platform ruler"
    [widgets]="platform widgets"
    [app]="format platform spelling richedit ruler widgets app"
    [plugins]="plugins"
    [tools]="platform spelling richedit tools"
)

folders="format rtf office spelling platform editcontrol richedit ruler widgets app plugins tools"
status=0
for layer in "${!allowed[@]}"; do
    [[ -d $layer ]] || continue
    while IFS=: read -r file line included; do
        folder=${included%%/*}
        [[ " ${allowed[$layer]} " == *" $folder "* ]] && continue
        echo "$file:$line: $layer may not include $included"
        status=1
    done < <(grep -rnoE --include='*.cpp' --include='*.h' '^#include "[^"]+"' "$layer" |
             sed -E 's/#include "([^"]+)"/\1/')
done

while read -r lines file; do
    [[ $file == total ]] && continue
    if ((lines > 900)); then
        echo "$file: $lines lines, more than 900"
        status=1
    fi
done < <(find $folders -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs wc -l)

# The source files of a class: its header and every file that defines one of its members.
while read -r files class; do
    [[ $class == TMainform ]] && continue
    if ((files > 5)); then
        echo "$class: spread over $files source files, more than five"
        status=1
    fi
done < <(for file in $(find $folders -name '*.cpp'); do
             grep -oE '^[A-Za-z_][A-Za-z0-9_:<>,*& ]* ?\b[A-Z][A-Za-z0-9_]*::~?[A-Za-z_][A-Za-z0-9_]*\(' "$file" |
                 grep -oE '\b[A-Z][A-Za-z0-9_]*::~?[A-Za-z_][A-Za-z0-9_]*\($' | sed 's/::.*//' | sort -u || true
         done | sort | uniq -c | while read -r count class; do
             header=$(find $folders -name "$class.h" | head -n 1)
             echo "$((count + (${#header} > 0 ? 1 : 0))) $class"
         done)

((status == 0)) && echo "layers and file sizes: all in order"
exit $status
