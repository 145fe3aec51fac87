#!/usr/bin/env bash
# Sets up (installing the Debian packages each mode needs), builds and runs:
#
#   ./quickstart.sh run        build in Release (build/) and start the program
#   ./quickstart.sh test       the whole test suite in build/ (no display needed)
#   ./quickstart.sh sanitize   the suite with AddressSanitizer and UBSan, in build-sanitize/
#   ./quickstart.sh windows    the Windows program, cross-built: its tests under Wine, then
#                              the zip and the installer in build-windows/
#   ./quickstart.sh deb        the Debian package of what is committed, built in a clean
#                              clone, checked by lintian and hardening-check, in build-deb/
#
# Safe to repeat: only what changed is redone. The builds are the presets of
# CMakePresets.json, which read HEARTHVALE_WERROR (warnings as errors) and
# HEARTHVALE_REQUIRE_ALL_TESTS (no test left out) from the environment. Qt
# for Windows is built once into a cache outside the tree (build_qt.sh).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in
    run|test|sanitize|windows|deb) ;;
    *) echo "usage: $0 run|test|sanitize|windows|deb" >&2; exit 2 ;;
esac

packages=(cmake ninja-build g++ qt6-base-dev fonts-comic-neue)
# What the end-to-end tests drive the program with.
x11_tests=(xvfb xauth xdotool xclip openbox fluxbox icewm wmctrl x11-utils x11-xserver-utils)
case "$mode" in
test|sanitize)
    packages+=("${x11_tests[@]}" weston qt6-wayland orca speech-dispatcher at-spi2-core dbus
               python3 python3-gi gir1.2-atspi-2.0 desktop-file-utils appstream groff-base clang-format) ;;
windows)
    # The cross compiler, Qt's source and its build, Wine, the installer
    # maker, and the readers of Windows program files and installers.
    packages+=("${x11_tests[@]}" g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               dpkg-dev perl xz-utils debian-archive-keyring python3-pefile wine wine64 nsis 7zip) ;;
deb)
    packages+=(git dpkg-dev debhelper lintian devscripts python3) ;;
esac

# As root, or through sudo; or say what is needed and stop.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "quickstart: run this script as root, or install sudo, to run: $*" >&2
        exit 1
    fi
}

install_packages() {
    if ! command -v dpkg-query >/dev/null 2>&1; then
        echo "quickstart: not a Debian system; make sure Qt 6 (Widgets) and CMake are installed." >&2
        return 0
    fi
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "quickstart: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configure's chatter stays out of the way; what it leaves out, and any
# error, it says on stderr.
build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

install_packages "${packages[@]}"
# Font caches brought up to date once, here, rather than by the first
# programs the tests start, all at the same time.
if [ "$mode" != run ] && command -v fc-cache >/dev/null 2>&1; then fc-cache >/dev/null 2>&1 || true; fi

case "$mode" in
run)
    build release
    exec ./build/bin/hearthvale-names
    ;;
test|sanitize)
    preset=release
    [ "$mode" = sanitize ] && preset=sanitize # its test preset carries the sanitizers' settings
    build "$preset"
    ctest --preset "$preset" -j "$(nproc)"
    ;;
windows)
    HEARTHVALE_QT_WINDOWS=$(packaging/windows/build_qt.sh | tail -n 1)
    export HEARTHVALE_QT_WINDOWS
    build windows
    ctest --preset windows -j "$(nproc)"
    cpack --preset windows
    ls -l build-windows/hearthvale-names-*-win64.zip build-windows/hearthvale-names-*-win64-setup.exe
    ;;
deb)
    as_root env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q ./
    rm -rf build-deb && mkdir -p build-deb/clone
    git clone -q . build-deb/clone
    (cd build-deb/clone && dpkg-buildpackage -us -uc -b)
    lintian --pedantic --fail-on error,warning build-deb/*.changes
    dpkg-deb -x build-deb/hearthvale-names_*_"$(dpkg --print-architecture)".deb build-deb/unpacked
    # Exactly the protections this release's dpkg-buildflags gives the
    # package, where its toolchain can.
    packaging/check_hardening.py debian/rules build-deb/unpacked/usr/games/hearthvale-names
    rm -rf build-deb/clone build-deb/unpacked
    ls -l build-deb/*.deb
    ;;
esac
