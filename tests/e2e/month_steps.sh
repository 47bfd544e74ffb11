#!/bin/bash
# Month steps on a real (virtual) desktop with the desktop copy behind the
# calendar: six Right keys 100 ms apart show the month six ahead, six wheel
# notches 50 ms apart come back, and the window stays mapped throughout.
# The calendar is on every workspace.
#
#   month_steps.sh <morvane binary> <startup_datafile tool> <folder for pictures>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
DATAFILE_TOOL=$2
ARTIFACTS=$3

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo xprop import
desktop_begin steps

fail() {
    echo "FAIL: $*"
    desktop_failure_report "$ARTIFACTS/steps_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
desktop_start 120 199 || fail "$DESKTOP_ERROR"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
"$DATAFILE_TOOL" "$PROGRAM" 10 > /dev/null || fail "no data file"
mkdir -p "$XDG_CONFIG_HOME/Quillstone"
printf '[General]\nLeft=1500\nTop=1500\nTransparency=True\nTransparencyEx=False\nMouseFlg=True\n' \
    > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
"$PROGRAM/morvane" > "$WORK/morvane.log" 2>&1 &
APP=$!
desktop_track $APP
TIMEOUT=20 wait_for shows month_window $APP || fail "the month window did not show"
WINDOW=$(month_window $APP)
sleep 1

# --- On every workspace --------------------------------------------------------
xprop -id "$WINDOW" _NET_WM_DESKTOP | grep -q '= 4294967295' ||
    fail "not on every workspace: $(xprop -id "$WINDOW" _NET_WM_DESKTOP)"
# Sticky too where the window manager knows that state.
if xprop -root _NET_SUPPORTED | grep -q '_NET_WM_STATE_STICKY'; then
    xprop -id "$WINDOW" _NET_WM_STATE | grep -q '_NET_WM_STATE_STICKY' ||
        fail "not sticky: $(xprop -id "$WINDOW" _NET_WM_STATE)"
fi
xdotool set_desktop 1 && sleep 0.5
map_state() { xwininfo -id "$WINDOW" 2> /dev/null | sed -n 's/.*Map State: //p'; }
[ "$(map_state)" = IsViewable ] || fail "gone on the second workspace: $(map_state)"
xdotool set_desktop 0 && sleep 0.5

# --- Reference pictures, one slow step at a time ----------------------------------
HEIGHT=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: [0-9]*x//p')
xdotool mousemove --window "$WINDOW" 4 $((HEIGHT - 4)) click 1 # a blank place: the keys
xdotool mousemove 700 700                                      # no balloon in the picture
sleep 1
picture() { import -window "$WINDOW" "ppm:$WORK/$1.ppm" || fail "no picture $1"; }
picture start
for n in 1 2 3 4 5 6; do
    xdotool key Right
    sleep 1
    picture "slow$n"
done
cmp -s "$WORK/slow5.ppm" "$WORK/slow6.ppm" && fail "five and six months ahead look the same"
xdotool key Home
sleep 1
picture home
cmp -s "$WORK/start.ppm" "$WORK/home.ppm" || fail "Home does not show the start again"

# --- Six Right keys 100 ms apart, watching the window's map state -------------------
watch_map_state() {
    while [ ! -e "$WORK/stop" ]; do map_state; done > "$WORK/map_states"
}
watch_map_state &
WATCH=$!
xdotool key --delay 100 Right Right Right Right Right Right
sleep 1
picture fast
touch "$WORK/stop"
wait $WATCH
SAMPLES=$(wc -l < "$WORK/map_states")
grep -qv IsViewable "$WORK/map_states" &&
    fail "the window was not on screen in $(grep -cv IsViewable "$WORK/map_states") of $SAMPLES looks"
cmp -s "$WORK/fast.ppm" "$WORK/slow6.ppm" || {
    cp "$WORK"/fast.ppm "$WORK"/slow*.ppm "$ARTIFACTS/"
    fail "six quick Right keys did not show the month six ahead"
}
echo "six Right keys 100 ms apart: six months ahead, mapped in all $SAMPLES looks"

# --- Six wheel notches 50 ms apart back ----------------------------------------------
rm -f "$WORK/stop"
xdotool mousemove --window "$WINDOW" 4 $((HEIGHT - 4))
watch_map_state &
WATCH=$!
xdotool click --delay 50 --repeat 6 4
sleep 1
xdotool mousemove 700 700
sleep 0.5
picture wheel
touch "$WORK/stop"
wait $WATCH
grep -qv IsViewable "$WORK/map_states" && fail "the window left the screen while the wheel turned"
cmp -s "$WORK/wheel.ppm" "$WORK/start.ppm" || {
    cp "$WORK"/wheel.ppm "$WORK"/start.ppm "$WORK"/slow*.ppm "$ARTIFACTS/"
    fail "six wheel notches up did not come back"
}
echo "six wheel notches 50 ms apart: six months back, mapped throughout"
import -window root "$ARTIFACTS/month_steps.png"
