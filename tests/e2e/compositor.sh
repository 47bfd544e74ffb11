#!/bin/bash
# The calendar over a known wallpaper colour with and without a compositing
# manager (xcompmgr): started before the calendar, started after it, and
# stopped while it runs. Each time the pixels inside the calendar show the
# wallpaper through its background, nothing is black, and the window is the
# same one, on screen, across month steps and a drag. With the compositor
# the rounded corners are smooth (a pixel between wallpaper and calendar).
#
#   compositor.sh <morvane binary> <folder for pictures>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert xsetroot xcompmgr
desktop_begin compositor

fail() {
    echo "FAIL: $*"
    desktop_failure_report "$ARTIFACTS/compositor_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
desktop_start 120 199 || fail "$DESKTOP_ERROR"
# The wallpaper: one known colour, so that what shows through is measured.
WALL="48 96 192"
xsetroot -solid '#3060c0'

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"

# The calendar at (100, 100), white, half translucent, rounded.
write_settings() {
    mkdir -p "$XDG_CONFIG_HOME/Quillstone"
    printf '[General]\nLeft=1500\nTop=1500\nTransparency=True\nTransparency_value=8\n%s\n' \
        'TransparencyEx=False
CalendarWinRgn=True
CalendarBackColor=16777215
MouseFlg=True
ShowTitle=False' > "$SETTINGS"
}

COMPOSITOR=
start_compositor() {
    xcompmgr > "$WORK/xcompmgr.log" 2>&1 &
    COMPOSITOR=$!
    desktop_track $COMPOSITOR
    sleep 1.5
    kill -0 "$COMPOSITOR" 2> /dev/null || fail "xcompmgr did not start: $(cat "$WORK/xcompmgr.log")"
}
stop_compositor() {
    kill -TERM "$COMPOSITOR"
    wait "$COMPOSITOR" 2> /dev/null
    sleep 1
}

# "r g b" of the screen pixel x y in the picture $1.
pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
# Whether colour $1 lies strictly between the wallpaper and white in every
# channel, at least $2 away from both: the wallpaper shows through.
between() {
    local -a c w
    read -r -a c <<< "$1"
    read -r -a w <<< "$WALL"
    local i
    for i in 0 1 2; do
        [ "${c[i]}" -ge $((w[i] + $2)) ] && [ "${c[i]}" -le $((255 - $2)) ] || return 1
    done
}
near() { # colour $1 within $3 of colour $2
    local -a a b
    read -r -a a <<< "$1"
    read -r -a b <<< "$2"
    local i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ ${d#-} -le "$3" ] || return 1
    done
}

# Window geometry on screen: sets WX WY WW WH.
geometry() {
    local info
    info=$(xwininfo -id "$WINDOW") || fail "no window $WINDOW"
    WX=$(sed -n 's/.*Absolute upper-left X: *//p' <<< "$info")
    WY=$(sed -n 's/.*Absolute upper-left Y: *//p' <<< "$info")
    WW=$(sed -n 's/.*Width: *//p' <<< "$info")
    WH=$(sed -n 's/.*Height: *//p' <<< "$info")
    MAPPED=$(sed -n 's/.*Map State: *//p' <<< "$info")
}

# Checks the calendar in a picture of the whole screen named $1: the
# background blank at the left edge half-way down shows the wallpaper
# through white; no pixel of the window is black; with $2 = smooth, a pixel
# on the top-left corner's arc lies between wallpaper and calendar.
check_look() {
    local shot="$ARTIFACTS/compositor_$1.png"
    import -window root "$shot" || fail "no picture $1"
    geometry
    [ "$MAPPED" = IsViewable ] || fail "$1: the calendar is not on screen ($MAPPED)"
    # The wallpaper as painted now (a compositor paints the root's colour
    # only from a published wallpaper picture, else its own grey).
    WALL=$(pixel "$shot" $((WX - 20)) $((WY + WH / 2)))
    local inside
    inside=$(pixel "$shot" $((WX + 5)) $((WY + WH / 2)))
    between "$inside" 25 || fail "$1: the background at the edge is $inside, not the wallpaper through white"
    local dark
    dark=$(convert "$shot" -crop "${WW}x${WH}+$WX+$WY" -fx 'r<0.06&&g<0.06&&b<0.06' \
        -format '%[fx:int(mean*w*h+0.5)]' info:)
    # The shadow of the text is dark grey (70), never this dark.
    [ "$dark" -eq 0 ] || fail "$1: $dark black pixels in the calendar"
    if [ "${2:-}" = smooth ]; then
        local i colour found=
        for i in 1 2 3 4 5 6; do
            colour=$(pixel "$shot" $((WX + i)) $((WY + i)))
            if between "$colour" 6 && ! near "$colour" "$inside" 6; then
                found=$colour
                break
            fi
        done
        [ -n "$found" ] || fail "$1: the rounded corner has no pixel between the wallpaper and the calendar"
        echo "$1: corner pixel $found"
    else
        near "$(pixel "$shot" "$WX" "$WY")" "$WALL" 0 ||
            fail "$1: the corner outside the rounded outline is not the wallpaper"
    fi
    echo "$1: background $inside over the wallpaper $WALL"
}

steps_and_drag() {
    local before=$WINDOW
    xdotool mousemove --window "$WINDOW" 5 $((WH / 2)) click 1
    xdotool key Right Right
    sleep 0.5
    geometry
    [ "$MAPPED" = IsViewable ] || fail "$1: month steps took the calendar off screen"
    local x=$WX y=$WY
    xdotool mousemove $((WX + 5)) $((WY + WH / 2)) mousedown 1
    xdotool mousemove_relative 10 10 mousemove_relative 20 20 mousemove_relative 10 10
    xdotool mouseup 1
    sleep 1
    WINDOW=$(month_window "$APP")
    [ "$WINDOW" = "$before" ] || fail "$1: the drag made a new window ($before, then $WINDOW)"
    geometry
    [ "$WX" -eq $((x + 40)) ] && [ "$WY" -eq $((y + 40)) ] ||
        fail "$1: the drag moved the calendar from $x,$y to $WX,$WY"
    xdotool mousemove 700 700
    sleep 0.5
}

# --- Without a compositor, then one starts, then it stops ----------------------------
write_settings
start_program 1
TIMEOUT=20 wait_for shows month_window "$APP" || fail "the calendar did not show"
WINDOW=$(month_window "$APP")
FIRST=$WINDOW
xdotool mousemove 700 700
sleep 1.5
check_look plain
steps_and_drag plain
check_look plain_moved

start_compositor
check_look composited_after smooth
steps_and_drag composited_after
check_look composited_moved smooth
[ "$WINDOW" = "$FIRST" ] || fail "a new window with the compositor"

stop_compositor
check_look stopped
kill -TERM "$APP"
wait "$APP" 2> /dev/null

# --- A compositor before the calendar starts ------------------------------------------
start_compositor
write_settings
start_program 2
TIMEOUT=20 wait_for shows month_window "$APP" || fail "the calendar did not show"
WINDOW=$(month_window "$APP")
xdotool mousemove 700 700
sleep 1.5
check_look composited_before smooth
steps_and_drag composited_before
check_look composited_before_moved smooth
echo "the same window throughout; translucent with and without the compositor"
