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
WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-shots.XXXXXX")
PIDS=()
cleanup() {
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        kill -TERM "${PIDS[i]}" 2> /dev/null
        wait "${PIDS[i]}" 2> /dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP # so that the cleanup runs then too

for n in $(seq 200 239); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
    XVFB=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    if kill -0 "$XVFB" 2> /dev/null && [ -S "/tmp/.X11-unix/X$n" ]; then
        PIDS+=("$XVFB")
        export DISPLAY=":$n"
        break
    fi
done
[ -n "${DISPLAY:-}" ] || { echo "Xvfb did not start"; exit 1; }
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_RUNTIME_DIR="$WORK/runtime"
export QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A wallpaper with structure, so that what shows through can be told apart.
convert -size 800x600 gradient:'#2b5876'-'#e8b36a' \
    -fill '#ffffff30' -draw 'circle 200,150 200,60' -draw 'circle 620,420 620,300' \
    -fill '#00000040' -draw 'rectangle 0,250 800,280' "$WORK/wallpaper.png"
display -window root "$WORK/wallpaper.png"
openbox > "$WORK/openbox.log" 2>&1 &
PIDS+=($!)
trayer --edge top --align right --widthtype pixel --width 120 --height 24 > /dev/null 2>&1 &
PIDS+=($!)
sleep 1

shoot() {
    local name=$1
    shift
    local program="$WORK/$name"
    mkdir -p "$program"
    cp "$BINARY" "$program/morvane"
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
