#!/usr/bin/env bash
# Runs quickstart.sh on the committed tree in a Debian system of another
# release, as a new user there would: a minimal system with git alone, made
# once with debootstrap and kept in a cache outside the tree, into which each
# run clones HEAD afresh.
#
#   tests/debian-release.sh CODENAME [MODE...]     e.g. trixie test deb
#   tests/debian-release.sh CODENAME --run COMMAND [ARGUMENT...]
#
# MODE is any of quickstart.sh's (test when none is given); each runs in
# turn, and the first to fail ends the run with its status. HEARTHVALE_WERROR
# and HEARTHVALE_REQUIRE_ALL_TESTS are passed in. --run runs one of that
# system's programs instead, in this environment and with this system's
# /tmp, so that it can reach a display, a bus or files made here (the
# screen reader test runs another release's Orca so). The systems live in
# ${HEARTHVALE_RELEASE_CACHE:-${XDG_CACHE_HOME:-~/.cache}/hearthvale/releases}/CODENAME;
# remove one to make it anew. Needs root, or sudo, for debootstrap and chroot.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

fail() { echo "debian-release: $*" >&2; exit 1; }
[ $# -ge 1 ] || fail "usage: $0 CODENAME [MODE...]"
codename=$1
shift
modes=("${@:-test}")
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || fail "run this as root, or install sudo"
    exec sudo --preserve-env=HEARTHVALE_WERROR,HEARTHVALE_REQUIRE_ALL_TESTS,HEARTHVALE_RELEASE_CACHE,XDG_CACHE_HOME \
        "$0" "$codename" "$@"
fi
command -v debootstrap >/dev/null 2>&1 ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >&2

cache=${HEARTHVALE_RELEASE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/hearthvale/releases}
root=$cache/$codename
if [ ! -f "$root/.complete" ]; then
    # From the archive this system takes its own packages from.
    mirror=$(apt-get indextargets --format '$(REPO_URI)' | grep -E '/debian/?$' | head -n 1 || true)
    [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
    # debootstrap knows the releases of its own time; later ones are made
    # as unstable is.
    script=/usr/share/debootstrap/scripts/$codename
    [ -e "$script" ] || script=/usr/share/debootstrap/scripts/sid
    echo "debian-release: making a Debian $codename system in $root (once)" >&2
    rm -rf "$root"
    mkdir -p "$cache"
    debootstrap --variant=minbase --include=git,ca-certificates "$codename" "$root" "$mirror" "$script" >&2
    # The testing archive's Release file holds for a week and is renewed
    # daily; a mirror frozen in time has one this clock has passed. apt is
    # told to accept it in this system only, and only then.
    release=$(ls "$root"/var/lib/apt/lists/*_dists_"${codename}"_Release)
    until=$(sed -n 's/^Valid-Until: //p' "$release")
    if [ -n "$until" ] && [ "$(date -d "$until" +%s)" -lt "$(date +%s)" ]; then
        echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99valid-until-passed"
    fi
    touch "$root/.complete"
fi

# Runs a command in a mount namespace of its own, with the system's /proc,
# /sys and /dev mounted, so that the mounts go when it ends; killed, it takes
# the command with it. The system's /tmp is this one's where a program run
# there must reach what is made here, else a tmpfs of its own.
in_system() { # shared|own COMMAND...
    exec unshare --mount --fork --kill-child -- bash -euo pipefail -c '
        root=$1 tmp=$2
        shift 2
        mount --make-rprivate /
        mount -t proc proc "$root/proc"
        mount -t sysfs sys "$root/sys"
        mount --rbind /dev "$root/dev"
        if [ "$tmp" = shared ]; then
            mount --rbind /tmp "$root/tmp"
        else
            mount -t tmpfs -o mode=1777 tmp "$root/tmp"
            mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
        fi
        exec "$@"
    ' debian-release "$root" "$@"
}

[ "${modes[0]}" != --run ] || in_system shared chroot "$root" "${modes[@]:1}"

rm -rf "$root/build"
mkdir -p "$root/build"
git clone -q "$top" "$root/build/hearthvale"
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_system own chroot "$root" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb HEARTHVALE_WERROR="${HEARTHVALE_WERROR:-}" \
    HEARTHVALE_REQUIRE_ALL_TESTS="${HEARTHVALE_REQUIRE_ALL_TESTS:-}" \
    bash -c 'cd /build/hearthvale && for mode; do
        echo "=== Debian $(cat /etc/debian_version): ./quickstart.sh $mode" >&2
        ./quickstart.sh "$mode" || exit
    done' debian-release "${modes[@]}"
