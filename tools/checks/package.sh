#!/usr/bin/env bash
# Checks the program as a desktop program, on a finished build: validates the
# desktop entry and the AppStream data, makes the Debian package with CPack,
# runs lintian on it (no errors), checks that its dependencies can be met from
# the Debian archive, installs it with dpkg into a scratch root, starts the
# installed programs there as the menu entry does, removes the package and
# checks that nothing is left behind.
#   tools/checks/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
fail() { echo "package check: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=$(sed -n 's/.*kDesktopEntryId = "\(.*\)";/\1/p' "$build/generated/league/ProgramVersion.h")
[ -n "$version" ] && [ -n "$app_id" ] || fail "no project version or entry name in $build"

desktop-file-validate "$build/packaging/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$build/packaging/$app_id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net --pedantic "$build/packaging/$app_id.metainfo.xml"

rm -f "$build"/tenvoll_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$build/tenvoll_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack made no $deb"

lintian --fail-on error "$deb" 2>/dev/null || fail "lintian found errors in $deb"

depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
# A machine with nothing installed yet can get every dependency from the
# archive (when the package lists are there to ask).
if compgen -G "/var/lib/apt/lists/*_Packages" >/dev/null; then
    apt-get --simulate --quiet=2 -o Dir::State::status=/dev/null -o Debug::NoLocking=1 \
        install "$deb" >/dev/null || fail "the dependencies cannot be met: $depends"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The scratch root has none of the dependencies: dpkg is told to go on anyway.
dpkg_root() {
    dpkg --root="$root" --log=/dev/null --force-depends --force-not-root \
        --force-script-chrootless "$@" >"$scratch/dpkg.log" 2>&1 ||
        { cat "$scratch/dpkg.log" >&2; fail "dpkg $* failed"; }
}
dpkg_root --install "$deb"

for f in usr/bin/tenvoll usr/bin/tenvoll-batch usr/bin/tenvoll-batch-draw usr/share/applications/$app_id.desktop \
    usr/share/metainfo/$app_id.metainfo.xml usr/share/tenvoll/manual/index.html \
    usr/share/icons/hicolor/16x16/apps/$app_id.png usr/share/icons/hicolor/256x256/apps/$app_id.png \
    usr/share/icons/hicolor/scalable/apps/$app_id.svg; do
    [ -e "$root/$f" ] || fail "not installed: /$f"
done
entry="$root/usr/share/applications/$app_id.desktop"
grep -qx "Icon=$app_id" "$entry" || fail "the menu entry names another icon"
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n1)
[ "$exec_line" = "tenvoll" ] || fail "the menu entry starts \"$exec_line\""

# --version needs neither a display nor a league.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tenvoll" --version)
[[ "$out" == "tenvoll $version (Qt "* ]] || fail "tenvoll --version printed \"$out\""
out=$("$root/usr/bin/tenvoll-batch" --version)
[ "$out" = "tenvoll-batch $version" ] || fail "tenvoll-batch --version printed \"$out\""
# The batch tool loads no Qt; it hands the drawing to the helper installed beside it.
! ldd "$root/usr/bin/tenvoll-batch" | grep -q libQt6 || fail "tenvoll-batch loads Qt"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tenvoll-batch" graph-demo "$scratch/gallery" \
    >/dev/null || fail "tenvoll-batch graph-demo failed"
compgen -G "$scratch/gallery/*.png" >/dev/null || fail "tenvoll-batch graph-demo drew nothing"

# Started as the menu starts it (from "/", no folder argument), the program
# opens the league folder remembered in the user's configuration.
home="$scratch/home"
mkdir -p "$home/league" "$home/.config/tenvoll"
printf '[Main]\r\n' >"$home/league/Tenvoll.ini"
printf '[Start]\nProgramFolder=%s\n' "$home/league" >"$home/.config/tenvoll/tenvoll.conf"
(cd / && env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=offscreen \
    "$root/usr/bin/$exec_line" --screenshot "$scratch/start.png" >/dev/null 2>&1) ||
    fail "the installed tenvoll did not start"
[ -s "$scratch/start.png" ] || fail "the installed tenvoll drew no window"

dpkg_root --purge tenvoll
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' \
    -not -path './var/lib/dpkg' -not -path './var/lib/dpkg/*')
[ -z "$left" ] || fail "removing the package left files behind: $left"
echo "package check: $(basename "$deb") validated, installed, started and removed cleanly"
