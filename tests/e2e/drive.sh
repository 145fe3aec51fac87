#!/usr/bin/env bash
# Drives the real program in a real X server, as a person would: clicks and
# keys through xdotool, the name read back by copying it out (xclip), the
# browser replaced by a stand-in xdg-open that records what it is given.
# Each run starts its own Xvfb and window manager and removes them after.
#
#   HEARTHVALE_DISPLAY_NAME=TITLE drive.sh PROGRAM NAMES_SOURCE CASE [WM]
#
# PROGRAM may be a script starting the Windows build under Wine, in the
# prefix HEARTHVALE_E2E_WINEPREFIX names; Wine's server ends with the display.
# CASE is one of the cases below; screenreader runs Orca on a session bus of
# its own (dbus-run-session) and reads what it says from its debug log. WM
# is the window manager, openbox unless named (xvfb.sh has the others).
set -uo pipefail

program=$1 names_source=$2 case=$3 wm=${4:-openbox}
if [ "$case" = screenreader ] && [ -z "${HEARTHVALE_OWN_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL ($case): dbus-run-session is not installed" >&2; exit 1; }
    HEARTHVALE_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
session_bus=${DBUS_SESSION_BUS_ADDRESS:-}
under_wine=${HEARTHVALE_E2E_WINEPREFIX:+yes}
[ -z "$under_wine" ] || export WINEPREFIX=$HEARTHVALE_E2E_WINEPREFIX
here=$(cd "$(dirname "$0")" && pwd)
title=${HEARTHVALE_DISPLAY_NAME:?the window's title, which the tests' registration gives}

fail() {
    echo "FAIL ($case under $wm): $*" >&2
    [ -s "${work:-}/err.log" ] && { echo "--- the program's stderr:" >&2; cat "$work/err.log" >&2; }
    exit 1
}
. "$here/../xvfb.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-e2e.XXXXXX")
cleanup() {
    # Orca does not always answer SIGTERM. It writes its log a line at a
    # time, so nothing is lost when it is killed.
    [ -n "${orca_pid:-}" ] && { kill -KILL "$orca_pid"; wait "$orca_pid"; } 2>/dev/null
    # The program, unless it has been waited for, and the accessibility bus.
    for pid in ${app:-} ${listener_pid:-} ${at_spi_pid:-}; do kill "$pid" 2>/dev/null; done
    for pid in ${app:-} ${listener_pid:-} ${at_spi_pid:-}; do wait "$pid" 2>/dev/null; done
    # A Windows build under Wine: its server and services go with the display.
    [ -n "$under_wine" ] && wineserver -k 2>/dev/null
    # Orca starts a speech server of its own, in our runtime folder.
    speechd_pid="$work/runtime/speech-dispatcher/pid/speech-dispatcher.pid"
    [ -s "$speechd_pid" ] && kill "$(cat "$speechd_pid")" 2>/dev/null
    xvfb_stop
    rm -rf "$work"
}
trap cleanup EXIT

# The screen, and the browser stand-in (xdg-open first on the program's
# PATH), that each case wants.
export HEARTHVALE_LINK_RECORDS="$work/records" HEARTHVALE_LINK_STANDIN=record
app_env=() app_path="$work/bin:$PATH"
case $case in
    small-screen) xvfb_screen=640x480x24 ;;
    scale-2) app_env=(QT_SCALE_FACTOR=2) ;;
    screens) xvfb_screen=3584x1600x24 app_env=("QT_SCREEN_SCALE_FACTORS=LEFT=1;RIGHT=2") ;;
    monitors) xvfb_screen=3286x1080x24 ;;
    launcher-hangs) HEARTHVALE_LINK_STANDIN=hang ;;
    launcher-missing) app_path="$work/bin" ;; # no launcher at all
esac
mkdir "$work/bin" "$work/records"
[ "$case" = launcher-missing ] || install -m 755 "$here/../links/xdg-open-standin.sh" "$work/bin/xdg-open"

# A display of our own, whichever number is free.
xvfb_start "$work" "${xvfb_screen:-}" || fail "Xvfb did not start"

