#!/bin/bash
# The schedule search on a real (virtual) desktop: the tray menu's
# "予定の検索" opens the window; a text with an apostrophe finds its one
# schedule literally; "会議" lists three rules with their dates (not 会食); a double
# click on a result opens the day editor on that day with that schedule
# selected (a same-day schedule comes first in the book, so the default
# selection would be the other one); the text typed there lands in that
# record.
#
#   search.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert sqlite3
desktop_begin search

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/search_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/search_*.png

desktop_start 120 199 || fail "$DESKTOP_ERROR"
PANEL=$(xdotool search --name '^panel$' | head -n1)
[ -n "$PANEL" ] || fail "no trayer panel"

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"

popup_menu() { windows | awk '$3 > 250 && $2 < 400 { print $1 }' | head -n1; }
calendar_window() { month_window "$APP"; }
tray_icon() {
    xwininfo -id "$PANEL" -tree | awk '/"Morvane"/ { print $1; exit }'
}

# --- An empty book, then schedules written into it -------------------------------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape # no initial schedules
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP"

Y=$(date +%Y)
M=$((10#$(date +%m)))
# Recordset order: the lunch comes before the meeting on the 15th.
sqlite3 "$DATA" <<SQL || fail "could not write the schedules"
INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Message)
VALUES (0, $Y, $M, 15, -1, -1, 0, '昼食'),
       (0, $Y, $M, 15, -1, -1, 12, '会議 予算'),
       (4, 0, 0, -1, 0, 2, 9, '週例会議'),
       (0, $Y, $M, 3, -1, -1, 14, 'Bob''s 会議'),
       (0, $Y, $M, 20, -1, -1, 0, '休み'),
       (0, $Y, $M, 21, -1, -1, 0, '会食');
SQL

# --- The tray menu opens the search -------------------------------------------------
start_program 2
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
TIMEOUT=15 wait_for shows tray_icon || fail "no tray icon docked in trayer"
eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
TIMEOUT=10 wait_for shows popup_menu || fail "the popup did not open"
xdotool key f
search_window() { windows | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if (index($0, "予定の検索") == 1 || index($0, "検索結果：") == 1) print id }' | head -n1; }
TIMEOUT=10 wait_for shows search_window || fail "予定の検索 did not open the search window"
FIND=$(search_window)
xdotool windowactivate --sync "$FIND" > /dev/null 2>&1
sleep 0.5
import -window root "$ARTIFACTS/search_open.png"

caption() { xdotool getwindowname "$FIND"; }
caption_is() { [ "$(caption)" = "$1" ]; }

# --- An apostrophe is a character like any other -------------------------------------
xdotool type --delay 40 "Bob's"
xdotool key Return
TIMEOUT=10 wait_for caption_is "検索結果：1件の予定が見つかりました" ||
    fail "searching Bob's gave the caption '$(caption)'"

# --- Three rules with 会議 ------------------------------------------------------------
# (会食 would be a fourth match if a character of the text were lost.)
xdotool key ctrl+a
xdotool type --delay 250 "会議"
sleep 0.3
xdotool key Return
TIMEOUT=10 wait_for caption_is "検索結果：3件の予定が見つかりました" ||
    fail "searching 会議 gave the caption '$(caption)'"
sleep 1
import -window root "$ARTIFACTS/search_results.png"
eval "$(xdotool getwindowgeometry --shell "$FIND")"
[ "$HEIGHT" -gt 300 ] || fail "the window did not grow for the results (height $HEIGHT)"

# --- A double click on the first row opens the editor on the 15th -----------------------
# The first row is the selected one: the topmost highlighted line of the
# list (blue well above red) a little right of the window's left edge.
SHOT="$WORK/results.png"
import -window root "$SHOT"
ROW_X=$((X + 60))
ROW_Y=$(convert "$SHOT" -crop "1x${HEIGHT}+${ROW_X}+${Y}" +repage txt:- |
    sed -n 's/^0,\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p' |
    awk '$4 > 150 && $2 < 100 { print $1; exit }')
[ -n "$ROW_Y" ] || fail "no selected row in the result list"
ROW_Y=$((Y + ROW_Y + 8))
xdotool mousemove "$ROW_X" "$ROW_Y" click --repeat 2 --delay 80 1
editor_window() { window_named "予定編集"; }
TIMEOUT=10 wait_for shows editor_window || fail "a double click on the result did not open the editor"
EDITOR=$(editor_window)
sleep 0.8
import -window root "$ARTIFACTS/search_editor.png"

# The editor's text box has the focus and holds the selected schedule.
xdotool windowactivate --sync "$EDITOR" > /dev/null 2>&1
xdotool key ctrl+End
# Characters outside the keymap are typed by remapping a key; slowly, or the
# remapping races the key events and a character is lost under load.
xdotool type --delay 250 " 済"
sleep 0.3
xdotool key alt+f
sleep 0.4
xdotool key a
TIMEOUT=10 wait_for gone editor_window || fail "保存して閉じる did not close the editor"

kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP"
ROWS=$(sqlite3 -separator '|' "$DATA" 'SELECT Day, Message FROM Schedule ORDER BY rowid')
echo "records after the edit:"
echo "$ROWS"
echo "$ROWS" | grep -qx "15|会議 予算 済" || fail "the meeting on the 15th did not get the typed text"
echo "$ROWS" | grep -qx "15|昼食" || fail "the other schedule of the 15th changed"
[ "$(echo "$ROWS" | wc -l)" = 6 ] || fail "the book no longer holds six schedules"

echo "PASS"
