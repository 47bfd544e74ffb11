#!/bin/bash
# The calendar on a Wayland desktop without the layer-shell protocol:
# weston 10, nested in an X server of our own so that its screen can be
# pictured, with its X server for older programs (XWayland). Started with
# both WAYLAND_DISPLAY and DISPLAY set and no platform named, the calendar
# goes through XWayland: it shows translucent over weston's background
# colour (measured), month steps never unmap it, and it keeps its window and
# its place across them.
#
#   weston.sh <morvane binary> <folder for pictures>
#
# Exit 0 on success, 77 when Xvfb, weston or Xwayland is missing, 1 on
# failure.
set -u

BINARY=$1
ARTIFACTS=$2

for tool in weston Xwayland; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert
desktop_begin weston

fail() {
    echo "FAIL: $*"
    [ -n "${OUTER:-}" ] && DISPLAY=$OUTER import -window root "$ARTIFACTS/weston_failure.png"
    local log
    for log in "$WORK"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
    done
    exit 1
}

mkdir -p "$ARTIFACTS"
desktop_start_xvfb 120 199 1024x768x24 || fail "Xvfb did not start"
OUTER=$DISPLAY
desktop_session_env
unset QT_QPA_PLATFORM # the program chooses

cat > "$WORK/weston.ini" <<'INI'
[core]
xwayland=true
idle-time=0
[shell]
background-color=0xff3060c0
panel-position=none
INI
weston --config="$WORK/weston.ini" --backend=x11-backend.so --xwayland \
    --socket=morvane-weston --width=800 --height=600 > "$WORK/weston.log" 2>&1 &
desktop_track $!
TIMEOUT=20 wait_for grep -q 'xserver listening on display' "$WORK/weston.log" ||
    fail "weston did not start its X server"
XWAYLAND_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" | head -n1)
# weston's output window on our X server: where its screen lies in a picture.
OUTPUT=$(sed -n 's/.*x11 output .*window id \([0-9]*\).*/\1/p' "$WORK/weston.log" | head -n1)
[ -n "$OUTPUT" ] || fail "no weston window"
OX=$(xwininfo -id "$OUTPUT" | sed -n 's/.*Absolute upper-left X: *//p')
OY=$(xwininfo -id "$OUTPUT" | sed -n 's/.*Absolute upper-left Y: *//p')

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
mkdir -p "$XDG_CONFIG_HOME/Quillstone"
printf '[General]\nLeft=3000\nTop=1500\nTransparency=True\nTransparency_value=8\n%s\n' \
    'TransparencyEx=False
CalendarWinRgn=True
CalendarBackColor=16777215
MouseFlg=True
ShowTitle=False' > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
export WAYLAND_DISPLAY=morvane-weston
export DISPLAY=$XWAYLAND_DISPLAY
start_program 1
TIMEOUT=30 wait_for shows month_window "$APP" || fail "the calendar did not show through XWayland"
WINDOW=$(month_window "$APP")
# The first run's schedule offer goes.
sleep 2
OFFER=$(first_run_window)
[ -n "$OFFER" ] && xdotool windowactivate --sync "$OFFER" key Escape 2> /dev/null
sleep 1
grep -q 'systemTrayWindowChanged' "$WORK/run1.log" && fail "the tray's warning of native Wayland"

info() { xwininfo -id "$WINDOW"; }
place() { info | sed -n 's/.*Absolute upper-left \([XY]\): *\([-0-9]*\)/\2/p' | tr '\n' ' '; }
mapped() { info | sed -n 's/.*Map State: //p'; }
[ "$(mapped)" = IsViewable ] || fail "the calendar is not on screen"
BEFORE=$(place)

# Month steps, watching the window's map state meanwhile.
watch_map_state() { while [ ! -e "$WORK/stop" ]; do mapped; done > "$WORK/map_states"; }
xdotool mousemove --window "$WINDOW" 5 70 click 1
watch_map_state &
WATCH=$!
xdotool key --delay 150 Right Right Right Left
sleep 1
touch "$WORK/stop"
wait $WATCH
grep -qv IsViewable "$WORK/map_states" && fail "month steps took the calendar off screen"
[ "$(month_window "$APP")" = "$WINDOW" ] || fail "month steps made a new window"
[ "$(place)" = "$BEFORE" ] || fail "month steps moved the calendar from $BEFORE to $(place)"

# Translucent over weston's background colour (48, 96, 192) and white: the
# left edge half-way down, in a picture of weston's screen.
DISPLAY=$OUTER xdotool mousemove 1000 700
sleep 0.5
SHOT="$ARTIFACTS/weston.png"
DISPLAY=$OUTER import -window root "$SHOT" || fail "no picture"
colour_at() {
    convert "$SHOT" -crop "1x1+$1+$2" -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
# weston shows XWayland's windows at places of its own on its output: the
# calendar is what differs from the background in the output's upper left
# (the pointer weston draws lies in its middle).
read -r BW BH BX BY <<< "$(convert "$SHOT" -crop "400x280+$OX+$OY" +repage -fuzz 3% -trim \
    -format '%w %h %X %Y' info: | tr -d '+')"
[ "$BW" -gt 100 ] && [ "$BH" -gt 100 ] || fail "no calendar on weston's screen (${BW}x$BH)"
# The blank row under the last week, in the middle (weston draws a shadow
# of some pixels round the window, most of it below).
read -r R G B <<< "$(colour_at $((OX + BX + BW / 2)) $((OY + BY + BH - 30)))"
echo "calendar at X $BEFORE, on screen ${BW}x$BH at $BX,$BY; blank colour $R $G $B over 48 96 192"
[ "$R" -gt 100 ] && [ "$R" -lt 230 ] && [ "$B" -gt 200 ] ||
    fail "the blank background is $R $G $B, not weston's colour through white"
echo "weston: the calendar through XWayland, translucent, the same window across month steps"
