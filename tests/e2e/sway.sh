#!/bin/bash
# The calendar on a wlroots compositor that offers the desktop's layers:
# sway, headless, started here with a runtime folder of its own. With both
# WAYLAND_DISPLAY and an X display named and no platform chosen, the
# calendar runs as a native Wayland surface on the layer below windows,
# anchored at its saved place (Left/Top), translucent over sway's
# background colour; with 常に手前に表示 it stands above a window laid over
# it. A click gives it the keys for month steps, a drag moves it with the
# pointer and the new place is saved; a right-click near the bottom edge
# opens its menu wholly on the screen. Pictures are taken with grim.
#
#   sway.sh <morvane binary> <folder for pictures> <virtual pointer tool>
#
# Exit 0 on success, 77 when sway, grim or wtype is missing or sway cannot
# start on this machine, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2
POINTER=$3

for tool in sway swaymsg grim wtype setpriv convert compare; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_begin sway

fail() {
    echo "FAIL: $*"
    local log
    for log in "$WORK"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
    done
    swaymsg -t get_tree 2>&1 | grep -E '"(app_id|name)"' | head -20
    exit 1
}

mkdir -p "$ARTIFACTS"
desktop_session_env
unset QT_QPA_PLATFORM # the program chooses
# sway refuses to run as root; it runs as an unprivileged user in a
# runtime folder of that user's, whose socket root reaches.
chmod 755 "$WORK"
SWAY_RUNTIME="$WORK/sway-runtime"
mkdir -p "$SWAY_RUNTIME"
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$SWAY_RUNTIME"
    AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    AS_USER=()
fi
chmod 700 "$SWAY_RUNTIME"
cat > "$WORK/sway.config" << 'CONF'
output HEADLESS-1 resolution 800x600 position 0 0 bg #3060c0 solid_color
default_border none
for_window [app_id=".*"] floating enable
CONF
env XDG_RUNTIME_DIR="$SWAY_RUNTIME" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman "${AS_USER[@]}" sway -c "$WORK/sway.config" > "$WORK/sway.log" 2>&1 &
desktop_track $!
if ! TIMEOUT=20 wait_for test -S "$SWAY_RUNTIME/wayland-1"; then
    echo "SKIP: sway did not start on this machine:"
    tail -5 "$WORK/sway.log"
    exit 77
fi
export WAYLAND_DISPLAY="$SWAY_RUNTIME/wayland-1"
SWAYSOCK=$(ls "$SWAY_RUNTIME"/sway-ipc.*.sock 2> /dev/null | head -n1)
export SWAYSOCK
# An X display is named too: the compositor's layers must win over it.
export DISPLAY=:97

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
write_settings() {
    mkdir -p "$XDG_CONFIG_HOME/Quillstone"
    printf '[General]\nLeft=3000\nTop=1500\nTransparency=True\nTransparency_value=8\n%s\nTopView=%s\n' \
        'TransparencyEx=False
CalendarWinRgn=True
CalendarBackColor=16777215
MouseFlg=True
ShowTitle=False' "$1" > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
}

