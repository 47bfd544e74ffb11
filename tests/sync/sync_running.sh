#!/bin/bash
# The sync inside the running calendar, on a real (virtual) desktop with a
# real Radicale server:
# - sync on and no secret store: the password is asked once, masked;
# - an event written on the server (curl PUT) reaches the running calendar
#   after "今すぐ同期(&Y)" from the tray menu: today's cell then has its
#   balloon, without a restart;
# - a schedule typed in the editor reaches the server a few seconds later;
# - a server that stops answering shows in the tray tip, the program keeps
#   running, and the data file holds both schedules at the end.
#
#   sync_running.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when Radicale or the X server for tests is missing,
# 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/desktop.sh"
desktop_require_tools xwininfo import convert sqlite3 curl
desktop_begin syncrun
. "$(dirname "${BASH_SOURCE[0]}")/radicale.sh"
radicale_require
# A password xdotool types as it is.
RADICALE_PASSWORD=Secret123

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/sync_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/sync_*.png

desktop_start 120 199 || fail "$DESKTOP_ERROR"
PANEL=$(xdotool search --name '^panel$' | head -n1)
radicale_start || fail "Radicale did not start"
desktop_track "$RADICALE_PID"
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || fail "no calendar made: $(cat "$WORK/dav.out")"
COLLECTION="$RADICALE_URL/$RADICALE_USER/cal/"

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
cat > "$SETTINGS" <<INI
[General]
ShowTitle=False
SyncServer=$RADICALE_URL
SyncUser=$RADICALE_USER
SyncCalendar=$COLLECTION
SyncEnabled=true
SyncInterval=30
INI

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"
calendar_window() { month_window "$APP"; }
editor_window() { window_titled "予定編集"; }
password_box() { windows | awk '$4 == "モルヴァ" && $2 > 200 && $3 > 80 && $3 < 300 { print $1 }' | head -n1; }
popup_menu() { windows | awk '$3 > 250 && $2 < 400 { print $1 }' | head -n1; }
tray_icon() { xwininfo -id "$PANEL" -tree | awk '/"Morvane"/ { print $1; exit }'; }

TODAY_Y=$(date +%Y)
TODAY_M=$((10#$(date +%m)))
TODAY_D=$((10#$(date +%d)))
W1=$(($(date -d "$TODAY_Y-$TODAY_M-01" +%w) + 1))
CELL=$((TODAY_D + W1 + 6))
ROW=$(((CELL - 1) / 7))
COLUMN=$(((CELL - 1) % 7 + 1))
cell_centre() {
    eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
    CX=$((X + (84 + 274 * (COLUMN - 1)) / 15 + 7))
    CY=$((Y + (384 + 228 * ROW) / 15 + 7))
}
# The day's balloon: one line for the date, one more per schedule.
balloon_height() { windows | awk '$3 > 30 && $2 > 100 && $4 == "モルヴァ" && $2 != 141 { print $3 }' | head -n1; }
hover_today() {
    cell_centre
    xdotool mousemove $((CX - 3)) $((CY - 2))
    sleep 0.2
    xdotool mousemove "$CX" "$CY"
}
menu_command() {
    local keys=$1
    eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
    TIMEOUT=10 wait_for shows popup_menu || fail "the popup did not open"
    sleep 0.3
    import -window root "$ARTIFACTS/sync_menu_$keys.png"
    xdotool key "$keys"
    sleep 0.3
}
server_has() { grep -rqs "$1" "$RADICALE_STORAGE/collection-root/$RADICALE_USER/cal/"; }

# --- Start: the first run, then the password asked once, not over it -----------
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 2
[ -z "$(password_box)" ] || fail "the password was asked over the first-run window"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape # no initial schedules
TIMEOUT=10 wait_for gone first_run_window || fail "Escape did not close the first-run window"
TIMEOUT=20 wait_for shows password_box || fail "the password was not asked"
sleep 0.5
import -window root "$ARTIFACTS/sync_password.png"
xdotool windowactivate --sync "$(password_box)" > /dev/null 2>&1
xdotool type --delay 40 "$RADICALE_PASSWORD"
xdotool key Return
TIMEOUT=10 wait_for gone password_box || fail "the password box stayed"
TIMEOUT=15 wait_for tray_icon > /dev/null || fail "no tray icon"
hover_today
TIMEOUT=5 wait_for shows balloon_height || fail "no balloon over today"
EMPTY_DAY=$(balloon_height)
xdotool mousemove 1 1

# --- An event written on the server arrives in the running calendar -------------
DAY=$(printf '%04d%02d%02d' "$TODAY_Y" "$TODAY_M" "$TODAY_D")
NEXT=$(date -d "$TODAY_Y-$TODAY_M-$TODAY_D + 1 day" +%Y%m%d)
EVENT="BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:server-one\r\nDTSTAMP:${DAY}T000000Z\r\nDTSTART;VALUE=DATE:$DAY\r\nDTEND;VALUE=DATE:$NEXT\r\nSUMMARY:Server meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"
[ "$(printf "$EVENT" | dav PUT /$RADICALE_USER/cal/server-one.ics -H 'Content-Type: text/calendar' --data-binary @-)" = 201 ] ||
    fail "the server refused the event: $(cat "$WORK/dav.out")"
menu_command y # 今すぐ同期(&Y)
got_balloon() {
    xdotool mousemove 1 1
    sleep 0.3
    hover_today
    sleep 1
    local height
    height=$(balloon_height)
    [ -n "$height" ] && [ "$height" -gt "$EMPTY_DAY" ]
}
TIMEOUT=30 WAIT_STEP=1 wait_for got_balloon || fail "the server's event did not reach today's cell"
sleep 0.3
import -window root "$ARTIFACTS/sync_received.png"
echo "received: today's balloon shows the server's event"
xdotool mousemove 1 1

# --- A schedule typed here reaches the server -------------------------------------
cell_centre
xdotool mousemove "$CX" "$CY" click 1
TIMEOUT=10 wait_for shows editor_window || fail "the editor did not open"
xdotool windowactivate --sync "$(editor_window)" > /dev/null 2>&1
sleep 0.5
xdotool type --delay 60 "Local plan"
xdotool key alt+f
sleep 0.4
xdotool key a # 保存して閉じる
TIMEOUT=10 wait_for gone editor_window || fail "保存して閉じる did not close the editor"
TIMEOUT=40 WAIT_STEP=1 wait_for server_has "Local plan" || fail "the schedule typed here did not reach the server"
echo "sent: the schedule typed here is on the server"

# --- A failing server: the program runs on and the tip says why ------------------
radicale_stop
menu_command y
sleep 3
has_ended "$APP" && fail "the program ended when the server went away"
eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 2
import -window root "$ARTIFACTS/sync_failing.png"

# --- The end: the file holds both ----------------------------------------------------
menu_command x
TIMEOUT=15 wait_for has_ended "$APP" || fail "終了 did not end the program"
[ "$(sqlite3 "$DATA" "SELECT COUNT(*) FROM Schedule WHERE Message IN ('Server meeting', 'Local plan')")" = 2 ] ||
    fail "the data file does not hold both schedules: $(sqlite3 "$DATA" 'SELECT Message FROM Schedule')"
echo "PASS"
