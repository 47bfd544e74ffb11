#!/bin/bash
# The data file on a real (virtual) desktop when things go wrong:
# - the first-run import of Cal.ini killed (SIGKILL) or terminated (SIGTERM)
#   while its warning is open leaves no Morva.dat, and the next start imports
#   every entry exactly once;
# - a Morva.dat in a program folder that cannot be written is named in a
#   message and nothing is created anywhere else.
#
#   data_file_safety.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import sqlite3 iconv
desktop_begin safety

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; desktop_windows "$APP"; }
    desktop_failure_report "$ARTIFACTS/safety_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/safety_*.png

desktop_start 120 199 || fail "$DESKTOP_ERROR"
PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
# No start-up window: the warning is then the program's only window.
printf '[General]\nShowTitle=False\n' > "$SETTINGS"

# Five entries to import and one fifth-week entry that brings the warning.
printf '%s\r\n' '2026/12/08,"会議, 本社",12,"09:30"' '9999/99/15,給料日,0,' \
    '9999/06/5fri,第5金曜の会,0,' '9999/01/2mon,成人の日,12,' '1950/05/05,こどもの日,12,"07:00"' \
    '9999/03/Vernal,春分の日,12,' | iconv -f UTF-8 -t CP932 > "$PROGRAM/Cal.ini"

APP=
start_program() {
    "$PROGRAM/morvane" > "$WORK/run$1.log" 2>&1 &
    APP=$!
    desktop_track $APP
}
any_window() { desktop_windows "$APP" | awk '{ print $1 }' | head -n1; }
calendar_window() { month_window "$APP"; }
leftovers() { find "$PROGRAM" -name 'Morva.dat*' | sort; }

# --- Killed while the warning is open ----------------------------------------------
for signal in KILL TERM; do
    start_program "$signal"
    TIMEOUT=20 wait_for shows any_window || fail "no warning during the import"
    sleep 0.5
    [ "$signal" = KILL ] && import -window root "$ARTIFACTS/safety_import_warning.png"
    kill -"$signal" "$APP"
    TIMEOUT=15 wait_for has_ended "$APP" || fail "SIG$signal did not end the program"
    wait "$APP"
    STATUS=$?
    [ -e "$DATA" ] && fail "SIG$signal during the import left a Morva.dat"
    if [ "$signal" = TERM ]; then
        [ $STATUS -eq 0 ] || fail "SIGTERM during the import ended with status $STATUS"
        [ -z "$(leftovers)" ] || fail "SIGTERM during the import left $(leftovers)"
    fi
    echo "SIG$signal during the import warning: status $STATUS, no Morva.dat"
done

# --- The next start imports everything once ------------------------------------------
start_program again
TIMEOUT=20 wait_for shows any_window || fail "no warning during the second import"
xdotool windowactivate --sync "$(any_window)" key Return > /dev/null 2>&1
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show after the import"
kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP" || fail "the program ended with status $?"
[ "$(leftovers)" = "$DATA" ] || fail "files left beside the data file: $(leftovers)"
MESSAGES=$(sqlite3 "$DATA" 'SELECT Message FROM Schedule ORDER BY rowid' | tr '\n' '|')
[ "$MESSAGES" = "会議, 本社|給料日|成人の日|こどもの日|春分の日|" ] ||
    fail "not every entry imported exactly once: $MESSAGES"
echo "second start: the five entries imported once each"

# --- A program folder that cannot be written, holding the data ------------------------
# Permission bits do not bind root, so root runs the program as nobody.
INSTALLED="$WORK/installed"
USER_HOME="$WORK/user-home"
mkdir -p "$INSTALLED" "$USER_HOME" "$WORK/user-runtime"
cp "$PROGRAM/morvane" "$DATA" "$INSTALLED/"
chmod 755 "$WORK"
chmod 555 "$INSTALLED"
chmod 444 "$INSTALLED/Morva.dat"
chmod 700 "$WORK/user-runtime"
AS_USER=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$USER_HOME" "$WORK/user-runtime"
    AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
BEFORE=$(ls -l --time-style=+%s.%N "$INSTALLED")
HOME="$USER_HOME" XDG_CONFIG_HOME="$USER_HOME/.config" XDG_DATA_HOME="$USER_HOME/.local/share" \
    XDG_CACHE_HOME="$USER_HOME/.cache" XDG_RUNTIME_DIR="$WORK/user-runtime" \
    "${AS_USER[@]}" "$INSTALLED/morvane" > "$WORK/readonly.log" 2>&1 &
APP=$!
desktop_track $APP
TIMEOUT=20 wait_for shows any_window || fail "no message for the data file that cannot be written"
# The box may still be mapping when first seen (slow under the sanitizers):
# its caption is read once it is listed with one.
named_box() { desktop_windows "$APP" | awk '$4 == "モルヴァ" { print $1 }' | head -n1; }
TIMEOUT=10 wait_for shows named_box || fail "the message has the wrong caption: $(desktop_windows "$APP")"
BOX=$(named_box)
sleep 0.5
import -window root "$ARTIFACTS/safety_read_only.png"
calendar_window > /dev/null && [ -n "$(calendar_window)" ] && fail "the calendar came up anyway"
xdotool windowactivate --sync "$BOX" key Return > /dev/null 2>&1
TIMEOUT=10 wait_for has_ended "$APP" || fail "the program did not end after the message"
wait "$APP"
STATUS=$?
[ $STATUS -ne 0 ] || fail "the refused start ended with status 0"
[ "$(ls -l --time-style=+%s.%N "$INSTALLED")" = "$BEFORE" ] || fail "the program folder changed"
[ -z "$(find "$USER_HOME" -name 'Morva*' -o -name 'Quillstone' -print)" ] ||
    fail "files were created elsewhere: $(find "$USER_HOME" -name 'Morva*' -o -name 'Quillstone')"
echo "read-only program folder: message shown, status $STATUS, nothing created"

echo "PASS"
