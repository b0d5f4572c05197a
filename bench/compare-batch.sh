#!/usr/bin/env bash
# Runs every tenvoll-batch command on a sample league with two builds and
# compares what they do: stdout, stderr, exit status and every file of the
# program folder afterwards (a manifest without its time line). Used to show
# that a change to the engines keeps their behaviour byte for byte.
#
#   bench/compare-batch.sh REFERENCE_BATCH NEW_BATCH LEAGUE_DIR [LEAGUE_DIR ...]
#
# LEAGUE_DIR is a program folder made by sample-league (for example
# `sample-league /tmp/l48 --teams 48 --terms 200 --players 600`); it is never
# changed: every case runs in a fresh copy at the same path for both builds, so
# paths in messages compare equal. Exit status 0 when everything matched.
set -u

if [ $# -lt 3 ]; then
    sed -n '2,12p' "$0" >&2
    exit 2
fi
ref=$(realpath "$1")
new=$(realpath "$2")
shift 2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/compare-batch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
work="$scratch/league"
failures=0
cases=0

# The recorded outcome of a case: each command's status and output, then a
# checksum of every file left in the program folder.
run_case() { # BINARY LEAGUE CASE_FILE RESULT_DIR
    local bin=$1 league=$2 casefile=$3 out=$4
    rm -rf "$work" "$out"
    mkdir -p "$out"
    cp -a "$league" "$work"
    local n=0
    statuses=""
    while IFS= read -r line; do
        [ -z "$line" ] && continue
        n=$((n + 1))
        eval "set -- $line"
        (cd "$work" && "$bin" "$@" >"$out/$n.stdout" 2>"$out/$n.stderr")
        echo "$?" >"$out/$n.status"
        echo "$line" >"$out/$n.command"
        statuses="$statuses $(cat "$out/$n.status")"
    done <"$casefile"
    (cd "$work" && find . -type f ! -name '目録.ini' -print0 | sort -z | xargs -0 -r sha256sum &&
        find . -type f -name '目録.ini' -print0 | sort -z |
        while IFS= read -r -d '' f; do manifest_sum "$f"; done) >"$out/files"
}

# A backup folder's manifest without its time line (日時, cp932 bytes 93 FA 8E 9E):
# two runs a second apart write the same manifest otherwise.
manifest_sum() { # FILE
    echo "$(LC_ALL=C sed 's/^\x93\xfa\x8e\x9e=.*$/\x93\xfa\x8e\x9e=/' "$1" | sha256sum | cut -d' ' -f1)  $1"
}
manifest_name=$(printf '\x96\xda\x98\x5e.ini' | iconv -f cp932 -t utf-8)
time_key=$(printf '\x93\xfa\x8e\x9e=')

compare_case() { # NAME LEAGUE CASE_FILE
    local name=$1 league=$2 casefile=$3
    cases=$((cases + 1))
    run_case "$ref" "$league" "$casefile" "$scratch/ref"
    run_case "$new" "$league" "$casefile" "$scratch/new"
    if diff -r "$scratch/ref" "$scratch/new" >"$scratch/diff"; then
        echo "same      $name (exit statuses:$statuses)"
    else
        failures=$((failures + 1))
        echo "DIFFERENT $name"
        head -40 "$scratch/diff" | sed 's/^/    /'
    fi
}

for league in "$@"; do
    league=$(realpath "$league")
    label=$(basename "$league")
    main=$(cd "$league" && ls -d */ | grep -v '^temp/$' | head -1)
    main=${main%/}
    # The league with the most teams is the sample's main league.
    for d in "$league"/*/; do
        d=$(basename "$d")
        [ "$d" = temp ] && continue
        if [ "$(ls "$league/$d"/team*.txt 2>/dev/null | wc -l)" -gt "$(ls "$league/$main"/team*.txt | wc -l)" ]; then
            main=$d
        fi
    done
    small=$(cd "$league" && ls -d */ | grep -v -e '^temp/$' -e "^$main/\$" | head -1)
    small=${small%/}
    biggest=$(cd "$league/$main" && ls -S team*.txt | head -1)
    newest=$(cd "$league/$main/データ" && ls | sort | tail -1)
    # The newest unsigned-players file is that of the term before the league's latest.
    term=$(($(echo "$newest" | sed 's/^0*\([0-9][0-9]*\)期.*/\1/') + 1))
    next=$((term + 1))
    # A player of the biggest team file: the first section after [Team].
    player=$(iconv -f cp932 -t utf-8 "$league/$main/$biggest" | grep -m1 '^\[' -A100000 |
        grep '^\[' | sed -n '2p' | tr -d '[]\r')
    echo "== $label: main league $main ($biggest biggest, newest term $term, player $player)"

    c="$scratch/case"
    : >"$c"
    for item in $(seq 0 29); do
        echo "ranking --stat $item --csv out-$item.csv" >>"$c"
        echo "ranking --stat $item --career --csv career-$item.csv" >>"$c"
    done
    for opt in "--limit none" "--limit qualified" "--order asc" "--order desc" \
        "--players active" "--players retired" "--players all"; do
        echo "ranking --stat 0 $opt" >>"$c"
        echo "ranking --stat 14 --career $opt" >>"$c"
    done
    echo "ranking --stat 99" >>"$c"
    echo "ranking" >>"$c"
    compare_case "$label ranking" "$league" "$c"

    : >"$c"
    for f in $(cd "$league/$main" && ls team*.txt); do
        echo "pane-csv '$main/$f' 'pane-$f.csv'" >>"$c"
        echo "pane-csv '$main/$f' 'pane-nc-$f.csv' --no-stats-check" >>"$c"
    done
    echo "pane-csv '$small/team01.txt' small-pane.csv" >>"$c"
    echo "pane-csv missing.txt x.csv" >>"$c"
    echo "history '$player' --team '$main/$biggest'" >>"$c"
    echo "history '$player' --team '$main/$biggest' --csv history.csv --no-stats-check" >>"$c"
    echo "history '$player' --team '$main/$biggest' --copy-data $term --copy-stats $term" >>"$c"
    echo "history '$player' --team '$main/$biggest' --copy-data 1 --copy-stats 0" >>"$c"
    echo "history 誰でもない --team '$main/$biggest'" >>"$c"
    echo "find '$player'" >>"$c"
    echo "find 誰でもない" >>"$c"
    echo "data-check --term $next" >>"$c"
    echo "data-check --term $next --games 150" >>"$c"
    echo "data-check --term $term" >>"$c"
    echo "stats-marks temp/seiseki/team01.txt --term $next" >>"$c"
    echo "stats-marks temp/seiseki/team01.txt --term $next --games 150" >>"$c"
    echo "league show" >>"$c"
    echo "export exported.txt --slot '1:\\$main\\team01.txt' --slot '2:\\$main\\team02.txt:latest'" >>"$c"
    echo "export exported2.txt --slot '1:\\$main\\team03.txt' --slot '1:\\$main\\team04.txt'" >>"$c"
    echo "opening-order --team 1 --other 2 --list" >>"$c"
    echo "recover" >>"$c"
    echo "--version" >>"$c"
    echo "--help" >>"$c"
    compare_case "$label panes, history, search, checks, export" "$league" "$c"

    printf '%s\n' "term-update --term $next --games 150" "pane-csv '$main/$biggest' after.csv" \
        "ranking --stat 0" "term-update --term $next --games 150 --again" >"$c"
    compare_case "$label term update" "$league" "$c"
    printf '%s\n' "term-update --term $next --tool Mirel" >"$c"
    compare_case "$label term update (Mirel)" "$league" "$c"
    printf '%s\n' "term-update --term $term" >"$c"
    compare_case "$label term update of a term already there" "$league" "$c"

    # The commands that draw, which tenvoll-batch hands to its drawing helper.
    printf '%s\n' "graph-demo gallery" "graph-demo" "graph-demo a b" "graph-demo --help" \
        "ranking --stat 0 --chart spread.png" "ranking --stat 0 --career --chart career.png" \
        "ranking --stat 0 --players retired --order asc --chart '$main/x.png'" \
        "history '$player' --team '$main/$biggest' --chart career.png" \
        "history '$player' --team '$main/$biggest' --chart career.svg --item 指数" \
        "history '$player' --team '$main/$biggest' --chart career2.png --item nothing" >"$c"
    compare_case "$label charts" "$league" "$c"

    printf '%s\n' "retotal '$main/$biggest'" "retotal '$main/team01.txt'" "retotal missing.txt" >"$c"
    compare_case "$label retotal" "$league" "$c"
    : >"$c"
    for f in $(cd "$league/$small" && ls team*.txt); do
        echo "convert '$small/$f'" >>"$c"
        echo "pane-csv '$small/$f' 'conv-$f.csv'" >>"$c"
    done
    for f in $(cd "$league/$small/データ" && ls | head -3); do
        echo "convert-unsigned '$small/データ/$f'" >>"$c"
    done
    compare_case "$label convert" "$league" "$c"

    printf '%s\n' "opening-order --team 1 --other 2 --swap 1:2 --take 2:3 --list --write" \
        "opening-order --team 2 --position 1:D --write" "pane-csv '$main/team01.txt' o.csv" >"$c"
    compare_case "$label opening order" "$league" "$c"

    printf '%s\n' "league add 新チーム 新ヤング '\\新\\team99.txt'" "league show" \
        "league replace 0 甲 乙 '\\$main\\team01.txt'" "league remove 1" "league show" \
        "league register-folder '$small'" "league switch '$small'" "league show" \
        "league delete" "league show" >"$c"
    compare_case "$label league organisation" "$league" "$c"
done

echo "$cases cases, $failures different"
[ "$failures" -eq 0 ]
