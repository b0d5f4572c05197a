#!/usr/bin/env bash
# The same batch commands on the same sample league with the Linux and the
# Windows programs (under wine): their output, exit status and every byte of
# the league folders after each command must be the same.
# Usage: cross-check.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
source "$(dirname "$0")/common.sh"
linux="$(cd "$1" && pwd)"
windows="$(cd "$2" && pwd)"
keep_wineserver
export LC_ALL=C.UTF-8
# graph-demo and --chart start an offscreen Qt in the Windows program too.
export QT_QPA_PLATFORM=offscreen
use_windows_qt

work="$(mktemp -d)"
# The programs print full paths in their own form ("/tmp/x/linux/a.csv",
# "Z:\tmp\x\windows\a.csv"): both become "FOLDER/a.csv" before comparing.
linux_folder() { sed "s|$work/linux|FOLDER|g"; }
windows_folder() {
    local w
    w="$(winepath -w "$work/windows" 2>/dev/null | sed 's/\\/\\\\/g')"
    sed "/$w/ { s/$w/FOLDER/g; s|\\\\|/|g; }"
}
on_exit 'rm -rf "$work"'

# The sample league from each platform's generator: byte for byte the same.
(cd "$work" && "$linux/tools/sample-league/sample-league" linux >"$work/sample-linux.txt")
(cd "$work" && wine "$windows/tools/sample-league/sample-league.exe" windows >"$work/sample-windows.txt")
failures=0
checks=0
# The time a term update or an undo wrote into its manifest (the line 日時=,
# in cp932) is the one difference two runs may have.
manifest_time=$'^\x93\xfa\x8e\x9e='
compare() { # what, then both files or folders
    checks=$((checks + 1))
    if ! LC_ALL=C diff -r -I "$manifest_time" "$2" "$3" >"$work/diff.txt" 2>&1; then
        failures=$((failures + 1))
        echo "DIFFERENT: $1"
        head -20 "$work/diff.txt" | sed 's/^/    /'
    fi
}
compare "sample-league output" <(sed 's/linux/OUT/' "$work/sample-linux.txt") \
    <(sed 's/windows/OUT/; s|\\|/|g' "$work/sample-windows.txt")
compare "sample league files" "$work/linux" "$work/windows"

commands=(
    "league show"
    "find 内田ケンキチ"
    "ranking --stat 0"
    "ranking --stat 3 --order asc --players active --csv ranking.csv"
    "ranking --stat 20 --career --limit none"
    "pane-csv サンプルリーグ\\team01.txt roster.csv"
    "history 内田ケンキチ --team サンプルリーグ\\team01.txt --csv history.csv"
    "opening-order --team 0 --list"
    "opening-order --team 0 --swap 1:2 --write"
    "data-check --term 6"
    "term-update --term 6"
    "recover"
    "retotal サンプルリーグ\\team02.txt"
    "export export.txt --slot 0:サンプルリーグ\\team01.txt --slot 1:サンプルリーグ\\team02.txt:previous"
    "league switch 小リーグ"
    "league show"
    "league remove 1"
    "league switch サンプルリーグ"
    "find 存在しない選手"
    "ranking --stat 999"
)
for command in "${commands[@]}"; do
    read -r -a args <<<"$command"
    set +e
    (cd "$work/linux" && "$linux/app/tenvoll-batch" "${args[@]}" 2>&1) | linux_folder >"$work/out-linux.txt"
    linux_status=${PIPESTATUS[0]}
    (cd "$work/windows" && wine "$windows/app/tenvoll-batch.exe" "${args[@]}" 2>&1) |
        windows_folder >"$work/out-windows.txt"
    windows_status=${PIPESTATUS[0]}
    set -e
    compare "$command: output" "$work/out-linux.txt" "$work/out-windows.txt"
    checks=$((checks + 1))
    if [ "$linux_status" -ne "$windows_status" ]; then
        failures=$((failures + 1))
        echo "DIFFERENT: $command: exit status $linux_status (Linux), $windows_status (Windows)"
    fi
    compare "$command: league files" "$work/linux" "$work/windows"
done
echo "cross-check: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
