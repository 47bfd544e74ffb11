#!/bin/bash
# The calendar on GNOME's compositor, which offers no desktop layers:
# mutter, headless, with its X server for older programs (XWayland), on a
# session bus and in a runtime folder of its own. Started with both
# WAYLAND_DISPLAY and DISPLAY set and no platform chosen, the calendar goes
# through XWayland, where Mutter keeps the place a program gives: its X11
# window stands at the saved Left/Top.
#
#   mutter.sh <morvane binary>
#
# Exit 0 on success, 77 when mutter, Xwayland or dbus-run-session is
# missing or mutter cannot start on this machine, 1 on failure.
set -u

BINARY=$1

for tool in mutter Xwayland dbus-run-session xwininfo; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_begin mutter

fail() {
    echo "FAIL: $*"
    local log
    for log in "$WORK"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
    done
    exit 1
}

desktop_session_env
unset QT_QPA_PLATFORM # the program chooses
# mutter itself is ended by its process id: ending the bus session does
# not end it.
dbus-run-session -- sh -c 'echo $$ > "$0"; exec mutter --headless --wayland \
    --virtual-monitor 800x600 --wayland-display morvane-mutter' "$WORK/mutter.pid" \
    > "$WORK/mutter.log" 2>&1 &
desktop_track $!
TIMEOUT=10 wait_for test -s "$WORK/mutter.pid" || fail "dbus-run-session did not start mutter"
desktop_track "$(cat "$WORK/mutter.pid")"
x_display() { sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/mutter.log" | head -n1; }
if ! TIMEOUT=30 wait_for shows x_display; then
    echo "SKIP: mutter did not start on this machine with its X server:"
    tail -5 "$WORK/mutter.log"
    exit 77
fi
export WAYLAND_DISPLAY=morvane-mutter
DISPLAY=$(x_display)
export DISPLAY
XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2> /dev/null | head -n1)
export XAUTHORITY

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

calendar() { xwininfo -root -tree 2> /dev/null | grep '"モルヴァ"' | grep '141x138' | head -n1; }
TIMEOUT=30 wait_for shows calendar || fail "the calendar did not show through XWayland"
sleep 2
PLACE=$(calendar | sed -n 's/.* 141x138+\([-0-9]*\)+\([-0-9]*\) .*/\1 \2/p')
echo "the calendar's X11 window: $(calendar)"
[ "$PLACE" = "200 100" ] || fail "Mutter shows the calendar at $PLACE, not at its saved 200 100"
kill -0 "$APP" 2> /dev/null || fail "the program ended"
echo "mutter: the calendar through XWayland at its saved place"
