#!/bin/bash
# Pictures of the options window's 同期 page on a real (virtual) desktop:
# the real program against a local Radicale holding two calendars with
# different display names, before and after "カレンダーを検索", and a search
# with a wrong password; then the status line after a success and after a
# failure, shown by sync_page_show with a status set by hand; and a search
# over TLS with a self-signed certificate, before and after its fingerprint
# is confirmed.
#
#   sync_page_screenshots.sh <morvane binary> <sync_page_show binary> <folder for pictures>
#
# Exit 0 on success, 77 when Xvfb or Radicale is not installed, 1 on failure.
set -u

BINARY=$1
SHOW=$2
ARTIFACTS=$3

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/desktop.sh"
desktop_require_tools xwininfo import
desktop_begin syncpage
# shellcheck source=tests/sync/radicale.sh
. "$(dirname "${BASH_SOURCE[0]}")/../sync/radicale.sh"
radicale_require

fail() {
    echo "FAIL: $*"
    desktop_failure_report "$ARTIFACTS/sync_page_failure.png"
    exit 1
}
trap 'radicale_stop; desktop_cleanup' EXIT

mkdir -p "$ARTIFACTS"
radicale_start || fail "Radicale did not start"
calendar() { # path display-name
    dav MKCALENDAR "$1" -H 'Content-Type: application/xml' --data-binary \
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop><d:displayname>$2</d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/></c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>"
}
[ "$(calendar /$RADICALE_USER/work/ 仕事)" = 201 ] || fail "no calendar 仕事"
[ "$(calendar /$RADICALE_USER/family/ 家族)" = 201 ] || fail "no calendar 家族"

desktop_start 120 199 || fail "$DESKTOP_ERROR"
PANEL=$(xdotool search --name '^panel$' | head -n1)
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nCalendarBox=False\n' > "$SETTINGS"
PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
tray_icon() { xwininfo -id "$PANEL" -tree | awk '/"Morvane"/ { print $1; exit }'; }
popup_menu() { windows | awk '$3 > 250 && $2 < 400 { print $1 }' | head -n1; }
options_window() { window_named "オプション設定"; }
shot() { sleep 1; import -window root "$ARTIFACTS/$1"; }

start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape
TIMEOUT=15 wait_for shows tray_icon || fail "no tray icon"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
TIMEOUT=10 wait_for shows popup_menu || fail "the popup did not open"
xdotool key o
TIMEOUT=10 wait_for shows options_window || fail "the options window did not open"
OPT=$(options_window)
xdotool windowactivate --sync "$OPT" > /dev/null 2>&1
xdotool windowmove "$OPT" 20 40
sleep 1
# The last page: one step back from the first.
xdotool key ctrl+shift+Tab
sleep 0.5
xdotool key alt+s
xdotool type --delay 20 "$RADICALE_URL/"
xdotool key alt+u
xdotool type --delay 20 "$RADICALE_USER"
xdotool key alt+p
xdotool type --delay 20 "wrong"
shot sync_page_before_search.png
xdotool key Tab space
sleep 2
shot sync_page_search_failed.png
xdotool key alt+p ctrl+a
xdotool type --delay 20 "$RADICALE_PASSWORD"
xdotool key Tab space
sleep 2
shot sync_page_after_search.png
xdotool key alt+c alt+Down
sleep 0.5
shot sync_page_calendar_list.png
xdotool key Escape
kill "$APP"

# The status line: after a success and after a failure.
STORE="$WORK/show.ini"
printf '[General]\nSyncServer=%s/\nSyncUser=%s\nSyncCalendar=%s/%s/work/\nSyncEnabled=true\nSyncInterval=30\n' \
    "$RADICALE_URL" "$RADICALE_USER" "$RADICALE_URL" "$RADICALE_USER" > "$STORE"
status_shot() { # file line [failing]
    "$SHOW" "$STORE" "${@:2}" > "$WORK/show.log" 2>&1 &
    local pid=$!
    desktop_track $pid
    TIMEOUT=10 wait_for shows xdotool search --onlyvisible --pid $pid > /dev/null
    xdotool windowmove "$(xdotool search --onlyvisible --pid $pid | head -n1)" 20 40
    shot "$1"
    kill $pid
}
status_shot sync_page_status_success.png "12:04 同期しました（送信 3件、受信 1件）"
status_shot sync_page_status_failure.png \
    "12:34 同期できませんでした：サーバー 127.0.0.1 に接続を拒否されました。" failing

# A self-signed certificate: refused with its fingerprint, then confirmed.
radicale_stop
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=127.0.0.1" \
    -addext "subjectAltName=IP:127.0.0.1" -keyout "$WORK/tls.key" -out "$WORK/tls.pem" \
    2> /dev/null || fail "no certificate made"
radicale_start "$WORK/tls.pem" "$WORK/tls.key" || fail "Radicale over TLS did not start"
printf '[General]\n' > "$STORE"
"$SHOW" "$STORE" > "$WORK/show.log" 2>&1 &
SHOW_PID=$!
desktop_track $SHOW_PID
TIMEOUT=10 wait_for shows xdotool search --onlyvisible --pid $SHOW_PID > /dev/null
SHOWN=$(xdotool search --onlyvisible --pid $SHOW_PID | head -n1)
xdotool windowmove "$SHOWN" 20 40
xdotool windowactivate --sync "$SHOWN" > /dev/null 2>&1
xdotool key alt+s
xdotool type --delay 20 "$RADICALE_URL/"
xdotool key alt+u
xdotool type --delay 20 "$RADICALE_USER"
xdotool key alt+p
xdotool type --delay 20 "$RADICALE_PASSWORD"
xdotool key Tab space
sleep 2
shot sync_page_untrusted_certificate.png
xdotool key alt+t
sleep 2
shot sync_page_certificate_trusted.png
echo "PASS"
