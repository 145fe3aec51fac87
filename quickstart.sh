#!/usr/bin/env bash
# Sets up, builds and then runs the program or its tests.
#
#   ./quickstart.sh run        install what is missing, build in Release, start the program
#   ./quickstart.sh test       the same set-up, then the whole test suite (no display needed)
#   ./quickstart.sh sanitize   the test suite again, built with AddressSanitizer and UBSan
#
# All are safe to repeat: packages already there are not fetched again and
# the build only redoes what changed. The builds are the presets "release"
# (build/) and "sanitize" (build-sanitize/) of CMakePresets.json. Set
# HEARTHVALE_WERROR=ON to make compiler warnings errors (CI does).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in
    run|test|sanitize) ;;
    *) echo "usage: $0 run|test|sanitize" >&2; exit 2 ;;
esac

packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins fonts-comic-neue)
if [ "$mode" != run ]; then
    packages+=(xvfb xauth xdotool xclip openbox wmctrl x11-utils weston qt6-wayland
               g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               desktop-file-utils appstream devscripts dpkg-dev file groff-base
               orca speech-dispatcher at-spi2-core dbus)
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
esac
