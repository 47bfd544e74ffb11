#!/bin/bash
# The desktop copy at twice the pixels (QT_SCALE_FACTOR=2) on X11 without a
# compositing manager: behind the calendar lies a wallpaper of 1-pixel
# stripes, and a row of the calendar's blank background shows exactly the
# stripes of the row outside it, pixel for pixel: the copy is taken and
# drawn at the screen's own pixels, never scaled.
#
#   hidpi.sh <morvane binary> <folder for pictures>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert compare xsetroot
desktop_begin hidpi

fail() {
    echo "FAIL: $*"
    desktop_failure_report "$ARTIFACTS/hidpi_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
desktop_start 120 199 || fail "$DESKTOP_ERROR"
# Vertical stripes one pixel wide, white and dark blue, tiled on the root.
cat > "$WORK/stripes.xbm" << 'XBM'
#define s_width 2
#define s_height 2
static unsigned char s_bits[] = {
   0x01, 0x01 };
XBM
xsetroot -bitmap "$WORK/stripes.xbm" -fg white -bg '#102060'

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
mkdir -p "$XDG_CONFIG_HOME/Quillstone"
printf '[General]\nLeft=1500\nTop=1500\nTransparency=True\nTransparency_value=16\n%s\n' \
    'TransparencyEx=False
CalendarWinRgn=False
CalendarBox=False
ShowTitle=False' > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
QT_SCALE_FACTOR=2 start_program 1
big_window() { desktop_windows "$APP" | awk '$2 >= 260 && $2 <= 300 && $3 >= 256 && $3 <= 296 { print $1 }' | head -n1; }
TIMEOUT=20 wait_for shows big_window || fail "the calendar did not show at twice the size"
WINDOW=$(big_window)
# The first run's schedule offer goes.
sleep 2
OFFER=$(first_run_window)
[ -n "$OFFER" ] && xdotool windowactivate --sync "$OFFER" key Escape 2> /dev/null
xdotool mousemove 1000 700
sleep 2
SHOT="$ARTIFACTS/hidpi.png"
import -window root "$SHOT" || fail "no picture"
info=$(xwininfo -id "$WINDOW")
WX=$(sed -n 's/.*Absolute upper-left X: *//p' <<< "$info")
WY=$(sed -n 's/.*Absolute upper-left Y: *//p' <<< "$info")
WW=$(sed -n 's/.*Width: *//p' <<< "$info")
WH=$(sed -n 's/.*Height: *//p' <<< "$info")
# The blank margin under the last week, and the desktop just under the window.
convert "$SHOT" -crop "$((WW - 40))x1+$((WX + 20))+$((WY + WH - 6))" +repage "$WORK/inside.png"
convert "$SHOT" -crop "$((WW - 40))x1+$((WX + 20))+$((WY + WH + 8))" +repage "$WORK/outside.png"
DIFFERENT=$(compare -metric AE "$WORK/inside.png" "$WORK/outside.png" null: 2>&1)
STRIPES=$(convert "$WORK/outside.png" -format '%k' info:)
[ "$STRIPES" -ge 2 ] || fail "the wallpaper has no stripes under the window"
[ "$DIFFERENT" = 0 ] ||
    fail "$DIFFERENT of $((WW - 40)) pixels of the calendar's background differ from the stripes outside"
echo "scale 2: the stripes run through the calendar (${WW}x$WH) pixel for pixel"
