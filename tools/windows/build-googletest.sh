#!/usr/bin/env bash
# Builds GoogleTest for 64-bit Windows from Debian's own sources
# (/usr/src/googletest) into the cache, once per googletest version.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages "${TENVOLL_WINDOWS_PACKAGES[@]}"
TENVOLL_GTEST_DIR="$(gtest_dir)"

if [ -f "$TENVOLL_GTEST_DIR/.complete" ]; then
    exit 0
fi
work="$TENVOLL_CACHE/build-googletest"
rm -rf "$work" "$TENVOLL_GTEST_DIR"
echo "Building GoogleTest for Windows into $TENVOLL_GTEST_DIR"
cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TENVOLL_TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF \
    -DCMAKE_INSTALL_PREFIX="$TENVOLL_GTEST_DIR" >/dev/null
cmake --build "$work" -j "$(nproc)"
cmake --install "$work" >/dev/null
rm -rf "$work"
touch "$TENVOLL_GTEST_DIR/.complete"
