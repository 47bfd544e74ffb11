#!/bin/bash
# The options window on a real (virtual) desktop: the tray menu's
# "オプション設定(O)..." opens it; the pages 表示, カラー, 透明化 and 常駐 are
# photographed with the preview; the weekday colour, the calendar size and
# the frame are changed and "&OK" pressed; the calendar window changes
# (bigger, different pixels) and the settings file holds the new values at
# once, before the program ends.
#
#   options.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert compare
desktop_begin options

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/options_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/options_*.png

desktop_start 120 199 || fail "$DESKTOP_ERROR"
PANEL=$(xdotool search --name '^panel$' | head -n1)
[ -n "$PANEL" ] || fail "no trayer panel"

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nCalendarBox=False\nCalendarSize=3\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"

popup_menu() { windows | awk '$3 > 250 && $2 < 400 { print $1 }' | head -n1; }
calendar_window() { month_window "$APP"; }
options_window() { window_named "オプション設定"; }
tray_icon() {
    xwininfo -id "$PANEL" -tree | awk '/"Morvane"/ { print $1; exit }'
}
shot_window() { # window file; leaves X, Y, WIDTH, HEIGHT of the window
    eval "$(xdotool getwindowgeometry --shell "$1")"
    # The absolute place of the client area, below any title bar.
    X=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print $4 }')
    Y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ { print $4 }')
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape # no initial schedules
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
TIMEOUT=15 wait_for shows tray_icon || fail "no tray icon docked in trayer"
sleep 1
CAL=$(calendar_window)
eval "$(xdotool getwindowgeometry --shell "$CAL")"
WIDTH_BEFORE=$WIDTH
shot_window "$CAL" "$ARTIFACTS/options_calendar_before.png"

# --- The tray menu opens the options ------------------------------------------
eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
TIMEOUT=10 wait_for shows popup_menu || fail "the popup did not open"
xdotool key o
TIMEOUT=10 wait_for shows options_window || fail "オプション設定(O)... did not open the options window"
OPT=$(options_window)
xdotool windowactivate --sync "$OPT" > /dev/null 2>&1
sleep 1
shot_window "$OPT" "$ARTIFACTS/options_page_display.png"

# ヘルプ(&H) opens the page of the selected tab.
help_window() { windows | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 ~ /モルヴァ ヘルプ$/) print id }' | head -n1; }
xdotool key alt+h
TIMEOUT=10 wait_for shows help_window || fail "ヘルプ(&H) did not open the help"
HELP=$(help_window)
[ "$(xdotool getwindowname "$HELP")" = "表示の設定 - モルヴァ ヘルプ" ] ||
    fail "the help shows '$(xdotool getwindowname "$HELP")'"
sleep 0.5
shot_window "$HELP" "$ARTIFACTS/options_help_display.png"
xdotool windowactivate --sync "$HELP" > /dev/null 2>&1
xdotool key alt+F4
TIMEOUT=10 wait_for gone help_window || fail "the help window did not close"
xdotool windowactivate --sync "$OPT" > /dev/null 2>&1
sleep 0.3

# 表示: the frame on (Alt+X).
xdotool key alt+x
sleep 0.3
# カラー: the weekday colour through the colour dialog.
xdotool key ctrl+Tab ctrl+Tab
sleep 0.5
shot_window "$OPT" "$ARTIFACTS/options_page_color.png"
# The weekday button is the first pure white face in the 日付 frame, row by row
# (the page itself is a shade off white).
SHOT="$WORK/color_page.png"
shot_window "$OPT" "$SHOT"
BUTTON=$(convert "$SHOT" -crop "450x100+20+165" +repage txt:- |
    sed -n 's/^\([0-9]*\),\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\2 \1 \3 \4 \5/p' |
    sort -n -k1,1 -k2,2 | awk '$3 == 255 && $4 == 255 && $5 == 255 { print $2, $1; exit }')
