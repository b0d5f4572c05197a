#!/usr/bin/env bash
# Qt 6 (qtbase) for 64-bit Windows, once per version, into the cache folder
# ($TENVOLL_CACHE/qt6-base-<version>-windows-x64). Taken from a prepared
# archive when there is one (TENVOLL_QT_ARCHIVE, or the shared folder beside
# the checkout); otherwise built from Debian's own qt6-base source: about 45
# minutes on two cores, with ninja's progress shown, and resumable (a second
# run continues the build where it stopped). With --cached-only nothing is
# built: the exit status tells whether Qt is (now) in the cache.
set -euo pipefail
cached_only=false
[ "${1:-}" = "--cached-only" ] && cached_only=true
source "$(dirname "$0")/common.sh"
if [ -f "$TENVOLL_QT_DIR/.complete" ]; then
    exit 0
fi

archive="${TENVOLL_QT_ARCHIVE:-}"
if [ -z "$archive" ]; then
    for candidate in "$TENVOLL_ROOT/../shared/qt6-windows" "/work/shared/qt6-windows"; do
        f="$candidate/qt6-base-$TENVOLL_QT_VERSION-windows-x64-mingw.tar.xz"
        if [ -f "$f" ]; then archive="$f"; break; fi
    done
fi
if [ -n "$archive" ]; then
    echo "Unpacking Qt for Windows from $archive"
    rm -rf "$TENVOLL_QT_DIR.part"
    mkdir -p "$TENVOLL_QT_DIR.part"
    tar -xJf "$archive" -C "$TENVOLL_QT_DIR.part"
    rm -rf "$TENVOLL_QT_DIR"
    mv "$TENVOLL_QT_DIR.part/qt6" "$TENVOLL_QT_DIR"
    rm -rf "$TENVOLL_QT_DIR.part"
    touch "$TENVOLL_QT_DIR/.complete"
    exit 0
fi
$cached_only && exit 1

# ---- from source ------------------------------------------------------------
ensure_packages "${TENVOLL_WINDOWS_PACKAGES[@]}" qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils
work="$TENVOLL_CACHE/build-qt6-base-$TENVOLL_QT_VERSION"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src"

# deb-src entries made from the system's own entries, in a private apt
# configuration: the system's apt configuration is never changed.
if [ ! -f "$work/src/.fetched" ]; then
    : >"$work/apt/sources.list"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$work/apt/sources.sources"
        mkdir -p "$work/apt/parts"
        cp "$work/apt/sources.sources" "$work/apt/parts/debian.sources"
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >>"$work/apt/sources.list"
    fi
    apt_opts=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
        -o "Dir::Etc::SourceParts=$work/apt/parts"
        -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache")
    apt-get "${apt_opts[@]}" update
    (cd "$work/src" && apt-get "${apt_opts[@]}" source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)")
    (cd "$work/src" && dpkg-source -x ./*.dsc qtsource)
    touch "$work/src/.fetched"
fi
src="$work/src/qtsource"
# With OpenGL off the Windows platform plugin still asks for dynamic GL.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

if [ ! -f "$work/build/build.ninja" ]; then
    # The tablet support needs the wintab header that Debian's tarball leaves out.
    cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TENVOLL_TOOLCHAIN" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF \
        -DQT_BUILD_TESTS=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
fi
echo "Building Qt for Windows (about 45 minutes on two cores; run again to resume)"
cmake --build "$work/build" -j "$(nproc)"
rm -rf "$TENVOLL_QT_DIR"
cmake --install "$work/build" --prefix "$TENVOLL_QT_DIR" >/dev/null
touch "$TENVOLL_QT_DIR/.complete"
rm -rf "$work"
