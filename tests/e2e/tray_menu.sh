#!/bin/bash
# The tray icon and its menu on a real (virtual) desktop: a first run offers
# the initial schedules and "作成" stores the 16 holidays; the icon docks in
# the tray showing the day; a right click opens the popup; the version
# window opens from it; the balloon lists a day's schedules; "終了(&X)"
# ends the program with the settings and the end line of the log written
# once.
#
#   tray_menu.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert sqlite3 iconv
desktop_begin tray

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/tray_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/*.png

# --- A desktop of our own, with a tray ---------------------------------------
desktop_start 120 199 || fail "$DESKTOP_ERROR"
PANEL=$(xdotool search --name '^panel$' | head -n1)
[ -n "$PANEL" ] || fail "no trayer panel"

# --- Settings: the end line of the log on, the day in the tray icon -----------
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nEndLog=True\nShowDayIcon=True\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"
LOG="$PROGRAM/Morva.log"


popup_menu() { windows | awk '$3 > 250 && $2 < 400 { print $1 }' | head -n1; }

# The icon: a window of the program docked inside the trayer panel (the
# toolkit names it after the program's file name).
tray_icon() {
    local id
    for id in $(xwininfo -id "$PANEL" -tree | awk '/"Morvane"/ { print $1 }'); do
        echo "$id"
        return 0
    done
    return 1
}

end_lines() { iconv -f CP932 -t UTF-8 "$LOG" 2> /dev/null | grep -c '"終了"'; }

# Right click on the tray icon, then one key of the menu.
menu_command() {
    local icon=$1 keys=$2
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
    TIMEOUT=10 wait_for shows popup_menu || fail "the popup did not open"
    for key in $keys; do
        xdotool key "$key"
        sleep 0.3
    done
}

exit_by_menu() {
    local icon=$1 ends_before
    ends_before=$(end_lines)
    menu_command "$icon" x
    TIMEOUT=15 wait_for has_ended "$APP" || fail "終了 did not end the program"
    wait "$APP"
    STATUS=$?
    [ $STATUS -eq 0 ] || fail "the program ended with status $STATUS"
    [ "$(end_lines)" -eq $((ends_before + 1)) ] || fail "expected one more end line, log: $(iconv -f CP932 -t UTF-8 "$LOG")"
    grep -q '^EndLog=True$' "$SETTINGS" || fail "the settings were not saved"
    TIMEOUT=5 wait_for bash -c "! xwininfo -id $PANEL -tree | grep -q '\"Morvane\"'" ||
        fail "the icon stayed in the tray"
}

# --- First run: the initial schedules ------------------------------------------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
FIRST_RUN=$(first_run_window)
sleep 0.5
import -window root "$ARTIFACTS/tray_first_run.png"
xdotool windowactivate --sync "$FIRST_RUN" > /dev/null 2>&1
xdotool key Return # 作成
TIMEOUT=10 wait_for gone first_run_window || fail "作成 did not close the first-run window"

# --- The icon in the tray, with today's day ------------------------------------
TIMEOUT=15 wait_for tray_icon > /dev/null || fail "no tray icon docked in trayer"
ICON=$(tray_icon)
echo "tray icon $ICON in panel $PANEL"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$PANEL")"
import -window root png:- | convert - -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -scale 400% \
    "$ARTIFACTS/tray_icon.png"

# --- The popup and the version window --------------------------------------------
menu_command "$ICON" ""
sleep 0.3
import -window root "$ARTIFACTS/tray_popup.png"
xdotool key h && sleep 0.4 && xdotool key a # ヘルプ(&H) > バージョン情報(&A)
# The caption exactly as set: nothing appended by the window system.
about() { window_named "モルヴァのバージョン情報"; }
TIMEOUT=10 wait_for shows about || fail "the version window did not open"
ABOUT=$(about | head -n1)
sleep 0.5
import -window root "$ARTIFACTS/tray_about.png"
xdotool windowactivate --sync "$ABOUT" > /dev/null 2>&1
xdotool key Escape
TIMEOUT=10 wait_for gone about || fail "Escape did not close the version window"

# --- 終了(&X) --------------------------------------------------------------------
exit_by_menu "$ICON"
[ "$(sqlite3 "$DATA" 'SELECT COUNT(*) FROM Schedule')" = 16 ] || fail "作成 did not leave 16 records"
[ "$(sqlite3 "$DATA" 'SELECT COUNT(*) FROM Schedule WHERE Type = 10 AND Day IS NULL')" = 2 ] ||
    fail "the equinox days are not computed records"
[ "$(sqlite3 "$DATA" "SELECT COUNT(*) FROM Schedule WHERE Type = 1 AND Color = 12")" = 14 ] ||
    fail "the 14 other holidays are not red holiday records"
echo "first run: 16 holidays stored, one end line"

# --- A second run: the balloon over a day with two schedules -------------------
TODAY_Y=$(date +%Y)
TODAY_M=$((10#$(date +%m)))
TODAY_D=$((10#$(date +%d)))
sqlite3 "$DATA" "INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Message)
    VALUES (0, $TODAY_Y, $TODAY_M, $TODAY_D, -1, -1, 9, '10:00 歯医者の予約'),
           (0, 0, $TODAY_M, $TODAY_D, -1, -1, 12, 'プロジェクト定例会議');" ||
    fail "could not add the schedules of today"

start_program 2
calendar_window() { month_window "$APP"; }
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
TIMEOUT=15 wait_for tray_icon > /dev/null || fail "no tray icon on the second run"
ICON=$(tray_icon)
sleep 1

# Today's cell: day d of a month whose first day is weekday w1 (1 = Sunday)
# sits in cell d + w1 + 6, row cell / 7, column 1 to 7; the face of a cell
# lies at 84 + 274 x (column - 1), 384 + 228 x row twips (15 twips a pixel).
W1=$(($(date -d "$TODAY_Y-$TODAY_M-01" +%w) + 1))
CELL=$((TODAY_D + W1 + 6))
ROW=$(((CELL - 1) / 7))
COLUMN=$(((CELL - 1) % 7 + 1))
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
CX=$((X + (84 + 274 * (COLUMN - 1)) / 15 + 7))
CY=$((Y + (384 + 228 * ROW) / 15 + 7))
xdotool mousemove $((CX - 3)) $((CY - 2))
sleep 0.2
xdotool mousemove "$CX" "$CY"
balloon() { windows | awk '$3 > 30 && $2 > 100 && $4 == "モルヴァ" && $2 != 141 { print $1 }' | head -n1; }
if TIMEOUT=5 wait_for shows balloon; then
    sleep 0.3
    import -window root "$ARTIFACTS/tray_balloon.png"
    echo "balloon over day $TODAY_D shown"
else
    import -window root "$ARTIFACTS/tray_balloon.png"
    fail "no balloon over today's cell"
fi

exit_by_menu "$ICON"
[ "$(end_lines)" -eq 2 ] || fail "two runs should leave two end lines"
echo "PASS"
