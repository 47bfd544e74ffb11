#!/bin/bash
# The real program on a real (virtual) desktop: first run in an empty
# program folder, a refused second copy, and settings kept on SIGTERM.
#
#   first_run.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import
desktop_begin e2e

fail() {
    echo "FAIL: $*"
    desktop_failure_report "$ARTIFACTS/failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/*.png

# --- A desktop of our own --------------------------------------------------
desktop_start 120 199 || fail "$DESKTOP_ERROR"

# --- First run ---------------------------------------------------------------
PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"

"$PROGRAM/morvane" > "$WORK/first.log" 2>&1 &
FIRST=$!
desktop_track $FIRST

TIMEOUT=20 wait_for test -f "$PROGRAM/Morva.dat" || fail "Morva.dat was not created"

calendar_window() { month_window "$FIRST"; }
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
sleep 1 # let the first paint settle before the picture
import -window root "$ARTIFACTS/first_run.png" || fail "no screenshot"
echo "month window $(calendar_window), screenshot $ARTIFACTS/first_run.png"

[ -f "$SETTINGS" ] && fail "settings were written before the end of the run"

# --- Second copy ---------------------------------------------------------------
snapshot() {
    find "$PROGRAM" "$XDG_CONFIG_HOME" -type f ! -name 'Morva.dat-journal' \
        -printf '%p %s %T@\n' 2> /dev/null | sort
}
BEFORE=$(snapshot)

"$PROGRAM/morvane" > "$WORK/second.log" 2>&1 &
SECOND=$!
desktop_track $SECOND

refusal_window() { xdotool search --onlyvisible --pid "$SECOND" 2> /dev/null | head -n1; }
TIMEOUT=15 wait_for shows refusal_window || fail "the second copy showed no message"
BOX=$(refusal_window)
[ "$(xdotool getwindowname "$BOX")" = "モルヴァ" ] || fail "the message box has the wrong caption"
import -window root "$ARTIFACTS/second_copy.png"
# OK, as a user would press it.
xdotool windowactivate --sync "$BOX" key Return > /dev/null 2>&1
TIMEOUT=10 wait_for has_ended "$SECOND" || fail "the second copy did not end"
wait "$SECOND"
echo "second copy refused, exit code $?"
[ "$(snapshot)" = "$BEFORE" ] || fail "the second copy changed files: $(diff <(echo "$BEFORE") <(snapshot))"
kill -0 "$FIRST" 2> /dev/null || fail "the first copy died"

# --- SIGTERM keeps the settings ------------------------------------------------
kill -TERM "$FIRST"
TIMEOUT=15 wait_for has_ended "$FIRST" || fail "SIGTERM did not end the program"
wait "$FIRST"
STATUS=$?
[ $STATUS -eq 0 ] || fail "the program ended with status $STATUS after SIGTERM"
[ -f "$SETTINGS" ] || fail "the settings file was not written"
grep -q '^CalendarSize=3$' "$SETTINGS" || fail "the settings file lacks CalendarSize"
grep -q '^Version=' "$SETTINGS" || fail "the settings file lacks Version"
# No compositing manager runs here, so window opacity would not show: the
# first run must fall back to the copied desktop instead of a solid box.
grep -q '^TransparencyEx=False$' "$SETTINGS" || fail "translucency chosen without a compositor"
grep -q '^Transparency=True$' "$SETTINGS" || fail "the desktop copy was not chosen"
[ -f "$PROGRAM/Morva.dat" ] || fail "Morva.dat went missing"
[ -e "$PROGRAM/Morva.dat-journal" ] && fail "the data file was not closed"

echo "PASS"
