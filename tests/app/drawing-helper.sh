#!/usr/bin/env bash
# tenvoll-batch and its drawing helper as installed side by side: the batch
# tool loads no Qt, a command line that draws gives the helper's output and
# exit status, and without the helper it says so and fails.
# Usage: drawing-helper.sh TENVOLL_BATCH TENVOLL_BATCH_DRAW
set -u
batch=$1
draw=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
mkdir -p "$work/bin" "$work/alone"
cp "$batch" "$work/bin/tenvoll-batch"
cp "$draw" "$work/bin/tenvoll-batch-draw"
cp "$batch" "$work/alone/tenvoll-batch"
cd "$work"

# Runs a program: status, stdout and stderr into NAME.status/.out/.err.
run() { # NAME PROGRAM ARGS...
    local name=$1
    shift
    "$@" >"$name.out" 2>"$name.err"
    echo $? >"$name.status"
}
same() { # A B WHAT
    cmp -s "$1.status" "$2.status" && cmp -s "$1.out" "$2.out" && cmp -s "$1.err" "$2.err" ||
        fail "$3: tenvoll-batch and tenvoll-batch-draw differ ($(cat "$1.status") / $(cat "$2.status"))"
}

if ldd "$work/bin/tenvoll-batch" | grep -q libQt6; then
    fail "tenvoll-batch loads Qt"
fi

# The gallery, and a usage error, each run by the helper alone and through
# tenvoll-batch into the same folder.
run helper "$work/bin/tenvoll-batch-draw" graph-demo gallery
helper_pngs=$(ls gallery)
rm -rf gallery
run batch "$work/bin/tenvoll-batch" graph-demo gallery
same batch helper "graph-demo"
[ "$(cat batch.status)" = 0 ] || fail "graph-demo exit status $(cat batch.status)"
[ -n "$helper_pngs" ] && [ "$(ls gallery)" = "$helper_pngs" ] || fail "graph-demo pictures differ"

run helper-usage "$work/bin/tenvoll-batch-draw" graph-demo a b
run batch-usage "$work/bin/tenvoll-batch" graph-demo a b
same batch-usage helper-usage "graph-demo a b"
[ "$(cat batch-usage.status)" = 2 ] || fail "a usage error handed over exits $(cat batch-usage.status)"

# Without the helper: a Japanese message and a failure; the other commands go on.
run alone "$work/alone/tenvoll-batch" graph-demo gallery2
[ "$(cat alone.status)" = 1 ] || fail "without the helper graph-demo exits $(cat alone.status)"
grep -q "tenvoll-batch-draw が見つからないため" alone.err || fail "no message without the helper: $(cat alone.err)"
[ ! -e gallery2 ] || fail "without the helper graph-demo made its folder"
run alone-version "$work/alone/tenvoll-batch" --version
[ "$(cat alone-version.status)" = 0 ] || fail "without the helper --version failed"

[ "$failures" -eq 0 ]
