#!/bin/bash
# The tray icon on a status-notifier panel (the tray of KDE Plasma, of
# GNOME's AppIndicator extension, of xfce4-panel and waybar), on a session
# bus of its own with a watcher and panel written for the test
# (sni_host.py) and no docking tray at all: the icon registers with its tip
# and its pictures; its menu, read as a panel reads it, lists the tray
# menu's items with the state of the moment it opens; a left click keeps
# its meaning; "終了" chosen there ends the program with status 0; a panel
# that starts two seconds after the program, or restarts, still gets the
# icon, and so does a docking tray that starts after it.
#
#   tray_sni.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

HOST_PY="$(dirname "${BASH_SOURCE[0]}")/sni_host.py"

# A bus of our own for the whole run: the program and the panel meet there,
# and nothing of the caller's session is seen.
if [ -z "${MORVANE_TRAY_SNI_BUS:-}" ]; then
    command -v dbus-run-session > /dev/null || { echo "FAIL: dbus-run-session is not installed"; exit 1; }
    MORVANE_TRAY_SNI_BUS=1 exec dbus-run-session -- bash "${BASH_SOURCE[0]}" "$@" 2> >(grep -v 'fd limit' >&2)
fi
BUS=$DBUS_SESSION_BUS_ADDRESS

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import dbus-send
/usr/bin/python3 -c 'import dbus, gi' 2> /dev/null || { echo "FAIL: python3-dbus and python3-gi are not installed"; exit 1; }
desktop_begin tray-sni

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; windows; }
    desktop_failure_report "$ARTIFACTS/tray_sni_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/tray_sni_*.png

# --- A desktop without a docking tray ------------------------------------------
desktop_start_xvfb 120 199 || fail "Xvfb did not start"
desktop_session_env
export DBUS_SESSION_BUS_ADDRESS=$BUS
desktop_start_openbox

SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nIconClickView=True\nShowDayIcon=True\n' > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
calendar_window() { month_window "$APP"; }

# The panel: sni_host.py watching, with the items that registered in "$ITEM"S.
PANEL_PID=
start_panel() {
    ITEMS="$WORK/items$1"
    /usr/bin/python3 "$HOST_PY" watch "$ITEMS" > "$WORK/panel$1.log" 2>&1 &
    PANEL_PID=$!
    desktop_track $PANEL_PID
    TIMEOUT=10 wait_for watcher_on_bus || fail "the test's status-notifier watcher did not start"
}
stop_panel() {
    kill -TERM "$PANEL_PID"
    wait "$PANEL_PID" 2> /dev/null
    TIMEOUT=10 wait_for watcher_gone || fail "the watcher did not stop"
}
watcher_on_bus() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.kde.StatusNotifierWatcher 2> /dev/null | grep -q 'boolean true'
}
watcher_gone() { ! watcher_on_bus; }
item() { head -n1 "$ITEMS" 2> /dev/null; }
host() { /usr/bin/python3 "$HOST_PY" "$@"; }
# The id of the menu entry whose label begins with $1.
entry() { host menu "$ITEM" | awk -F'\t' -v label="$1" 'index($2, label) == 1 { gsub(/ /, "", $1); print $1; exit }'; }

exit_by_panel_menu() {
    local id
    id=$(entry "終了(_X)")
    [ -n "$id" ] || fail "no 終了 in the panel's menu"
    host click "$ITEM" "$id" || fail "the panel could not click 終了"
    TIMEOUT=15 wait_for has_ended "$APP" || fail "終了 from the panel's menu did not end the program"
    wait "$APP"
    STATUS=$?
    [ $STATUS -eq 0 ] || fail "the program ended with status $STATUS"
}

# --- The panel first: the icon registers with its menu ---------------------------
start_panel 1
start_program 1
TIMEOUT=20 wait_for shows first_run_window || fail "the first-run window did not show"
xdotool windowactivate --sync "$(first_run_window)" > /dev/null 2>&1
xdotool key Escape # no initial schedules
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
TIMEOUT=15 wait_for shows item || fail "no item registered with the watcher"
ITEM=$(item)
echo "item: $ITEM"

