#!/usr/bin/env bash
# Runs every test program of a Windows build under wine, each once as a whole
# (a wine start costs about a second, too much for one start per test), from
# its own folder as ctest would. Usage: run-tests.sh BUILD_DIR [NAME_REGEX [LEAVE_OUT_REGEX]]
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="$(cd "$1" && pwd)"
pattern="${2:-_tests\.exe$}"
leave_out="${3:-}"
keep_wineserver
export QT_QPA_PLATFORM=offscreen
use_windows_qt

passed=0
failed=0
failed_programs=()
while IFS= read -r exe; do
    name="$(basename "$exe" .exe)"
    log="$build/wine-$name.log"
    # Qt for Windows has no translations of its own: the zip carries Debian's
    # Japanese one beside the program, and so does each test program.
    mkdir -p "$(dirname "$exe")/translations"
    cp /usr/share/qt6/translations/qtbase_ja.qm "$(dirname "$exe")/translations/"
    start=$SECONDS
    if (cd "$(dirname "$exe")" && wine "$exe" >"$log" 2>&1); then status=0; else status=$?; fi
    p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
    f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$log" | tail -1)
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
    if [ "$status" -ne 0 ] || [ -z "$p" ]; then
        failed_programs+=("$name")
        [ -z "$f" ] && failed=$((failed + 1)) # ended before its summary
        echo "FAILED $name (status $status, $((SECONDS - start)) s): see $log"
        grep -E "^\[  FAILED  \] [A-Za-z][^ ]*$" "$log" | sort -u | sed 's/^/    /' || true
    else
        echo "ok     $name: ${p} tests, $((SECONDS - start)) s"
    fi
done < <(find "$build" -name "*.exe" -type f | grep -E "/[^/]*$pattern" |
    if [ -n "$leave_out" ]; then grep -Ev "/[^/]*$leave_out" || true; else cat; fi | sort)

echo "windows: $passed passed, $failed failed"
[ "${#failed_programs[@]}" -eq 0 ]
