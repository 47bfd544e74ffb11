#!/bin/bash
# Pictures of the calendar on a virtual desktop with a wallpaper, for
# looking at the window by eye (not a test):
#   default.png      first-run settings
#   size12.png       CalendarSize 12 with the font sizes a zoom gives (18)
#   pseudo.png       the desktop copy behind the calendar (Transparency)
#   framed12.png     size 12, pseudo transparency, frame, title clock
#   size0.png, size25.png   the smallest and largest sizes with their fonts
#   scale2.png       the default size at twice the pixels (QT_SCALE_FACTOR=2)
#   today_mark.png   a white mark on today, under the cursor
#   datepick.png     the date-pick dialog opened from the popup menu
#   jump_menu.png    the jump menu: only the shown month ticked
#   clock_icons.png  a clock title beside the month and jump icons
#   about_scale2.png the version window at twice the pixels
#
# SHOTS limits the run to some of them ("size0 datepick").
#
#   screenshots.sh <morvane binary> <startup_datafile tool> <output folder>
set -u
BINARY=$1
DATAFILE_TOOL=$2
OUT=$3
mkdir -p "$OUT"

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import convert display sqlite3
desktop_begin shots
desktop_start_xvfb 200 239 800x600x24 || { echo "Xvfb did not start"; exit 1; }
desktop_session_env

# A wallpaper with structure, so that what shows through can be told apart.
convert -size 800x600 gradient:'#2b5876'-'#e8b36a' \
    -fill '#ffffff30' -draw 'circle 200,150 200,60' -draw 'circle 620,420 620,300' \
    -fill '#00000040' -draw 'rectangle 0,250 800,280' "$WORK/wallpaper.png"
display -window root "$WORK/wallpaper.png"
desktop_start_openbox
desktop_start_trayer || { echo "trayer did not start"; exit 1; }
sleep 1

# Runs before the picture with the program's pid: opens what is to be seen.
SHOT_ACTION=
# Schedules added to the data file (sqlite3 statements).
SHOT_SQL=

shoot() {
    local name=$1
    shift
    if [ -n "${SHOTS:-}" ] && [[ " $SHOTS " != *" $name "* ]]; then
        return
    fi
    local program="$WORK/$name"
    desktop_copy_program "$BINARY" "$program"
    "$DATAFILE_TOOL" "$program" 10 || exit 1
    [ -n "$SHOT_SQL" ] && sqlite3 "$program/Morva.dat" "$SHOT_SQL"
    rm -rf "$XDG_CONFIG_HOME"
    mkdir -p "$XDG_CONFIG_HOME/Quillstone"
    {
        echo "[General]"
        echo "Left=1500"
        echo "Top=1500"
        for setting in "$@"; do echo "$setting"; done
    } > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
    "$program/morvane" > "$WORK/$name.log" 2>&1 &
    local pid=$!
    desktop_track $pid
    sleep 3
    [ -n "$SHOT_ACTION" ] && "$SHOT_ACTION" $pid
    import -window root "$OUT/$name.png"
    kill -TERM $pid
    wait $pid
}

shoot default
shoot size12 CalendarSize=12 FontSize=18 DayFontSize=18 MarkSize=18
shoot pseudo Transparency=True TransparencyEx=False
shoot framed12 CalendarSize=12 FontSize=18 DayFontSize=18 MarkSize=18 Transparency=True \
    TransparencyEx=False CalendarBox=True BoxColor=16777215 TitleType=6 JumpIcon=True
shoot size0 CalendarSize=0 FontSize=7 DayFontSize=7 MarkSize=7
shoot size25 CalendarSize=25 FontSize=26 DayFontSize=26 MarkSize=26 JumpIcon=True
shoot clock_icons TitleType=6 JumpIcon=True MemoIcon=True
today=$(date +%Y/%-m/%-d)
SHOT_SQL="INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Color, Mark, Message)
 VALUES (0, ${today%%/*}, $(echo "$today" | cut -d/ -f2), ${today##*/}, -1, -1, 15, 0, 'today')"
shoot today_mark CalendarSize=6 FontSize=12 DayFontSize=12 MarkSize=14
SHOT_SQL=

open_datepick() {
    local window
    window=$(month_window "$1")
    [ -n "$window" ] || window=$(xdotool search --onlyvisible --pid "$1" | head -n1)
    xdotool mousemove --window "$window" 4 20 click 3
    sleep 1
    xdotool key s
    sleep 1.5
}
open_about() {
    local window
    window=$(xdotool search --onlyvisible --pid "$1" | head -n1)
    xdotool mousemove --window "$window" 4 20 click 3
    sleep 1
    xdotool key h a
    sleep 1.5
}
# The jump icon of the default size lies 1508 twips from the left.
open_jump_menu() {
    local window
    window=$(month_window "$1")
    xdotool mousemove --window "$window" 108 9 click 1
    sleep 1
}
SHOT_ACTION=open_jump_menu
shoot jump_menu JumpIcon=True
SHOT_ACTION=open_datepick
shoot datepick
SHOT_ACTION=

# Twice the pixels on a screen large enough for them.
if [ -z "${SHOTS:-}" ] || [[ " $SHOTS " == *" scale2 "* ]] || [[ " $SHOTS " == *" about_scale2 "* ]]; then
    desktop_cleanup
    desktop_begin shots2
    desktop_start_xvfb 200 239 1600x1200x24 || { echo "Xvfb did not start"; exit 1; }
    desktop_session_env
    convert -size 1600x1200 gradient:'#2b5876'-'#e8b36a' "$WORK/wallpaper.png"
    display -window root "$WORK/wallpaper.png"
    desktop_start_openbox
    sleep 1
    export QT_SCALE_FACTOR=2
    shoot scale2 JumpIcon=True
    SHOT_ACTION=open_about
    shoot about_scale2
    SHOT_ACTION=
    unset QT_SCALE_FACTOR
fi
echo "pictures in $OUT"
