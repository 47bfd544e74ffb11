#!/bin/bash
# The day editor on a real (virtual) desktop: a press on today's cell opens
# "予定編集"; typing on the empty day creates the schedule at once; the kind
# (イベント), an alarm and a colour are set from the keyboard and saved with
# 保存して閉じる; the calendar shows the day in the schedule's colour at once;
# Morva.dat holds every field; after a restart the day's balloon carries the
# schedule. Typing at once after a press on an empty day keeps every key;
# いいえ on closing leaves no schedule behind; the editor can be made larger.
#
#   editor.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert sqlite3
desktop_begin editor

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/editor_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/editor_*.png

desktop_start 120 199 || fail "$DESKTOP_ERROR"

# No start-up window: the run goes straight to the calendar.
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"

editor_window() { window_titled "予定編集"; }
calendar_window() { month_window "$APP"; }

# --- First run with an empty book ------------------------------------------------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape # no initial schedules
TIMEOUT=10 wait_for gone first_run_window || fail "Escape did not close the first-run window"
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1
[ -s "$DATA" ] || fail "no data file"

# Today's cell (see tray_menu.sh for the arithmetic).
TODAY_Y=$(date +%Y)
TODAY_M=$((10#$(date +%m)))
TODAY_D=$((10#$(date +%d)))
WEEKDAY=$(($(date +%w) + 1)) # 1 = Sunday
W1=$(($(date -d "$TODAY_Y-$TODAY_M-01" +%w) + 1))
CELL=$((TODAY_D + W1 + 6))
ROW=$(((CELL - 1) / 7))
COLUMN=$(((CELL - 1) % 7 + 1))
cell_centre() { # $1: cell row offset from today's cell (for a neighbour)
    eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
    CX=$((X + (84 + 274 * (COLUMN - 1)) / 15 + 7))
    CY=$((Y + (384 + 228 * (ROW + ${1:-0})) / 15 + 7))
}
# The day's cell on a picture of the screen, with a margin.
cell_crop() {
    cell_centre
    convert "$1" -crop "26x20+$((CX - 13))+$((CY - 10))" +repage "$2"
}
# Share of the cell's pixels near the colour $2 ("rgb(255,255,0)").
colour_share() {
    convert "$1" -fuzz 12% -fill black +opaque "$2" -fill white -opaque "$2" \
        -colorspace gray -format '%[fx:mean]' info:
}

# --- A press on today opens the editor --------------------------------------------
open_editor() {
    cell_centre
    xdotool mousemove "$CX" "$CY" click 1
    TIMEOUT=10 wait_for shows editor_window || fail "a press on day $TODAY_D did not open the editor"
    EDITOR=$(editor_window)
    xdotool windowactivate --sync "$EDITOR" > /dev/null 2>&1
    sleep 0.5
}
open_editor

# --- Typing creates the schedule at once ------------------------------------------
# The data file is locked while the program runs: a kill right after typing
# shows that the schedule was already written.
xdotool type --delay 60 "Dentist 10:00"
sleep 0.5
import -window root "$ARTIFACTS/editor_typed.png"
kill -KILL "$APP"
wait "$APP" 2> /dev/null
[ "$(sqlite3 "$DATA" 'SELECT COUNT(*) FROM Schedule')" = 1 ] || fail "typing did not create one schedule"
[ "$(sqlite3 "$DATA" "SELECT Year || '/' || Month || '/' || Day FROM Schedule")" = "$TODAY_Y/$TODAY_M/$TODAY_D" ] ||
    fail "the new schedule is not dated today"
[ -n "$(sqlite3 "$DATA" "SELECT Message FROM Schedule WHERE Message LIKE 'D%'")" ] ||
    fail "the first keystroke was not saved"

start_program 2
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show after the kill"
sleep 1
import -window root "$WORK/before.png"
cell_crop "$WORK/before.png" "$WORK/cell_before.png"
open_editor
# The day opens with no schedule chosen (typing would add one): the list is
# before the text box, its first row is chosen with Down, then back to the
# text box. The whole text, this time saved with the fields.
xdotool key shift+Tab Down
sleep 0.3
xdotool key Tab ctrl+a
xdotool type --delay 60 "Dentist 10:00"

# --- Kind, alarm and colour from the keyboard ----------------------------------------
# Text1 -> kind list: the next kind is イベント.
xdotool key Tab Down
# Year, month and day rule, the time range box, then the alarm box.
xdotool key Tab Tab Tab Tab Tab space
sleep 0.3
# The alarm time (its hour and minute take a Tab each), then the colour box.
xdotool key Tab Tab Tab space
sleep 0.5
import -window root "$ARTIFACTS/editor_fields.png"

case $WEEKDAY in
1) COLOUR=13 RGB="rgb(255,0,255)" ;; # 紫 on Sundays
7) COLOUR=11 RGB="rgb(0,255,255)" ;; # 水 on Saturdays
*) COLOUR=14 RGB="rgb(255,255,0)" ;; # 黄
esac
HOUR_BEFORE=$((10#$(date +%H)))

# 保存して閉じる from the menu.
xdotool key alt+f
sleep 0.4
xdotool key a
TIMEOUT=10 wait_for gone editor_window || fail "保存して閉じる did not close the editor"
sleep 0.3
import -window root "$ARTIFACTS/editor_saved.png"

# --- The calendar shows the colour at once -------------------------------------------
cell_crop "$ARTIFACTS/editor_saved.png" "$WORK/cell_after.png"
BEFORE=$(colour_share "$WORK/cell_before.png" "$RGB")
AFTER=$(colour_share "$WORK/cell_after.png" "$RGB")
echo "colour $RGB in today's cell: before $BEFORE, after $AFTER"
awk -v b="$BEFORE" -v a="$AFTER" 'BEGIN { exit !(a > b + 0.02) }' ||
    fail "today's cell did not take the schedule's colour"

# --- The data file holds the fields ----------------------------------------------------
kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP"
ROW_TEXT=$(sqlite3 -separator '|' "$DATA" \
    'SELECT Type, Year, Month, Day, Week, DayOfTheWeek, Alarm, Color, Mark IS NULL, Message FROM Schedule')
echo "record: $ROW_TEXT"
IFS='|' read -r TYPE YEAR MONTH DAY WEEK DOW ALARM COLOR NOMARK MESSAGE <<< "$ROW_TEXT"
[ "$TYPE" = 4 ] || fail "Type is $TYPE, not 4 (イベント)"
[ "$YEAR/$MONTH/$DAY" = "$TODAY_Y/$TODAY_M/$TODAY_D" ] || fail "the date became $YEAR/$MONTH/$DAY"
[ "$WEEK/$DOW" = "-1/-1" ] || fail "a one-date rule should have Week and DayOfTheWeek -1"
[ "$COLOR" = "$COLOUR" ] || fail "Color is $COLOR, not $COLOUR"
[ "$NOMARK" = 1 ] || fail "no mark was chosen, but Mark is set"
[ "$MESSAGE" = "Dentist 10:00" ] || fail "Message is '$MESSAGE'"
HOUR_AFTER=$((10#$(date +%H)))
proposal() { [ "$1" -lt 23 ] && printf '%02d:00' $(($1 + 1)) || echo "00:00"; }
[ "$ALARM" = "$(proposal "$HOUR_BEFORE")" ] || [ "$ALARM" = "$(proposal "$HOUR_AFTER")" ] ||
    fail "the alarm $ALARM is not the next whole hour"

# --- A restart shows the schedule in the balloon ------------------------------------------
start_program 3
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show after the restart"
sleep 1

balloon() { windows | awk '$3 > 20 && $2 > 60 && $4 == "モルヴァ" && $2 != 141 && $3 < 300 { print $1 " " $3 }' | head -n1; }
# The balloon of a day without schedules: only its date line.
hover() {
    xdotool mousemove $((CX - 3)) $((CY - 2))
    sleep 0.2
    xdotool mousemove "$CX" "$CY"
}
if [ $ROW -gt 2 ]; then OTHER=-1; else OTHER=1; fi
cell_centre "$OTHER"
hover
TIMEOUT=5 wait_for shows balloon || fail "no balloon over an empty day"
EMPTY_HEIGHT=$(balloon | cut -d' ' -f2)
xdotool mousemove 600 600
TIMEOUT=5 wait_for gone balloon || fail "the balloon stayed"

cell_centre
hover
TIMEOUT=5 wait_for shows balloon || fail "no balloon over today's cell after the restart"
sleep 0.3
import -window root "$ARTIFACTS/editor_balloon.png"
DAY_HEIGHT=$(balloon | cut -d' ' -f2)
echo "balloon heights: empty day $EMPTY_HEIGHT, today $DAY_HEIGHT"
[ "$DAY_HEIGHT" -gt "$EMPTY_HEIGHT" ] || fail "today's balloon carries no schedule"
xdotool mousemove 600 600
TIMEOUT=5 wait_for gone balloon || fail "the balloon stayed"

# --- Typing at once on an empty day, then いいえ ---------------------------------------
# The keys follow the press without a pause: none may be lost while the
# editor opens or while the first one writes the schedule.
OTHER_DAY=$((TODAY_D + 7 * OTHER))
type_at_once() {
    cell_centre "$OTHER"
    xdotool mousemove "$CX" "$CY" click 1
    xdotool type --delay 30 "$1"
    TIMEOUT=10 wait_for shows editor_window || fail "a press on day $OTHER_DAY did not open the editor"
    EDITOR=$(editor_window)
    sleep 0.5
}
type_at_once "Print the handouts"
# Made larger, the list grows with the window.
xdotool windowsize "$EDITOR" 860 600
sleep 0.5
import -window root "$ARTIFACTS/editor_resized.png"
xdotool key Escape
sleep 0.5
import -window root "$ARTIFACTS/editor_question.png"
xdotool key n # いいえ(N)
TIMEOUT=10 wait_for gone editor_window || fail "いいえ did not close the editor"

# Once more, saved with 保存 this time; closing then asks nothing.
type_at_once "Call the dentist"
xdotool key alt+f
sleep 0.4
xdotool key s
sleep 0.3
xdotool key Escape
TIMEOUT=10 wait_for gone editor_window || fail "Escape did not close the saved editor"
kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP"
ON_OTHER=$(sqlite3 "$DATA" "SELECT Message FROM Schedule WHERE Day = $OTHER_DAY")
echo "day $OTHER_DAY holds: $ON_OTHER"
[ "$ON_OTHER" = "Call the dentist" ] ||
    fail "day $OTHER_DAY should hold only 'Call the dentist' (いいえ removes the first text; no key lost)"

echo "PASS"
