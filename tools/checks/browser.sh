#!/usr/bin/env bash
# Opens the web pages of a fixed league in headless Chromium: the index, a team
# page and a player page. Fails on a console message (the pages log nothing),
# a stylesheet, image or the sort script that did not load; saves screenshots
# of the three pages in BUILD/browser-check to look at.
#   tools/checks/browser.sh BUILD
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "browser check: chromium is not installed" >&2; exit 1; }

out="$build/browser-check"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"
cp -r tests/fixtures/main-window "$work/program"
(cd "$work/program" && "$build/app/tenvoll-batch" report "$work/site" 2>"$work/report.log") || {
    cat "$work/report.log" >&2
    exit 1
}
cp tools/checks/browser-check.html "$work/site/browser-check.html"

team=$(cd "$work/site" && ls teams/*.html | head -1)
player=$(cd "$work/site" && ls players/01/*.html | head -1)
flags=(--headless=new --no-sandbox --disable-gpu --hide-scrollbars --no-first-run
    --enable-logging=stderr --v=0 --allow-file-access-from-files --virtual-time-budget=5000
    --user-data-dir="$work/profile")
failed=0
for page in index.html "$team" "$player"; do
    url="file://$work/site/browser-check.html?$page"
    dom=$(timeout 120 "$browser" "${flags[@]}" --dump-dom "$url" 2>"$work/console.log" || true)
    verdict=$(printf '%s' "$dom" | sed -n 's/.*<pre id="result">\([^<]*\)<\/pre>.*/\1/p')
    if [ "${verdict:0:2}" != "OK" ]; then
        echo "browser check: ${verdict:-no result for $page}" >&2
        failed=1
    fi
    if grep -a "CONSOLE" "$work/console.log" >&2; then
        echo "browser check: console messages on $page" >&2
        failed=1
    fi
    shot="$out/$(basename "$page" .html).png"
    timeout 120 "$browser" "${flags[@]}" --window-size=1200,1000 --screenshot="$shot" \
        "file://$work/site/$page" 2>/dev/null >/dev/null || true
    [ -s "$shot" ] || { echo "browser check: no screenshot of $page" >&2; failed=1; }
done
[ "$failed" = 0 ] && echo "browser check: index, team and player pages load cleanly (screenshots in $out)"
exit "$failed"
