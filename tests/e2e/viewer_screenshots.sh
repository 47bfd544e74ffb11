#!/bin/bash
# Pictures of the viewer for looking at it by eye (not a test): the month
# list of the current month with a run of holidays and its substitute day, a
# day between two holidays, several schedules on one day, alarms and
# colours; then the all list.
#   viewer_month.png, viewer_all.png
#
#   viewer_screenshots.sh <morvane binary> <output folder>
set -u
BINARY=$1
OUT=$2
mkdir -p "$OUT"

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import sqlite3
desktop_begin viewershots
desktop_start 200 239 1280x900x24 || { echo "$DESKTOP_ERROR"; exit 1; }

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nViewLeft=3000\nViewTop=300\nViewWidth=13500\nViewHeight=12600\nViewLineX=2600\nViewLineY=9600\n' > "$SETTINGS"
PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"

calendar_window() { month_window "$APP"; }
viewer_window() { window_titled "Morvane [Viewer]"; }

start_program 1
TIMEOUT=20 wait_for shows first_run_window || { echo "no first-run window"; exit 1; }
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape
TIMEOUT=20 wait_for shows calendar_window || { echo "no month window"; exit 1; }
sleep 1
kill -KILL "$APP"
wait "$APP" 2> /dev/null

YEAR=$(date +%Y)
MONTH=$((10#$(date +%m)))
W1=$(date -d "$YEAR-$MONTH-01" +%w)
S=$(((7 - W1) % 7 + 1)) # the first Sunday
sqlite3 "$DATA" "INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Alarm, Message) VALUES
    (1, 0, $MONTH, $S, -1, -1, 12, NULL, '記念の祝日'),
    (1, 0, $MONTH, $((S + 1)), -1, -1, 12, NULL, '連休の祝日'),
    (1, $YEAR, $MONTH, $((S + 8)), -1, -1, 4, NULL, '国民の祝日 (色4)'),
    (1, $YEAR, $MONTH, $((S + 10)), -1, -1, 12, NULL, '秋の祝日'),
    (0, $YEAR, $MONTH, $((S + 4)), -1, -1, 9, '09:30', '10:00 歯医者'),
    (4, $YEAR, $MONTH, $((S + 4)), -1, -1, 14, NULL, '資料提出 (色14)'),
    (2, 0, $MONTH, $((S + 4)), -1, -1, 13, NULL, '母の誕生日'),
    (0, 0, 0, NULL, 0, 4, 9, NULL, '燃えるゴミ'),
    (21, 0, 0, 15, -1, -1, 2, NULL, '月刊誌の発売日'),
    (20, 0, 0, NULL, 2, 6, 5, '20:55', '第2金曜の番組'),
    (3, 2016, $MONTH, 20, -1, -1, 15, NULL, '結婚記念日 (2016年)'),
    (5, 0, 0, 28, -1, -1, 0, NULL, '日記を書く');"

start_program 2
TIMEOUT=20 wait_for shows calendar_window || { echo "no month window"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
TIMEOUT=10 wait_for shows viewer_window || { echo "no viewer"; exit 1; }
VIEWER=$(viewer_window)
xdotool windowactivate --sync "$VIEWER" > /dev/null 2>&1
sleep 1
import -window root "$OUT/viewer_month.png"

eval "$(xdotool getwindowgeometry --shell "$VIEWER")"
xdotool mousemove $((X + 40)) $((Y + HEIGHT - 80)) click 1
sleep 0.3
xdotool key Down Down Down Down Down Down Down Down Down
sleep 1
import -window root "$OUT/viewer_all.png"
echo "pictures in $OUT"
