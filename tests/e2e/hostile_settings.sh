#!/bin/bash
# Settings no options dialog can produce (a hand-edited file): huge font and
# calendar sizes and a place far off the screen. Every start must show the
# month window promptly, at an offered size and on the screen, and keep the
# corrected values.
#
#   hostile_settings.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import
desktop_begin hostile

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; desktop_windows "$APP"; }
    desktop_failure_report "$ARTIFACTS/hostile_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/hostile_*.png

desktop_start 120 199 || fail "$DESKTOP_ERROR"
PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
SCREEN_W=1024
SCREEN_H=768

# The month window of $APP at calendar size $1: 136 * s + 1700 by 90 * s + 1800
# twips, 15 twips a pixel.
calendar_at() {
    local w=$(((136 * $1 + 1700 + 7) / 15)) h=$(((90 * $1 + 1800 + 7) / 15))
    desktop_windows "$APP" |
        awk -v w="$w" -v h="$h" '$2 >= w - 2 && $2 <= w + 2 && $3 >= h - 2 && $3 <= h + 2 { print $1 }' |
        head -n1
}

# One start with the given font size, calendar size (as stored) and place;
# $4 is the calendar size the window must come up at.
start_with() {
    local font=$1 size=$2 place=$3 expected=$4 started elapsed id X Y
    printf '[General]\nShowTitle=False\nFontSize=%s\nDayFontSize=%s\nMarkSize=%s\nCalendarSize=%s\n%s\n' \
        "$font" "$font" "$font" "$size" "$place" > "$SETTINGS"
    started=$(date +%s%N)
    "$PROGRAM/morvane" > "$WORK/run.log" 2>&1 &
    APP=$!
    desktop_track $APP
    TIMEOUT=60 WAIT_STEP=0.05 wait_for shows calendar_at "$expected" ||
        fail "font $font, size $size: no month window of size $expected within 60 s"
    elapsed=$((($(date +%s%N) - started) / 1000000))
    id=$(calendar_at "$expected")
    eval "$(xdotool getwindowgeometry --shell "$id")"
    echo "font $font, size $size, $(echo $place): month window after $elapsed ms at $X,$Y"
    [ "$elapsed" -lt 10000 ] || fail "the start took $elapsed ms"
    [ "$X" -le $((SCREEN_W - 40)) ] && [ "$Y" -le $((SCREEN_H - 40)) ] && [ "$X" -ge -400 ] &&
        [ "$Y" -ge 0 ] || fail "the window is off the screen at $X,$Y"
    sleep 0.3
    import -window root "$ARTIFACTS/hostile_${font}_${size}.png"
    kill -TERM "$APP"
    TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
    wait "$APP" || fail "the program ended with status $?"
}

start_with 999 999 'Left=999999999
Top=-999999999' 25
grep -q '^FontSize=26$' "$SETTINGS" || fail "FontSize was not kept at 26"
grep -q '^CalendarSize=25$' "$SETTINGS" || fail "CalendarSize was not kept at 25"
LEFT=$(sed -n 's/^Left=//p' "$SETTINGS")
[ "$LEFT" -le $(((SCREEN_W - 40) * 15)) ] || fail "the place off the screen was kept: Left=$LEFT"

start_with 200 0 'Left=-50000
Top=90000' 0
start_with 26 0 'Left=0' 0
start_with 26 25 'Left=3000
Top=3000' 25
start_with 7 3 'Left=0' 3
start_with -32768 -32768 'Top=-1' 0

echo "PASS"
