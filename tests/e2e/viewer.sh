#!/bin/bash
# The viewer on a real (virtual) desktop: a press on the calendar's title
# opens "Morvane [Viewer]" on the displayed month; the month list shows a
# holiday on a Sunday and the substitute holiday after it in red; a double
# click on an empty day opens the day editor on that day (typing there
# creates a schedule dated that day); the all list shows every record; the
# CSV export writes the exact bytes of the records.
#
#   viewer.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import convert sqlite3 iconv cmp
desktop_begin viewer

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/viewer_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/viewer_*.png

desktop_start 120 199 1280x900x24 || fail "$DESKTOP_ERROR"

# No start-up window; Sundays in green so that red in the list can only be a
# holiday; the viewer large enough to show a whole month.
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nSundayColor=32768\nViewLeft=3000\nViewTop=300\nViewWidth=13500\nViewHeight=12600\nViewLineX=2600\nViewLineY=9600\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"

calendar_window() { month_window "$APP"; }
viewer_window() { window_titled "Morvane [Viewer]"; }
editor_window() { window_titled "予定編集"; }
dialog_window() { window_titled "エクスポートするファイル"; }

# --- An empty book, then the schedules of this month -------------------------------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape # no initial schedules
TIMEOUT=10 wait_for gone first_run_window || fail "Escape did not close the first-run window"
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1
kill -KILL "$APP"
wait "$APP" 2> /dev/null

YEAR=$(date +%Y)
MONTH=$((10#$(date +%m)))
W1=$(date -d "$YEAR-$MONTH-01" +%w)             # 0 = Sunday
SUNDAY=$(((7 - W1) % 7 + 1))             # the first Sunday of the month
EMPTY_DAY=$((SUNDAY + 2))                # the Tuesday after it, without schedules
sqlite3 "$DATA" "INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Message)
    VALUES (1, $YEAR, $MONTH, $SUNDAY, -1, -1, 12, 'テスト祝日'),
           (0, 0, 0, NULL, 0, 4, 9, '燃えるゴミ');" || fail "could not add the schedules"

# --- A press on the title opens the viewer on the displayed month -----------------------
start_program 2
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
TIMEOUT=10 wait_for shows viewer_window || fail "a press on the title did not open the viewer"
VIEWER=$(viewer_window)
CAPTION=$(xdotool getwindowname "$VIEWER")
[ "$CAPTION" = "Morvane [Viewer] - ${YEAR}年${MONTH}月間予定" ] || fail "viewer caption: $CAPTION"
xdotool windowactivate --sync "$VIEWER" > /dev/null 2>&1
sleep 1
import -window root "$ARTIFACTS/viewer_month.png"

# --- The holiday and its substitute, in red ------------------------------------------
# Rows of the viewer that hold red text, as bands of screen rows at least as
# high as a line of text (antialiased edges of other colours make thinner ones).
eval "$(xdotool getwindowgeometry --shell "$VIEWER")"
VX=$X VY=$Y VW=$WIDTH VH=$HEIGHT
red_bands() {
    convert "$1" -crop "${VW}x${VH}+${VX}+${VY}" +repage -fuzz 20% -fill black +opaque "rgb(255,0,0)" \
        -fill white -opaque "rgb(255,0,0)" -colorspace gray -resize "1x${VH}!" -threshold 0 txt:- |
        awk -F'[,:]' 'NR > 1 { y = $2; white = ($0 ~ /#FFFFFF|white|gray\(255\)/) }
            white && !inband { start = y; inband = 1 }
            !white && inband { if (y - start >= 8) print start, y - 1; inband = 0 }'
}
mapfile -t BANDS < <(red_bands "$ARTIFACTS/viewer_month.png")
[ "${#BANDS[@]}" -ge 2 ] || fail "expected the holiday and the substitute row in red, found ${#BANDS[@]} red rows"
read -r H0 H1 <<< "${BANDS[0]}"
read -r S0 S1 <<< "${BANDS[1]}"
ROW_STEP=$(((S0 + S1) / 2 - (H0 + H1) / 2))
[ "$ROW_STEP" -gt 8 ] && [ "$ROW_STEP" -lt 40 ] || fail "red rows $H0-$H1 and $S0-$S1 are not neighbouring rows"
echo "holiday row at $H0-$H1, substitute row at $S0-$S1 (of the viewer)"

# --- A double click on the empty Tuesday opens the editor there --------------------------
ROW_Y=$((VY + (S0 + S1) / 2 + ROW_STEP))
xdotool mousemove $((VX + VW / 2)) "$ROW_Y" click --repeat 2 --delay 80 1
TIMEOUT=10 wait_for shows editor_window || fail "a double click did not open the editor"
EDITOR=$(editor_window)
xdotool windowactivate --sync "$EDITOR" > /dev/null 2>&1
sleep 0.5
xdotool type --delay 60 "Viewer test"
sleep 0.5
import -window root "$ARTIFACTS/viewer_editor.png"
xdotool key alt+f
sleep 0.4
xdotool key a # 保存して閉じる
TIMEOUT=10 wait_for gone editor_window || fail "保存して閉じる did not close the editor"

# --- The all list ------------------------------------------------------------------------
xdotool windowactivate --sync "$VIEWER" > /dev/null 2>&1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$VIEWER")"
# The tree takes the focus with a click below its nodes; 全ての予定 follows
# 月間予定 and its eight kinds.
xdotool mousemove $((X + 40)) $((Y + HEIGHT - 80)) click 1
sleep 0.3
xdotool key Down Down Down Down Down Down Down Down Down
sleep 1
CAPTION=$(xdotool getwindowname "$VIEWER")
[ "$CAPTION" = "Morvane [Viewer] - 全ての予定一覧" ] || fail "the all list did not show: $CAPTION"
import -window root "$ARTIFACTS/viewer_all.png"

# --- Export ------------------------------------------------------------------------------
CSV="$WORK/export/morv.csv"
mkdir -p "$WORK/export"
xdotool key alt+f
sleep 0.4
xdotool key e
TIMEOUT=10 wait_for shows dialog_window || fail "エクスポート did not open the save dialog"
xdotool windowactivate --sync "$(dialog_window)" > /dev/null 2>&1
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$CSV"
xdotool key Return
TIMEOUT=10 wait_for test -s "$CSV" || fail "the export wrote no file"
sleep 0.5
printf '"%s年%s月%s日" ,"テスト祝日"\r\n"毎年毎月毎週水曜日" , "燃えるゴミ"\r\n"%s年%s月%s日" ,"Viewer test"\r\n' \
    "$YEAR" "$MONTH" "$SUNDAY" "$YEAR" "$MONTH" "$EMPTY_DAY" | iconv -f UTF-8 -t CP932 > "$WORK/expected.csv"
cmp "$WORK/expected.csv" "$CSV" ||
    fail "exported bytes differ: $(iconv -f CP932 -t UTF-8 "$CSV" | od -c | head -20)"
echo "export: $(wc -c < "$CSV") bytes as expected"
echo "PASS"
