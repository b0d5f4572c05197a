#!/usr/bin/env bash
# Fails when the source folders include each other in a circle. The one
# arrow allowed upwards is the main window opening the tool windows
# (mainwindow/Unit1 including another folder's Unit header).
set -euo pipefail
cd "$(dirname "$0")/../.."

folders=(league windowkit mainwindow player termupdate export charts report app tools)
edges=$(
    for from in "${folders[@]}"; do
        find "$from" -name "*.cpp" -o -name "*.h" | while read -r file; do
            sed -n 's/^#include "\([a-z]*\)\/\([A-Za-z0-9_]*\)\.h".*/\1 \2/p' "$file" |
                while read -r to header; do
                    [ "$to" = "$from" ] && continue
                    echo "$from $to"
                done
        done
    done | sort -u
)

if ! loops=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loops" ]; then
    echo "Source folders include each other in a circle:" >&2
    echo "$loops" >&2
    echo "Folder arrows:" >&2
    printf '  %s\n' "$edges" >&2
    exit 1
fi
echo "folder includes: no circle ($(printf '%s\n' "$edges" | wc -l) arrows)"
