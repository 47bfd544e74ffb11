#!/bin/bash
# The calendar on KDE's compositor, which offers the desktop's layers:
# kwin_wayland nested in an X server of our own (so that its screen can be
# pictured), with a runtime folder of its own. Started with WAYLAND_DISPLAY
# and no platform chosen, the calendar is a native Wayland surface below
# windows at its saved place, translucent over KWin's black screen, and a
# drag moves it with the pointer.
#
#   kwin.sh <morvane binary> <folder for pictures>
#
# Exit 0 on success, 77 when Xvfb or kwin_wayland is missing or KWin
# cannot start on this machine, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

command -v kwin_wayland > /dev/null || { echo "SKIP: kwin_wayland is not installed"; exit 77; }
# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import convert
desktop_begin kwin

fail() {
    echo "FAIL: $*"
    [ -n "${OUTER:-}" ] && DISPLAY=$OUTER import -window root "$ARTIFACTS/kwin_failure.png"
    local log
    for log in "$WORK"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
    done
    exit 1
}

mkdir -p "$ARTIFACTS"
desktop_start_xvfb 120 199 1024x768x24 || fail "Xvfb did not start"
OUTER=$DISPLAY
desktop_session_env
unset QT_QPA_PLATFORM # the program chooses
# The installed binary carries a file capability that a container may not
# grant at its start; a copy carries none and runs the same.
cp "$(command -v kwin_wayland)" "$WORK/kwin_wayland"
"$WORK/kwin_wayland" --x11-display "$OUTER" --no-lockscreen --no-global-shortcuts \
    --socket morvane-kwin --width 800 --height 600 > "$WORK/kwin.log" 2>&1 &
desktop_track $!
if ! TIMEOUT=30 wait_for test -S "$XDG_RUNTIME_DIR/morvane-kwin"; then
    echo "SKIP: KWin did not start on this machine:"
    tail -5 "$WORK/kwin.log"
    exit 77
fi
# KWin's output is a window of our X server at its top left corner.
export WAYLAND_DISPLAY=morvane-kwin
unset DISPLAY

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
mkdir -p "$XDG_CONFIG_HOME/Quillstone"
printf '[General]\nLeft=3000\nTop=1500\nTransparency=True\nTransparency_value=8\n%s\n' \
    'TransparencyEx=False
CalendarWinRgn=True
CalendarBackColor=16777215
MouseFlg=True
ShowTitle=False' > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
(cd "$PROGRAM" && exec ./morvane > "$WORK/run.log" 2>&1) &
APP=$!
desktop_track $APP

SHOT=
picture() {
    SHOT="$ARTIFACTS/$1.png"
    DISPLAY=$OUTER import -window root "$SHOT" || fail "no picture"
}
colour_at() {
    convert "$SHOT" -crop "1x1+$1+$2" -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
drawn_box() {
    convert "$SHOT" -crop "$1" +repage -fuzz 3% -trim -format '%w %h %X %Y' info: | tr -d '+'
}
offer_shown() { picture kwin_offer; [ "$(colour_at 400 300 | cut -d' ' -f1)" -gt 100 ]; }

# The first-run offer (an ordinary window in KWin's middle) goes with
# Escape, typed into KWin's output.
TIMEOUT=30 WAIT_STEP=1 wait_for offer_shown || fail "the first-run offer did not show"
DISPLAY=$OUTER xdotool mousemove 400 300 click 1 key Escape
sleep 2
kill -0 "$APP" 2> /dev/null || fail "the program ended"

picture kwin_layer
read -r BW BH BX BY <<< "$(drawn_box 400x300+0+0)"
echo "calendar drawn ${BW}x$BH at $BX,$BY"
[ "$BX" = 200 ] && [ "$BY" = 100 ] || fail "the calendar stands at $BX,$BY, not at its saved 200,100"
[ "$BW" -gt 100 ] && [ "$BH" -gt 100 ] || fail "no calendar on KWin's screen (${BW}x$BH)"
# Translucent: the blank row under the last week is white over black.
read -r R G B <<< "$(colour_at 270 228)"
echo "blank colour $R $G $B over 0 0 0"
[ "$R" -gt 60 ] && [ "$R" -lt 200 ] || fail "the blank background is $R $G $B, not white through black"

# At a hand's pace: KWin reports a held pointer from where the calendar
# stands once it has shown it there.
DISPLAY=$OUTER xdotool mousemove 205 169 mousedown 1 sleep 0.2 mousemove 215 179 sleep 0.2 \
    mousemove 235 199 sleep 0.2 mousemove 245 209 sleep 0.2 mouseup 1
sleep 1
picture kwin_dragged
read -r BW BH BX BY <<< "$(drawn_box 400x300+0+0)"
echo "after the drag: ${BW}x$BH at $BX,$BY"
[ "$BX" = 240 ] && [ "$BY" = 140 ] || fail "the drag took the calendar to $BX,$BY, not 240,140"
grep -Eiq 'protocol error|wl_display@' "$WORK/run.log" && fail "a Wayland protocol error"
echo "kwin: the calendar on the desktop's layers at its saved place, translucent, dragged"
