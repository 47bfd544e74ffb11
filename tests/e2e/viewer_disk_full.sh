#!/bin/bash
# The disk under the data file fills up while the viewer runs: a keystroke
# in the detail box and Del in the list each bring a message naming the file
# and the full disk, the program keeps running with the typed text on
# screen, nothing is deleted, and once there is room again the next
# keystroke stores the whole text. The program folder lives on a small
# memory file system of its own, so the run needs the right to mount one.
#
#   viewer_disk_full.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed or no file
# system can be mounted, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import sqlite3 mount umount
desktop_begin diskfull

DISK="$WORK/disk"
mkdir -p "$DISK"
if ! mount -t tmpfs -o size=64m tmpfs "$DISK" 2> /dev/null; then
    echo "SKIP: no memory file system can be mounted here"
    exit 77
fi
# The program leaves the folder before the file system goes.
cleanup() {
    [ -n "${APP:-}" ] && kill -KILL "$APP" 2> /dev/null && wait "$APP" 2> /dev/null
    umount "$DISK" 2> /dev/null
    desktop_cleanup
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/disk_full_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/disk_full_*.png

desktop_start 120 199 1280x900x24 || fail "$DESKTOP_ERROR"

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nViewLeft=3000\nViewTop=300\nViewWidth=13500\nViewHeight=9000\nViewLineX=2600\nViewLineY=6000\n' > "$SETTINGS"

PROGRAM="$DISK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"

calendar_window() { month_window "$APP"; }
viewer_window() { window_titled "Morvane [Viewer]"; }
error_window() { window_named "DB保存時のエラー"; }
still_running() { kill -0 "$APP" 2> /dev/null || fail "the program ended: $(tail -n 3 "$WORK/run2.log")"; }

# --- An empty book with one schedule on the 1st of this month ----------------------------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1
kill -KILL "$APP"
wait "$APP" 2> /dev/null
YEAR=$(date +%Y)
MONTH=$((10#$(date +%m)))
sqlite3 "$DATA" "INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Message)
    VALUES (0, $YEAR, $MONTH, 1, -1, -1, 12, 'abc');" || fail "could not add the schedule"

# --- The viewer on the month list, the detail box of the 1st -----------------------------
start_program 2
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
TIMEOUT=10 wait_for shows viewer_window || fail "a press on the title did not open the viewer"
VIEWER=$(viewer_window)
xdotool windowactivate --sync "$VIEWER" > /dev/null 2>&1
sleep 1
eval "$(xdotool getwindowgeometry --shell "$VIEWER")"
# The tree, Tab to the list (the 1st is selected), Tab to the detail box.
xdotool mousemove $((X + 40)) $((Y + HEIGHT - 60)) click 1
sleep 0.3
xdotool key Tab
sleep 0.3
xdotool key Tab
sleep 0.3
xdotool key ctrl+End

# --- The disk fills up --------------------------------------------------------------------
dd if=/dev/zero of="$DISK/filler" bs=1M > /dev/null 2>&1
xdotool type --delay 80 "x"
TIMEOUT=10 wait_for shows error_window || fail "a keystroke on a full disk brought no message"
import -window root "$ARTIFACTS/disk_full_keystroke.png"
still_running
xdotool key Return
TIMEOUT=10 wait_for gone error_window || fail "the message did not close"
# Del in the list: the message again, the schedule stays.
xdotool key shift+Tab
sleep 0.3
xdotool key Delete
TIMEOUT=10 wait_for shows error_window || fail "Del on a full disk brought no message"
still_running
xdotool key Return
TIMEOUT=10 wait_for gone error_window || fail "the message did not close"
sleep 0.5
import -window root "$ARTIFACTS/disk_full_after.png"

# --- Room again: the next keystroke stores the whole text ---------------------------------
rm -f "$DISK/filler"
xdotool key Tab
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 80 "y"
sleep 1
still_running
kill -KILL "$APP"
wait "$APP" 2> /dev/null
STORED=$(sqlite3 "$DATA" "SELECT Message FROM Schedule")
[ "$STORED" = "abcxy" ] || fail "stored after the disk had room again: '$STORED'"
echo "PASS"