PROPS=$(host props "$ITEM") || fail "the item does not answer"
echo "$PROPS" | grep -E '^(Menu|ToolTip|IconPixmap|Status)='
MENU_PATH=$(echo "$PROPS" | sed -n 's/^Menu=//p')
{ [ -n "$MENU_PATH" ] && [ "$MENU_PATH" != /NO_DBUSMENU ]; } || fail "the item publishes no menu ($MENU_PATH)"
echo "$PROPS" | grep -q '^ToolTip=.*年.*月.*日' || fail "the tip does not show today: $(echo "$PROPS" | grep ToolTip)"
# The pictures at the sizes panels ask for, 44 pixels for a 22-point panel
# at scale 2 among them, each drawn at its size.
echo "$PROPS" | grep -q '^IconPixmap=.*22x22.*44x44' || fail "no 22 and 44 pixel pictures"

MENU=$(host menu "$ITEM") || fail "the menu does not answer"
echo "$MENU"
for label in "新規予定作成(_S)..." "今日の予定(_E)..." "モルヴァの表示(_P) [x]" "Viewerを開く(_V)..." \
    "常に手前に表示(_T)" "ヘルプ(_H)" "終了(_X)"; do
    echo "$MENU" | grep -qF -- "$label" || fail "the menu lacks $label"
done
echo "$MENU" | grep -q $'^  [0-9]*\tバージョン情報(_A)...' || fail "the help submenu lacks its items"
import -window root "$ARTIFACTS/tray_sni_calendar.png"

# The same menu, now published on the bus, still opens on the calendar itself.
popup_menu() { windows | awk '$3 > 250 && $2 < 400 { print $1 }' | head -n1; }
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
TIMEOUT=10 wait_for shows popup_menu || fail "a right click on the calendar opened no menu"
import -window root "$ARTIFACTS/tray_sni_calendar_menu.png"
xdotool key Escape
TIMEOUT=10 wait_for gone popup_menu || fail "Escape did not close the calendar's menu"

# A left click on the icon hides the calendar (IconClickView); the menu then
# shows モルヴァの表示 without its tick.
host activate "$ITEM" || fail "the item does not take a left click"
TIMEOUT=10 wait_for gone calendar_window || fail "a left click on the icon did not hide the calendar"
host menu "$ITEM" | grep -q $'\tモルヴァの表示(_P)$' || fail "モルヴァの表示 kept its tick"
host activate "$ITEM"
TIMEOUT=10 wait_for shows calendar_window || fail "a second left click did not show the calendar"

exit_by_panel_menu
echo "panel first: the item registered, its menu ended the program"

# --- The panel two seconds after the program, then a panel that restarts ---------
stop_panel
start_program 2
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show (second run)"
sleep 2
start_panel 2
TIMEOUT=15 wait_for shows item || fail "a panel started after the program got no icon"
ITEM=$(item)
echo "late panel: item $ITEM"
host menu "$ITEM" | grep -qF "終了(_X)" || fail "the late panel's menu lacks 終了"

stop_panel
start_panel 3
TIMEOUT=15 wait_for shows item || fail "a restarted panel got no icon"
ITEM=$(item)
echo "restarted panel: item $ITEM"
import -window root "$ARTIFACTS/tray_sni_late_panel.png"
exit_by_panel_menu

# --- No panel at all, then a docking tray that starts after the program ----------
stop_panel
start_program 3
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show (third run)"
sleep 2
desktop_start_trayer || fail "trayer did not start"
TRAY=$(xdotool search --name '^panel$' | head -n1)
docked() { xwininfo -id "$TRAY" -tree | awk '/"Morvane"/ { print $1; exit }'; }
TIMEOUT=15 wait_for shows docked || fail "a docking tray started after the program got no icon"
eval "$(xdotool getwindowgeometry --shell "$(docked)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
TIMEOUT=10 wait_for shows popup_menu || fail "the docked icon's menu did not open"
sleep 0.3
import -window root "$ARTIFACTS/tray_sni_late_dock.png"
xdotool key x
TIMEOUT=15 wait_for has_ended "$APP" || fail "終了 from the docked icon did not end the program"
wait "$APP"
STATUS=$?
[ $STATUS -eq 0 ] || fail "the program ended with status $STATUS"
echo "PASS"
