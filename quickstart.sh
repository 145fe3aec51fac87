#!/usr/bin/env bash
# Sets up, builds and then runs the program or its tests.
#
#   ./quickstart.sh run        install what is missing, build in Release, start the program
#   ./quickstart.sh test       the same set-up, then the whole test suite (no display needed)
#   ./quickstart.sh sanitize   the test suite again, built with AddressSanitizer and UBSan
#   ./quickstart.sh windows    the Windows program, cross-built: its tests under Wine, then
#                              the zip and the installer in build-windows/
#
# All are safe to repeat: packages already there are not fetched again and
# the build only redoes what changed. The builds are the presets "release"
# (build/), "sanitize" (build-sanitize/) and "windows" (build-windows/) of
# CMakePresets.json. The windows mode first builds Qt for Windows from
# Debian's own source, once, into a cache outside the tree (see
# packaging/windows/build_qt.sh for where, and how to clear it). Set
# HEARTHVALE_WERROR=ON to make compiler warnings errors (CI does).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in
    run|test|sanitize|windows) ;;
    *) echo "usage: $0 run|test|sanitize|windows" >&2; exit 2 ;;
esac

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-private-dev qt6-qpa-plugins fonts-comic-neue)
# What the end-to-end tests drive the program with, and the cross compiler.
x11_tests=(xvfb xauth xdotool xclip openbox wmctrl x11-utils x11-xserver-utils)
mingw=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
if [ "$mode" = windows ]; then
    # Qt's source and its build (dpkg-dev, perl, xz), Wine, the installer
    # maker, and the readers of Windows program files and installers.
    packages+=("${x11_tests[@]}" "${mingw[@]}" dpkg-dev perl xz-utils debian-archive-keyring
               wine wine64 nsis python3-pefile 7zip)
elif [ "$mode" != run ]; then
    packages+=("${x11_tests[@]}" "${mingw[@]}" weston qt6-wayland
               desktop-file-utils appstream devscripts dpkg-dev file groff-base
               orca speech-dispatcher at-spi2-core dbus
               valgrind) # the last for bench/startup.sh's instruction counts
fi

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

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "quickstart: these Debian packages are needed: ${missing[*]}" >&2
            echo "quickstart: run this script as root, or install sudo, or install them yourself." >&2
            exit 1
        fi
    fi
    echo "quickstart: installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures and builds with one of the presets in CMakePresets.json, which
# also read HEARTHVALE_WERROR from the environment.
build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

install_packages "${packages[@]}"

case "$mode" in
run)
    build release
    exec ./build/bin/hearthvale-names
    ;;
test|sanitize)
    # Font caches brought up to date once, here, rather than by the first
    # programs the tests start, all at the same time (installing fonts
    # normally leaves them current, and then this does nothing).
    if command -v fc-cache >/dev/null 2>&1; then fc-cache >/dev/null 2>&1 || true; fi
    # The sanitize test preset carries the ASan, UBSan and LSan settings.
    preset=release
    [ "$mode" = sanitize ] && preset=sanitize
    build "$preset"
    ctest --preset "$preset" -j "$(nproc)"
    ;;
windows)
    if command -v fc-cache >/dev/null 2>&1; then fc-cache >/dev/null 2>&1 || true; fi
    HEARTHVALE_QT_WINDOWS=$(packaging/windows/build_qt.sh | tail -n 1)
    export HEARTHVALE_QT_WINDOWS
    build windows
    ctest --preset windows -j "$(nproc)"
    cpack --preset windows
    ls -l build-windows/hearthvale-names-*-win64.zip build-windows/hearthvale-names-*-win64-setup.exe
    ;;
esac
