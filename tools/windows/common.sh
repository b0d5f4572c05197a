# Shared by the Windows scripts (sourced): the packages they need, the cache
# folder outside the checkout, and the versions that key it.
TENVOLL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$TENVOLL_ROOT/tools/ensure-packages.sh"

# Only the Windows checks need these; the Linux ./test never installs them.
TENVOLL_WINDOWS_PACKAGES=(
    g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine
    googletest zip unzip xvfb xauth fonts-noto-cjk qt6-translations-l10n
)

# Builds that outlive a checkout (GoogleTest, Qt, the wine prefix) live here.
TENVOLL_CACHE="${TENVOLL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tenvoll}"
TENVOLL_QT_VERSION=6.4.2
TENVOLL_MINGW="x86_64-w64-mingw32"
# GoogleTest for Windows, keyed by the installed googletest (asked once it is there).
gtest_dir() {
    local version
    version="$(dpkg-query -W -f='${Version}' googletest 2>/dev/null | sed 's/[^A-Za-z0-9.+-]/_/g')"
    echo "$TENVOLL_CACHE/googletest-${version:-unknown}-windows-x64"
}
TENVOLL_QT_DIR="$TENVOLL_CACHE/qt6-base-$TENVOLL_QT_VERSION-windows-x64"
TENVOLL_TOOLCHAIN="$TENVOLL_ROOT/cmake/mingw-w64-x86_64.cmake"

# wine in its own prefix, quiet, without the desktop integration.
export WINEPREFIX="${WINEPREFIX:-$TENVOLL_CACHE/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

# The compiler's runtime DLLs that every program needs beside it.
mingw_runtime_dlls() {
    local gccdir
    gccdir="$(dirname "$("$TENVOLL_MINGW-g++-posix" -print-libgcc-file-name)")"
    echo "$gccdir/libstdc++-6.dll" "$gccdir/libgcc_s_seh-1.dll" \
        "/usr/$TENVOLL_MINGW/lib/libwinpthread-1.dll"
}

# Makes the wine prefix once (a first start takes half a minute).
ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Preparing the wine prefix in $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w || true
    fi
}

# Runs CMD when the script ends, after what was registered before.
on_exit() {
    local command="$1" before=""
    eval "set -- $(trap -p EXIT)"
    [ $# -ge 3 ] && before="$3; "
    trap -- "$before$command" EXIT
}

# One wineserver for the whole script and the scripts it starts. Left alone,
# each program's server ends three seconds after the program, and a program
# started while it is ending fails ("wine client error ... Connection reset by
# peer"). A server that is already running is used as it is.
keep_wineserver() {
    ensure_wine_prefix
    [ -n "${TENVOLL_WINESERVER_KEPT:-}" ] && return 0
    export TENVOLL_WINESERVER_KEPT=1
    if wineserver -p 2>/dev/null; then
        on_exit 'wineserver -k 2>/dev/null || true'
    fi
}

# wine finds the runtime DLLs in their Debian folders (the zip carries copies).
wine_path_of() {
    local d out=""
    for d in "$@"; do out="${out:+$out;}Z:${d//\//\\}"; done
    echo "$out"
}
export WINEPATH="${WINEPATH:-$(wine_path_of "$(dirname "$("$TENVOLL_MINGW-g++-posix" -print-libgcc-file-name)")" "/usr/$TENVOLL_MINGW/lib")}"

# Programs under wine find Qt for Windows from the cache, when it is there.
use_windows_qt() {
    if [ -d "$TENVOLL_QT_DIR/bin" ]; then
        WINEPATH="$WINEPATH;$(wine_path_of "$TENVOLL_QT_DIR/bin")"
        QT_PLUGIN_PATH="$(wine_path_of "$TENVOLL_QT_DIR/plugins")"
        export WINEPATH QT_PLUGIN_PATH
    fi
}