# A window manager that places every window itself: openbox, told in its
# settings (its HOME is $work) to put each frame at 50,60.
if [ "$case" = wm-places ]; then
    mkdir -p "$work/.config/openbox"
    cat >"$work/.config/openbox/rc.xml" <<'EOF'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <applications>
    <application class="*"><position force="yes"><x>50</x><y>60</y></position></application>
  </applications>
</openbox_config>
EOF
fi
wm_start "$work" "$wm" || fail "$wm did not start"
# Monitors once the window manager holds the display: the server forgets
# them when its last client leaves. For monitors, a laptop's panel at the
# left and the primary monitor at the right, the X screen taller than the
# panel.
case $case in
    screens) { xrandr --setmonitor LEFT 1024/270x768/203+0+0 screen \
        && xrandr --setmonitor RIGHT 2560/600x1600/380+1024+0 none; } >/dev/null || fail "xrandr could not set monitors" ;;
    monitors) { xrandr --setmonitor LAPTOP 1366/300x768/170+0+0 screen \
        && xrandr --setmonitor '*EXTERNAL' 1920/530x1080/300+1366+0 none; } >/dev/null || fail "xrandr could not set monitors" ;;
esac

# The screen reader on this session's bus, as a desktop starts it: the
# accessibility bus first, then Orca, then the program.
if [ "$case" = screenreader ]; then
    export DBUS_SESSION_BUS_ADDRESS=$session_bus
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY
    "${HEARTHVALE_AT_SPI_BUS:-/usr/libexec/at-spi-bus-launcher}" --launch-immediately >"$work/at-spi.log" 2>&1 &
    at_spi_pid=$!
    for _ in $(seq 200); do
        # Asked without starting it: the bus would start a launcher of its own.
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
        sleep 0.05
    done
    # Orca started by orca_start.py, which has it write its debug log a line
    # at a time; with a pgrep that finds no other Orca, so that it neither
    # refuses to start beside the user's own nor stops it. HEARTHVALE_ORCA_RUNNER
    # may name a command that runs a program in another Debian system sharing
    # this one's /tmp (tests/debian-release.sh CODENAME --run), whose Orca is
    # then the one used.
    read -r -a orca_runner <<<"${HEARTHVALE_ORCA_RUNNER:-}"
    orca=$("${orca_runner[@]}" sh -c 'command -v orca') || fail "orca is not installed"
    interpreter=$("${orca_runner[@]}" sed -n '1s/^#! *//p' "$orca")
    mkdir "$work/orca-home" "$work/orca-bin"
    cp "$here/orca_start.py" "$work/orca-bin/"
    printf '#!/bin/sh\nexit 1\n' >"$work/orca-bin/pgrep"
    chmod +x "$work/orca-bin/pgrep"
    log=$work/orca.log
    # Orca's own home is set inside the runner, which finds its system by
    # the caller's.
    "${orca_runner[@]}" env PATH="$work/orca-bin:$PATH" HOME="$work/orca-home" XDG_CONFIG_HOME="$work/orca-home" \
        XDG_DATA_HOME="$work/orca-home" $interpreter "$work/orca-bin/orca_start.py" "$orca" \
        --debug-file "$log" >"$work/orca.out" 2>&1 &
    orca_pid=$!
    for _ in $(seq 400); do grep -q "SPEECH OUTPUT: 'Screen reader on" "$log" 2>/dev/null && break; sleep 0.05; done
    grep -q "SPEECH OUTPUT: 'Screen reader on" "$log" 2>/dev/null || fail "Orca did not start: $(cat "$work/orca.out")"
    # And beside it the simplest of clients, which prints each announcement
    # with what the name box holds at that moment.
    /usr/bin/python3 -u "$here/atspi_listener.py" hearthvale-names >"$work/heard" 2>"$work/listener.err" &
    listener_pid=$!
    for _ in $(seq 200); do grep -qx ready "$work/heard" && break; sleep 0.05; done
    grep -qx ready "$work/heard" || fail "the AT-SPI listener did not start: $(cat "$work/listener.err")"
fi

# Started by a session manager, the program gets Qt's own options.
args=()
[ "$case" = qt-options ] && args=(--session=1a2b3c4d_5 --name=hearthvale-restored -stylesheet /dev/null
                                  -platformtheme xdgdesktopportal -reverse -qwindowgeometry +40+30)

