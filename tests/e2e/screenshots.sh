#!/bin/bash
# Pictures of the calendar on a virtual desktop with a wallpaper, for
# looking at the window by eye (not a test):
#   default.png      first-run settings
#   size12.png       CalendarSize 12 with the font sizes a zoom gives (18)
#   pseudo.png       the desktop copy behind the calendar (Transparency)
#   framed12.png     size 12, pseudo transparency, frame, title clock
#
#   screenshots.sh <morvane binary> <startup_datafile tool> <output folder>
set -u
BINARY=$1
DATAFILE_TOOL=$2
OUT=$3
mkdir -p "$OUT"

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools import convert display
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

shoot() {
    local name=$1
    shift
    local program="$WORK/$name"
    desktop_copy_program "$BINARY" "$program"
    "$DATAFILE_TOOL" "$program" 10 || exit 1
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
    import -window root "$OUT/$name.png"
    kill -TERM $pid
    wait $pid
}

shoot default
shoot size12 CalendarSize=12 FontSize=18 DayFontSize=18 MarkSize=18
shoot pseudo Transparency=True TransparencyEx=False
shoot framed12 CalendarSize=12 FontSize=18 DayFontSize=18 MarkSize=18 Transparency=True \
    TransparencyEx=False CalendarBox=True BoxColor=16777215 TitleType=6 JumpIcon=True
echo "pictures in $OUT"
