#!/bin/bash
# Memos and deletion in the viewer of the real program: a new memo takes its
# title by typing at once, its text is stored while it is typed and is there
# after a restart; Del on a schedule of the month list deletes it and the
# calendar is redrawn without it. Del on one memo shows the next one's
# stored text, which a keystroke adds to; Ctrl+Z in the list puts the
# deleted memo back.
#
#   memos.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import convert compare sqlite3
desktop_begin memos

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/memos_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/memos_*.png

desktop_start 120 199 1280x900x24 || fail "$DESKTOP_ERROR"

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nViewLeft=3000\nViewTop=300\nViewWidth=13500\nViewHeight=9000\nViewLineX=2600\nViewLineY=6000\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"

stop_program() {
    kill -KILL "$APP"
    wait "$APP" 2> /dev/null
}
calendar_window() { month_window "$APP"; }
viewer_window() { window_titled "Morvane [Viewer]"; }
caption_is() { [ "$(xdotool getwindowname "$VIEWER" 2> /dev/null)" = "$1" ]; }

open_viewer() {
    TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
    TIMEOUT=10 wait_for shows viewer_window || fail "a press on the title did not open the viewer"
    VIEWER=$(viewer_window)
    xdotool windowactivate --sync "$VIEWER" > /dev/null 2>&1
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$VIEWER")"
    VX=$X VY=$Y VH=$HEIGHT
}
# From the month list node to メモ一覧: eight kinds, 全ての予定, eight kinds.
show_memos() {
    xdotool mousemove $((VX + 40)) $((VY + VH - 60)) click 1
    sleep 0.3
    for _ in $(seq 18); do xdotool key Down; done
    TIMEOUT=10 wait_for caption_is "Morvane [Viewer] - メモ一覧" || fail "the memo list did not show"
    sleep 0.5
}

# --- An empty book, then a schedule on the 1st of this month --------------------------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1
stop_program
YEAR=$(date +%Y)
MONTH=$((10#$(date +%m)))
sqlite3 "$DATA" "INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Message)
    VALUES (0, $YEAR, $MONTH, 1, -1, -1, 12, 'DELETE ME');" || fail "could not add the schedule"

# --- Del on the selected schedule row deletes it; the calendar is redrawn --------------
start_program 2
open_viewer
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
CAL="${WIDTH}x${HEIGHT}+${X}+${Y}"
import -window root "$ARTIFACTS/memos_before_delete.png"
# The tree takes the focus, Tab gives it to the list (the 1st is selected).
xdotool mousemove $((VX + 40)) $((VY + VH - 60)) click 1
sleep 0.3
xdotool key Tab
sleep 0.3
xdotool key Delete
sleep 1.5
import -window root "$ARTIFACTS/memos_after_delete.png"
convert "$ARTIFACTS/memos_before_delete.png" -crop "$CAL" +repage "$WORK/cal_before.png"
convert "$ARTIFACTS/memos_after_delete.png" -crop "$CAL" +repage "$WORK/cal_after.png"
CHANGED=$(compare -metric AE "$WORK/cal_before.png" "$WORK/cal_after.png" null: 2>&1)
[ "${CHANGED%% *}" != 0 ] || fail "the calendar was not redrawn after the deletion"
echo "calendar: $CHANGED pixels changed by the deletion"
# The running program holds the file; it is read after the program ends.
stop_program
[ "$(sqlite3 "$DATA" 'SELECT COUNT(*) FROM Schedule')" = 0 ] || fail "Del did not delete the schedule"

start_program 3
open_viewer

# --- A new memo: its title typed at once, then its text ---------------------------------
show_memos
xdotool key alt+f
sleep 0.4
xdotool key n
sleep 0.8
xdotool key ctrl+a
xdotool type --delay 40 "Shopping"
xdotool key Return
sleep 0.8
# The detail box has the focus with its prompt selected; typing replaces it.
xdotool type --delay 60 "eggs and milk"
sleep 0.8
import -window root "$ARTIFACTS/memos_list.png"

# --- A second memo renamed to the first one's title is refused --------------------------
xdotool key alt+f
sleep 0.4
xdotool key n
sleep 0.8
xdotool key ctrl+a
xdotool type --delay 40 "shopping"
xdotool key Return
sleep 1
import -window root "$ARTIFACTS/memos_duplicate.png"
xdotool key Return # the duplicate message
sleep 0.5

# Killed, not closed: every keystroke was already stored.
stop_program
STORED=$(sqlite3 "$DATA" "SELECT Title || '|' || Memo FROM Memo WHERE Title <> '' ORDER BY rowid")
[ "$STORED" = "Shopping|eggs and milk
新しいメモ|" ] || fail "memos stored as: $STORED"

# --- After a restart the memo is there with its text ------------------------------------
start_program 4
open_viewer
show_memos
import -window root "$ARTIFACTS/memos_after_restart.png"

# --- Del on the second memo: the first one's text shows, and a key adds to it -----------
xdotool key Tab
sleep 0.3
xdotool key Down
sleep 0.3
xdotool key Delete
sleep 0.8
import -window root "$ARTIFACTS/memos_after_memo_delete.png"
# From the list into the detail box, to the end of its text.
xdotool key Tab
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 60 "!"
sleep 0.5
# Back in the list, Ctrl+Z puts the deleted memo back.
xdotool key shift+Tab
sleep 0.3
xdotool key ctrl+z
sleep 0.8
import -window root "$ARTIFACTS/memos_after_undo.png"
stop_program
STORED=$(sqlite3 "$DATA" "SELECT Title || '|' || Memo FROM Memo WHERE Title <> '' ORDER BY rowid")
[ "$STORED" = "Shopping|eggs and milk!
新しいメモ|" ] || fail "after deleting a memo and undoing it, memos stored as: $STORED"
echo "PASS"
