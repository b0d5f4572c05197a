#!/usr/bin/env bash
# Pictures of the Windows program under wine and Xvfb, on a fresh sample
# league: the main window and the windows named (default: ranking,
# term-update). Usage: screenshots.sh PROGRAM_DIR OUT_DIR [WINDOW ...]
# PROGRAM_DIR is an unpacked zip (or a build's app/ with Qt from the cache).
set -euo pipefail
source "$(dirname "$0")/common.sh"
programs="$(cd "$1" && pwd)"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
shift 2
windows=("$@")
[ ${#windows[@]} -eq 0 ] && windows=(ranking term-update)
ensure_wine_prefix
use_windows_qt

# Windows' Qt draws with the system's fonts: give wine a Japanese one.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc \
    /usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc; do
    [ -f "$font" ] && ln -sf "$font" "$fonts/$(basename "$font")"
done

league="$(mktemp -d)"
trap 'rm -rf "$league"' EXIT
sample="$programs/sample-league.exe"
[ -f "$sample" ] || sample="$programs/../tools/sample-league/sample-league.exe"
(cd "$league" && wine "$sample" . >/dev/null)

shoot() { # FILE [--window NAME]
    (cd "$league" && xvfb-run -a -s "-screen 0 1600x1000x24" \
        wine "$programs/tenvoll.exe" --screenshot "$@" >/dev/null 2>&1) || true
    wineserver -w || true
}
shoot "$(winepath -w "$out/main.png")"
for w in "${windows[@]}"; do
    shoot "$(winepath -w "$out/$w.png")" --window "$w"
done
ls -l "$out"/*.png
