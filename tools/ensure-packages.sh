# Installs the Debian packages that are missing (and only those), so that a
# warm machine starts at once. Sourced by ./run and ./test.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
            echo "These Debian packages are missing and I am not root: ${missing[*]}" >&2
            return 1
        fi
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Everything the build, the tests and the desktop program need (the icon is
# drawn with rsvg-convert, the Windows icon made with icotool; the package
# check validates the menu entry and the AppStream data, and runs lintian;
# the web pages are opened in headless Chromium).
TENVOLL_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    xvfb xauth fonts-noto-cjk qt6-translations-l10n
    librsvg2-bin icoutils
    desktop-file-utils appstream dpkg-dev file lintian
    chromium
)