SHOT=
colour_at() {
    convert "$SHOT" -crop "1x1+$1+$2" -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
picture() {
    SHOT="$ARTIFACTS/$1.png"
    grim "$SHOT" || fail "grim took no picture"
}
# The bounding box of what differs from sway's background: "w h x y".
drawn_box() {
    convert "$SHOT" -crop "$1" +repage -fuzz 3% -trim -format '%w %h %X %Y' info: | tr -d '+'
}
toplevels() { swaymsg -t get_tree | grep -c '"app_id": "example.quillstone.Morvane"'; }
has_toplevel() { [ "$(toplevels)" -ge 1 ]; }
no_toplevel() { [ "$(toplevels)" = 0 ]; }

start() {
    (cd "$PROGRAM" && exec ./morvane > "$WORK/run$1.log" 2>&1) &
    APP=$!
    desktop_track $APP
}

offer_over_calendar() {
    TIMEOUT=30 wait_for has_toplevel || fail "the first-run offer did not show"
    sleep 1
    swaymsg '[app_id="example.quillstone.Morvane"] move position 150 50' > /dev/null
    sleep 1
}
close_offer() {
    # Closed as the window's close button would (sway draws none here).
    swaymsg '[app_id="example.quillstone.Morvane"] kill' > /dev/null
    TIMEOUT=10 wait_for no_toplevel || fail "the first-run offer did not go"
    sleep 1
}
is_calendar_blank() { [ "$1" -gt 100 ] && [ "$1" -lt 230 ] && [ "$3" -gt 200 ]; }

# First run: the schedule offer, an ordinary window, laid over the
# calendar's place covers the calendar (the calendar is below windows).
write_settings False
start 1
offer_over_calendar
picture sway_below
read -r R G B <<< "$(colour_at 270 228)"
echo "under the offer: $R $G $B"
is_calendar_blank "$R" "$G" "$B" && fail "the calendar shows over a window ($R $G $B)"
close_offer
kill -0 "$APP" 2> /dev/null || fail "the program ended"

# The calendar stands at its saved place, 200 x 100 pixels, and is no
# ordinary window.
picture sway_layer
read -r BW BH BX BY <<< "$(drawn_box 400x300+0+0)"
echo "calendar drawn ${BW}x$BH at $BX,$BY"
[ "$BX" = 200 ] && [ "$BY" = 100 ] || fail "the calendar stands at $BX,$BY, not at its saved 200,100"
[ "$BW" -gt 100 ] && [ "$BH" -gt 100 ] || fail "no calendar on sway's screen (${BW}x$BH)"
# Translucent: the blank row under the last week shows sway's blue through
# the white.
read -r R G B <<< "$(colour_at 270 228)"
echo "blank colour $R $G $B over 48 96 192"
is_calendar_blank "$R" "$G" "$B" || fail "the blank background is $R $G $B, not sway's colour through white"

# A click gives it the keys (it takes none before): two month steps change
# the title.
"$POINTER" 800 600 move 205 169 press left release left wait 500 || fail "no virtual pointer"
wtype -k Right -k Right
sleep 1
BEFORE_STEPS=$SHOT
picture sway_steps
CHANGED=$(compare -metric AE "$BEFORE_STEPS" "$SHOT" -crop 100x16+205+100 null: 2>&1 | cut -d' ' -f1)
echo "title pixels changed by two month steps: $CHANGED"
[ "${CHANGED%.*}" -gt 50 ] || fail "the clicked calendar took no keys"

# A drag moves it with the pointer, 40 pixels each way.
"$POINTER" 800 600 move 205 169 press left move 215 179 move 235 199 move 245 209 \
    release left wait 500
picture sway_dragged
read -r BW BH BX BY <<< "$(drawn_box 400x300+0+0)"
echo "after the drag: ${BW}x$BH at $BX,$BY"
[ "$BX" = 240 ] && [ "$BY" = 140 ] || fail "the drag took the calendar to $BX,$BY, not 240,140"
grep -Eiq 'protocol error|wl_display@' "$WORK/run1.log" && fail "a Wayland protocol error"
kill -TERM "$APP"
TIMEOUT=10 wait_for has_ended "$APP" || fail "the program did not end"
# Where it stands is where it is saved (15 twips a pixel).
SAVED=$(grep -E '^(Left|Top)=' "$XDG_CONFIG_HOME/Quillstone/Morvane.ini" | sort | tr '\n' ' ')
[ "$SAVED" = "Left=3600 Top=2100 " ] || fail "the saved place is $SAVED, not where the calendar stood"

# 常に手前に表示: the calendar stands above the same window (a new data
# file brings the offer back).
write_settings True
rm -f "$PROGRAM"/*.dat
start 2
offer_over_calendar
picture sway_above
# The calendar's place in the two pictures of the same window: with the
# calendar above, most of its pixels differ.
CHANGED=$(compare -metric AE "$ARTIFACTS/sway_below.png" "$SHOT" -crop 141x138+200+100 null: 2>&1 |
    cut -d' ' -f1)
echo "pixels changed over the offer: $CHANGED of $((141 * 138))"
[ "${CHANGED%.*}" -gt 5000 ] || fail "the calendar kept above windows is covered by one"
close_offer

# A right-click near the bottom edge: the whole menu stands on the screen,
# above the pointer (it is taller than the 20 pixels left below).
"$POINTER" 800 600 move 205 169 press left move 205 400 move 205 589 release left wait 500 \
    move 230 590
picture sway_before_menu
BEFORE_MENU=$SHOT
"$POINTER" 800 600 move 230 590 press right release right wait 800
picture sway_menu
read -r MW MH MX MY <<< "$(compare "$BEFORE_MENU" "$SHOT" -compose src -highlight-color white \
    -lowlight-color black miff:- 2> /dev/null | convert - -crop 800x600+0+0 +repage -fuzz 1% \
    -bordercolor black -border 1 -trim -format '%w %h %X %Y' info: | tr -d '+')"
echo "what changed with the menu: ${MW}x$MH at $((MX - 1)),$((MY - 1))"
[ "$MH" -gt 100 ] || fail "no menu shown (${MW}x$MH)"
[ $((MY - 1 + MH)) -le 600 ] || fail "the menu runs off the screen's bottom edge"
wtype -k Escape
sleep 0.5
kill -0 "$APP" 2> /dev/null || fail "the program ended with its menu"
grep -Eiq 'protocol error|wl_display@' "$WORK/run2.log" && fail "a Wayland protocol error"
echo "sway: the calendar on the desktop's layers at its saved place, translucent, below windows and above them when asked, keys after a click, dragged, its menu on the screen"
