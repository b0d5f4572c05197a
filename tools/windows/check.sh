#!/usr/bin/env bash
# The Windows checks, after the Linux ./test: the Qt-free parts and their
# tests built for 64-bit Windows and run under wine, the cross-check of batch
# outputs against the Linux build (LINUX_BUILD, default build/); and, when Qt
# for Windows is in the cache (or its archive beside the checkout), also the
# windows, their tests under wine and the zip. TENVOLL_WINDOWS_GUI=0 leaves the
# window part out. Without a compiler cache the whole takes about 8 minutes.
# Usage: check.sh [LINUX_BUILD]
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TENVOLL_ROOT"
linux_build="${1:-build}"
ensure_packages "${TENVOLL_WINDOWS_PACKAGES[@]}"
tools/windows/build-googletest.sh
TENVOLL_GTEST_DIR="$(gtest_dir)"
keep_wineserver
jobs=$(nproc)
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "== Windows: engines, batch tool and their tests"
# Optimised as on Linux but without debugging information: the zip strips it
# anyway, and mingw's objects and links with it are several times bigger and slower.
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TENVOLL_TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    "${launcher[@]}" -DTENVOLL_GUI=OFF -DTENVOLL_BENCH=OFF \
    -DCMAKE_PREFIX_PATH="$TENVOLL_GTEST_DIR" >/dev/null
cmake --build build-windows -j "$jobs"
# The window tests of an earlier full run are still in a reused build folder:
# they run in the window part, not twice.
tools/windows/run-tests.sh build-windows '_tests\.exe$' '(_window|_widget|windowkit)_tests\.exe$'

echo "== Windows and Linux: the same batch commands on the same league"
tools/windows/cross-check.sh "$linux_build" build-windows

if [[ "${TENVOLL_WINDOWS_GUI:-1}" == 1 ]] && tools/windows/build-qt.sh --cached-only; then
    echo "== Windows: the windows, their tests and the zip"
    # The same build folder: the engines are built already.
    cmake -S . -B build-windows -DTENVOLL_GUI=ON \
        -DCMAKE_PREFIX_PATH="$TENVOLL_QT_DIR;$TENVOLL_GTEST_DIR" -DQT_HOST_PATH=/usr >/dev/null
    cmake --build build-windows -j "$jobs"
    tools/windows/run-tests.sh build-windows '(_window|_widget|windowkit)_tests\.exe$'
    tools/windows/package.sh build-windows
else
    echo "== Windows: the windows and the zip are left out (TENVOLL_WINDOWS_GUI=0, or no Qt for"
    echo "   Windows in $TENVOLL_QT_DIR: tools/windows/build-qt.sh builds it once)"
fi