start_program() {
    env PATH="$app_path" "${app_env[@]}" "$program" "${args[@]}" >"$work/out.log" 2>"$work/err.log" &
    app=$!
    window=$(window_wait "$title" "$app")
    case $? in
        1) fail "no window titled '$title' appeared within 30 s" ;;
        2) fail "the program ended at start: $(cat "$work/err.log")" ;;
    esac
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    sleep 0.3
}
# The monitors case starts it several times over.
[ "$case" = monitors ] || start_program

# Points inside the controls, in the window's own pixels.
# No --sync: it waits for a motion event, and there is none when the
# pointer is already there.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
generate() { click 460 19; }
quillbrook() { click 264 388; }
copperwick() { click 264 420; }
exit_button() { click 264 452; }
name_box() { click 150 19; }

# The name, as a user gets it out: select all in the box, copy, paste.
copied_name() {
    name_box
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 0.2
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}

is_table_entry() { grep -qxF "    \"$1\"," "$names_source"; }

# The program's status once it ends; it is not waited for again.
wait_for_exit() {
    local status
    for _ in $(seq 100); do
        kill -0 "$app" 2>/dev/null || { wait "$app"; status=$?; app=; return "$status"; }
        sleep 0.05
    done
    fail "the program did not end"
}

# The frame's left, top, right and bottom edges, then the client's width and
# height, in the screen's pixels.
frame_geometry() {
    local client extents
    client=$(xwininfo -id "$window" | awk '/Absolute upper-left [XY]:|Width:|Height:/ {printf "%s ", $NF}')
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*=//; s/,/ /g')
    # shellcheck disable=SC2086 # the numbers, one word each
    set -- $client $extents
    echo $(($1 - $5)) $(($2 - $7)) $(($1 + $3 + $6)) $(($2 + $4 + $8)) "$3" "$4"
}

# Whether the window is $1 x $2 and its size hints keep it so; sets geometry
# (as frame_geometry has it) and hints.
fixed_size() {
    geometry=$(frame_geometry) hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    [ "${geometry#* * * * }" = "$1 $2" ] && grep -q "minimum size: $1 by $2" <<<"$hints" \
        && grep -q "maximum size: $1 by $2" <<<"$hints"
}

# The screen's free area as the window manager gives it (without its
# panel, if it has one): left, top, width, height.
free_area() {
    local values
    read -r -a values <<<"$(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')"
    echo "${values[@]:0:4}"
}

# Whether the frame, as frame_geometry has it in $geometry, is centred on
# the area LEFT TOP WIDTH HEIGHT, within SLACK half pixels.
centred_on() {
    local left top right bottom off_x off_y
    read -r left top right bottom _ <<<"$geometry"
    off_x=$((left + right - 2 * $1 - $3)) off_y=$((top + bottom - 2 * $2 - $4))
    [ "${off_x#-}" -le "$5" ] && [ "${off_y#-}" -le "$5" ]
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
resident_kib() { awk '/^VmRSS/ {print $2}' "/proc/$app/status"; }

recorded_calls() {
    for record in "$work/records"/call-*; do
        [ -e "$record" ] && tr '\0' '\n' <"$record"
    done | sort
}

case $case in
generate)
    [ -z "$(copied_name)" ] || fail "the name box is not empty at start"
    seen=()
    for _ in 1 2 3 4 5; do
        generate
        name=$(copied_name)
        [ -n "$name" ] || fail "Generate! left the box empty"
        is_table_entry "$name" || fail "'$name' is not an entry of the table"
        seen+=("$name")
    done
    echo "drawn: ${seen[*]}"
    # Typed text is replaced, not added to.
    name_box
    xdotool key ctrl+a && xdotool type --delay 5 "Typed Town"
    [ "$(copied_name)" = "Typed Town" ] || fail "typing into the box did not work"
    generate
    name=$(copied_name)
    is_table_entry "$name" || fail "after typing, the box holds '$name', not an entry"
    ;;
