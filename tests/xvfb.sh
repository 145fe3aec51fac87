# Starts a private Xvfb for a test or the benchmark. Sourced:
#
#   . tests/xvfb.sh
#   xvfb_start WORKDIR [SCREEN] || exit 1  # DISPLAY and the rest are now set
#   ...
#   wm_start WORKDIR [WM] || exit 1 # where a test needs a window manager
#   window=$(window_wait TITLE PID) # the program's window, once it shows
#   xvfb_stop                       # in the caller's exit trap (stops both)
#
# or run, for a test program that needs a real X server (the offscreen
# platform opens no links): bash tests/xvfb.sh PROGRAM [ARGS...]
#
# The display is whichever one is free (-displayfd). WORKDIR is the caller's
# temporary folder, for the server's log and a private runtime folder;
# SCREEN is Xvfb's WIDTHxHEIGHTxDEPTH, 1024x768x24 unless given.
#
# Qt is pointed at the server through xcb, and everything that could steer
# it elsewhere or change what it draws is taken away: a desktop name adds
# that desktop's own link opener, BROWSER names one directly, SNAP or
# FLATPAK_ID send links to the desktop portal, a session bus or platform
# theme could do the same, and the scale settings change every size.

xvfb_pid=
wm_pid=

xvfb_start() {
    local workdir=$1 screen=${2:-1024x768x24} number=
    rm -f "$workdir/display"
    mkfifo "$workdir/display" || return 1
    # -noreset: with no window manager holding a connection, the server
    # would reset whenever its last client left, and refuse the next one for
    # a moment; the benchmark starts one program after another.
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "$screen" \
        3>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 20 number <"$workdir/display" || true
    if [ -z "$number" ]; then
        echo "xvfb.sh: Xvfb did not start" >&2
        cat "$workdir/xvfb.log" >&2
        return 1
    fi

    export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
    # A private runtime folder, as a login session would have; Qt asks for one.
    mkdir -p -m 700 "$workdir/runtime"
    export XDG_RUNTIME_DIR="$workdir/runtime"
    unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION \
          GNOME_DESKTOP_SESSION_ID BROWSER DEFAULT_BROWSER SNAP FLATPAK_ID \
          DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE WAYLAND_DISPLAY \
          XAUTHORITY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
}

# The window manager, openbox unless WM names fluxbox or icewm, must be up
# before a window maps, or nothing manages it. Each runs with its defaults,
# its HOME the caller's folder. Its first start on a new system may take a
# while on a busy machine; and now and then it does not get its connection
# at all, so it is given three tries.
wm_start() {
    local workdir=$1 wm=${2:-openbox} wm_command
    case $wm in
        openbox) wm_command=(openbox --sm-disable) ;;
        fluxbox|icewm) wm_command=("$wm") ;;
        *) echo "xvfb.sh: no window manager '$wm'" >&2; return 1 ;;
    esac
    wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.05; done
    for _ in 1 2 3; do
        HOME=$workdir "${wm_command[@]}" >>"$workdir/wm.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 400); do
            wm_ready && return 0
            kill -0 "$wm_pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$wm_pid" 2>/dev/null
        wait "$wm_pid" 2>/dev/null
        wm_pid=
        sleep 0.2
    done
    echo "xvfb.sh: $wm did not start: $(cat "$workdir/wm.log")" >&2
    return 1
}

# Prints the id of the visible window titled exactly TITLE once there is one,
# while the program PID runs. Status 1 when none came within 30 s (a first
# start on a new system may build the font caches too), 2 when the program
# ended first.
window_wait() {
    local title=$1 pid=$2 window
    for _ in $(seq 600); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
        [ -n "$window" ] && { echo "$window"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 2
        sleep 0.05
    done
    return 1
}

xvfb_stop() {
    # Killed outright: fluxbox now and then hangs in its own SIGTERM handler.
    if [ -n "$wm_pid" ]; then
        kill -KILL "$wm_pid" 2>/dev/null
        wait "$wm_pid" 2>/dev/null
        wm_pid=
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    fi
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    work=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-xvfb.XXXXXX") || exit 1
    trap 'xvfb_stop; rm -rf "$work"' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    xvfb_start "$work" || exit 1
    "$@"
fi