[ -n "$BUTTON" ] || fail "no weekday colour button found"
set -- $BUTTON
xdotool mousemove $((X + 20 + $1 + 12)) $((Y + 165 + $2 + 8)) click 1
color_dialog() { windows | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 != "オプション設定" && $0 != "Morvane" && $0 != "モルヴァ" && $0 != "") print id }' | tail -n1; }
TIMEOUT=10 wait_for shows color_dialog || fail "no colour dialog opened from the weekday button"
COLOR=$(color_dialog)
xdotool windowactivate --sync "$COLOR" > /dev/null 2>&1
sleep 0.5
import -window root "$WORK/colour_dialog.png"
# The colour dialog's HTML field takes the colour; Enter accepts it.
xdotool key alt+h
sleep 0.2
xdotool key ctrl+a
xdotool type --delay 40 "#ff4000"
xdotool key Return
sleep 0.3
xdotool key Return
TIMEOUT=10 wait_for gone color_dialog || fail "the colour dialog did not close"
xdotool windowactivate --sync "$OPT" > /dev/null 2>&1
sleep 0.5
shot_window "$OPT" "$ARTIFACTS/options_page_color_edited.png"

# サイズ: five steps bigger (Alt+C, Page Up).
xdotool key ctrl+Tab ctrl+Tab
sleep 0.3
xdotool key alt+c Prior
sleep 0.5
xdotool key ctrl+Tab ctrl+Tab
sleep 0.5
shot_window "$OPT" "$ARTIFACTS/options_page_transparency.png"
xdotool key ctrl+Tab
sleep 0.5
shot_window "$OPT" "$ARTIFACTS/options_page_behaviour.png"
xdotool key ctrl+Tab ctrl+Tab
sleep 0.5
shot_window "$OPT" "$ARTIFACTS/options_page_tray.png"
xdotool key alt+h
TIMEOUT=10 wait_for shows help_window || fail "ヘルプ(&H) did not open the help of 常駐"
HELP=$(help_window)
sleep 0.5
shot_window "$HELP" "$ARTIFACTS/options_help_tray.png"
xdotool windowactivate --sync "$HELP" > /dev/null 2>&1
xdotool key alt+F4
TIMEOUT=10 wait_for gone help_window || fail "the help window did not close"
xdotool windowactivate --sync "$OPT" > /dev/null 2>&1
sleep 0.3

# "&OK" applies and hides the window.
xdotool key alt+o
TIMEOUT=10 wait_for gone options_window || fail "&OK did not hide the options window"
sleep 2
# The same window, now larger than the month window's default size.
eval "$(xdotool getwindowgeometry --shell "$CAL")"
import -window root "$ARTIFACTS/options_desktop_after.png"
shot_window "$CAL" "$ARTIFACTS/options_calendar_after.png"
[ "$WIDTH" -gt "$WIDTH_BEFORE" ] || fail "the calendar did not grow ($WIDTH_BEFORE -> $WIDTH)"
[ "$WIDTH" -lt 300 ] || fail "the calendar is $WIDTH pixels wide"
# The weekday numbers took the new colour: orange-red pixels in the grid.
ORANGE=$(convert "$ARTIFACTS/options_calendar_after.png" -fx 'r > 0.9 && g > 0.15 && g < 0.4 && b < 0.1 ? 1 : 0' \
    -format '%[fx:mean*w*h]' info:)
[ "${ORANGE%.*}" -gt 20 ] || fail "no weekday in the new colour on the calendar ($ORANGE pixels)"

# Kept at once: the settings file has the new values while the program runs.
grep -q '^CalendarSize=8$' "$SETTINGS" || fail "CalendarSize not saved: $(grep CalendarSize "$SETTINGS")"
grep -q '^CalendarBox=True$' "$SETTINGS" || fail "CalendarBox not saved"
# The login box was left alone: no autostart entry appeared.
grep -q '^StartAtLogin=False$' "$SETTINGS" || fail "StartAtLogin not saved"
[ -z "$(ls "$XDG_CONFIG_HOME/autostart" 2> /dev/null)" ] || fail "an autostart entry appeared"
WEEKDAY=$(grep '^WeekdaysColor=' "$SETTINGS")
[ "$WEEKDAY" = "WeekdaysColor=16639" ] || fail "the weekday colour was not saved ($WEEKDAY)"

kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP"
grep -q '^CalendarSize=8$' "$SETTINGS" || fail "CalendarSize lost at exit"
echo "PASS"