keyboard)
    # Focus starts on Generate!; space presses it.
    xdotool key space
    name=$(copied_name)
    is_table_entry "$name" || fail "space on the first control did not draw a name (box: '$name')"
    # Return and keypad Enter press the focused button as well.
    for key in Return KP_Enter; do
        name_box
        xdotool key ctrl+a && xdotool type --delay 5 "Typed Town"
        xdotool key shift+Tab "$key"
        name=$(copied_name)
        is_table_entry "$name" || fail "$key on Generate! did not draw a name (box: '$name')"
    done
    # There is no default or cancel button: in the box they press nothing.
    name_box
    xdotool key ctrl+a && xdotool type --delay 5 "Typed Town"
    xdotool key Return KP_Enter Escape
    [ "$(copied_name)" = "Typed Town" ] || fail "Return or Escape in the box changed it"
    kill -0 "$app" 2>/dev/null || fail "Return or Escape in the box ended the program"
    # From the box, Tab reaches Copperwick, Quillbrook, Exit: Return on Exit ends the program.
    name_box
    xdotool key Tab Tab Tab Return
    wait_for_exit || fail "Exit reached by keyboard ended with status $?"
    ;;
sites)
    generate
    before=$(copied_name)
    quillbrook
    copperwick
    for _ in $(seq 100); do [ "$(recorded_calls | wc -l)" -ge 2 ] && break; sleep 0.05; done
    expected=$(printf '%s\n' http://www.copperwick.example/ http://www.quillbrook.example/)
    [ "$(recorded_calls)" = "$expected" ] || fail "the launcher got: $(recorded_calls | tr '\n' ' ')"
    [ "$(copied_name)" = "$before" ] || fail "a site button changed the name box"
    ;;
exit)
    name_box
    xdotool type --delay 5 "Unsaved edit"
    exit_button
    wait_for_exit || fail "Exit ended the program with status $?"
    ;;
close)
    wmctrl -i -c "$window"
    wait_for_exit || fail "closing the window ended the program with status $?"
    ;;
launcher-hangs|launcher-missing)
    quillbrook
    copperwick
    generate
    name=$(copied_name)
    is_table_entry "$name" || fail "the window did not answer after a site button (box: '$name')"
    kill -0 "$app" 2>/dev/null || fail "the program ended"
    ;;
idle)
    generate
    sleep 1
    before=$(cpu_ticks)
    sleep 3
    used=$(( $(cpu_ticks) - before ))
    echo "CPU ticks used in 3 s idle: $used"
    [ "$used" -le 2 ] || fail "an idle window used $used ticks of CPU in 3 s"
    ;;
memory)
    xdotool mousemove --window "$window" 460 19
    xdotool click --repeat 500 --delay 2 1
    sleep 0.5
    before=$(resident_kib)
    xdotool click --repeat 4000 --delay 2 1
    sleep 0.5
    after=$(resident_kib)
    is_table_entry "$(copied_name)" || fail "the box does not hold a name after the presses"
    echo "resident memory: $before KiB after 500 presses, $after KiB after 4500"
    [ $(( after - before )) -lt 1024 ] || fail "memory grew by $(( after - before )) KiB over 4000 presses"
    ;;
qt-options)
    grep -q '"hearthvale-restored"' <<<"$(xprop -id "$window" WM_CLASS)" || fail "Qt did not take -name"
    # Where the session put it, not centred.
    read -r left top _ <<<"$(frame_geometry)"
    [ "$left,$top" = 40,30 ] || fail "Qt did not take -qwindowgeometry: the frame starts at $left,$top"
    generate
    is_table_entry "$(copied_name)" || fail "the restored window does not draw names"
    ;;
window)
    # The window manager sets these once it manages the window.
    for _ in $(seq 100); do
        actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS) && grep -q '_NET_WM_ACTION' <<<"$actions" && break
        sleep 0.05
    done
    # The whole window, frame and all, centred on the screen's free area
    # (without the window manager's panel, if it has one), once the window
    # manager has told the frame. Under Wine, Qt knows the frame from Wine's
    # Windows metrics, which miss the window manager's real frame by a pixel
    # or two.
    area=$(free_area) slack=${under_wine:+4}
    for _ in $(seq 40); do
        geometry=$(frame_geometry)
        # shellcheck disable=SC2086 # the numbers, one word each
        centred_on $area "${slack:-2}" && break
        sleep 0.05
    done
    # shellcheck disable=SC2086
    centred_on $area "${slack:-2}" || fail "not centred on the free area $area: the frame spans $geometry"
    grep -q MINIMIZE <<<"$actions" || fail "minimise not offered: $actions"
    ! grep -q MAXIMIZE <<<"$actions" || fail "maximise offered: $actions"
    # Natively the window offers every size its icon has; under Wine it has
    # the small and large icon that Windows gives a window.
    sizes="16 32"
    [ -n "$under_wine" ] || sizes+=" 48 128"
    icon=$(xprop -id "$window" -notype _NET_WM_ICON | grep 'Icon (')
    for size in $sizes; do
        grep -q "Icon ($size x $size)" <<<"$icon" || fail "no $size x $size icon offered"
    done
    # Nothing can make it bigger: asked to, openbox leaves it (fluxbox and
    # icewm grant any program's request, whatever the window's size hints).
    [ "$wm" = openbox ] && xdotool windowsize "$window" 900 700 && sleep 0.5
    fixed_size 638 478 || fail "not fixed at 638x478: $geometry; $hints"
    ;;
small-screen|scale-2)
    # Too big for the screen: the frame from the free area's top left, title
    # bar and close box in reach; at scale 2, Qt knows a frame of one pixel
    # as one of two, and the frame may start a pixel in.
    read -r area_left area_top _ <<<"$(free_area)"
    at_corner() {
        read -r left top _ <<<"$(frame_geometry)"
        in_x=$((left - area_left)) in_y=$((top - area_top))
        [ "$in_x" -ge 0 ] && [ "$in_x" -le 1 ] && [ "$in_y" -ge 0 ] && [ "$in_y" -le 1 ]
    }
    for _ in $(seq 40); do at_corner && break; sleep 0.05; done
    at_corner || fail "the frame starts at $left,$top, the free area at $area_left,$area_top"
    ;;
wm-places)
    # Not moved back to the centre once the frame is known.
    sleep 0.5
    read -r left top _ <<<"$(frame_geometry)"
    [ "$left,$top" = 50,60 ] || fail "the window manager put the frame at 50,60, and it is at $left,$top"
    ;;
monitors)
    # Started with the pointer on the primary monitor, on no monitor (below
    # the laptop's panel) and on the laptop's panel, at the scales given: the
    # window opens on the monitor under the pointer, or else on the primary,
    # the card's size at that monitor's scale, its frame centred on the
    # monitor (within a pixel of rounding more where the frame's pixels do
    # not divide by the scale). openbox has no panel, and the whole monitor
    # is free.
    for start in "2000 500 1 EXTERNAL 638 478" "2000 500 1.5 EXTERNAL 957 717" \
                 "683 1000 2 EXTERNAL 1276 956" "683 384 2 LAPTOP 638 478"; do
        read -r x y scale monitor size_x size_y <<<"$start"
        xdotool mousemove "$x" "$y"
        app_env=("QT_SCREEN_SCALE_FACTORS=LAPTOP=1;EXTERNAL=$scale")
        start_program
        case $monitor in
            LAPTOP) area="0 0 1366 768" ;;
            EXTERNAL) area="1366 0 1920 1080" ;;
        esac
        # shellcheck disable=SC2086 # the numbers, one word each
        for _ in $(seq 100); do fixed_size "$size_x" "$size_y" && centred_on $area 4 && break; sleep 0.05; done
        fixed_size "$size_x" "$size_y" || fail "pointer at $x,$y, scale $scale: not fixed at ${size_x}x$size_y: $geometry; $hints"
        # shellcheck disable=SC2086
        centred_on $area 4 || fail "pointer at $x,$y, scale $scale: not centred on $monitor ($area): the frame spans $geometry"
        kill "$app"
        wait "$app"
        app=
    done
    ;;
screens)
    # Moved to the screen of twice the scale, the card takes twice the pixels
    # and its size hints follow, its frame on that screen; moved back, as before.
    for move in "1500 200 1276 956 1024" "100 100 638 478 0"; do
        read -r x y size_x size_y screen_left <<<"$move"
        wmctrl -i -r "$window" -e "0,$x,$y,-1,-1"
        for _ in $(seq 100); do fixed_size "$size_x" "$size_y" && break; sleep 0.05; done
        fixed_size "$size_x" "$size_y" || fail "moved to $x,$y, not fixed at ${size_x}x$size_y: $geometry; $hints"
        read -r left top _ <<<"$geometry"
        [ "$left" -ge "$screen_left" ] && [ "$top" -ge 0 ] || fail "moved to $x,$y, its frame starts at $left,$top"
    done
    ;;
screenreader)
    # What Orca said from line $1 of its log on, one line each, without the
    # echo of the keys pressed (Orca's wording of which differs between
    # versions, as does the rest of its log but for the spoken lines).
    said() {
        tail -n "+$1" "$log" | sed -n "s/^.* - SPEECH OUTPUT: '\\(.*\\)' *{.*/\\1/p" |
            grep -viE '^(space|tab|left shift|shift|shift tab) *$'
    }
    lines() { echo $(( $(wc -l <"$log") + 1 )); }
    # Waits up to 10 s for Orca to say a line that grep's other arguments
    # match, after line $1.
    await_speech() {
        local from=$1
        shift
        for _ in $(seq 200); do said "$from" | grep -q "$@" && return 0; sleep 0.05; done
        return 1
    }
    # Right after start Orca may not follow the focus yet: Tab and back
    # until it has named the box, then the button, as the focus came to
    # each. Keys that never reach the window are a failed set-up, tried
    # again, never a pass.
    for try in 1 2 3; do
        start=$(lines)
        xdotool key Tab
        if await_speech "$start" '^Neighborhood name'; then
            start=$(lines)
            xdotool key shift+Tab
            await_speech "$start" '^Generate!' && break
        fi
        [ "$try" -lt 3 ] || fail "Orca never followed the focus (the keys did not reach the window)"
        xdotool windowactivate --sync "$window" >/dev/null 2>&1
        sleep 0.5
    done
    sleep 1
    # Each press: the listener reads one announcement, the new name, which
    # the box holds; Orca says that name once and nothing else, so the
    # focus stayed on Generate!.
    names=()
    for press in 1 2 3; do
        before=$(lines) heard_before=$(wc -l <"$work/heard")
        xdotool key space
        await_speech "$before" . || fail "press $press: Orca said nothing within 10 s"
        for _ in $(seq 100); do [ "$(wc -l <"$work/heard")" -gt "$heard_before" ] && break; sleep 0.05; done
        sleep 0.5 # anything said twice would come now
        heard=$(tail -n "+$((heard_before + 1))" "$work/heard")
        IFS=$'\t' read -r announced shown <<<"$heard"
        [ "$(wc -l <<<"$heard")" = 1 ] && [ -n "$shown" ] && [ "$announced" = "$shown" ] ||
            fail "press $press: an AT-SPI client heard '$heard' (announced, then the box), not the box's new name once"
        is_table_entry "$shown" || fail "press $press: the box holds '$shown', not a name from the table"
        # The name, announced (Qt 6.8 on) or as a notification, in one
        # utterance or two ("notification", then the name) by Orca's version.
        spoken=$(said "$before" | paste -sd ' ')
        spoken=${spoken#notification }
        [ "$spoken" = "$shown" ] || [ "${spoken%.}" = "$shown" ] ||
            fail "press $press: Orca said '$(said "$before")', not once the new name '$shown'"
        names+=("$shown")
    done
    # Tab reads the box, which holds the last name.
    before=$(lines)
    xdotool key Tab
    await_speech "$before" '^Neighborhood name' || fail "Tab did not bring Orca to the name box"
    last=${names[2]}
    await_speech "$before" -xF -e "$last" -e "$last." -e "$last selected" -e "$last selected." ||
        fail "Tab to the box did not read '$last'"
    # What Qt's AT-SPI bridge says of the bus and of what Orca asks for (that
    # the bus was slow to answer for a key, as on a busy machine; that Orca
    # asks for events Qt does not send) is no fault of the program. Anything
    # else on stderr is.
    ! grep -qvE '^(QSpiApplication::|qt\.accessibility\.)' "$work/err.log" ||
        fail "the program wrote to stderr: $(cat "$work/err.log")"
    printf "Orca said each name as it was drawn: %s\n" "$(IFS=,; echo "${names[*]}")"
    ;;
*)
    fail "unknown case"
    ;;
esac

echo "PASS ($case)"
