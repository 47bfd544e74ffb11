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

if ! command -v Xvfb > /dev/null; then
    echo "SKIP: Xvfb is not installed"
    exit 77
fi
for tool in openbox trayer xdotool xwininfo import; do
    command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-e2e.XXXXXX")
PIDS=()

cleanup() {
    local pid
    # Newest first: the program before the desktop it runs on.
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        pid=${PIDS[i]}
        if kill -0 "$pid" 2> /dev/null; then
            kill -TERM "$pid" 2> /dev/null
            for _ in $(seq 20); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
            kill -KILL "$pid" 2> /dev/null
        fi
        wait "$pid" 2> /dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP # so that the cleanup runs then too

fail() {
    echo "FAIL: $*"
    [ -n "${DISPLAY:-}" ] && import -window root "$ARTIFACTS/failure.png" 2> /dev/null
    for log in "$WORK"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
    done
    exit 1
}

# Polls "$@" every 0.1 s for up to $TIMEOUT seconds.
wait_for() {
    local deadline=$((SECONDS + ${TIMEOUT:-15}))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/*.png

# --- A desktop of our own --------------------------------------------------
start_xvfb() {
    local n
    for n in $(seq 120 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
        XVFB=$!
        # The display is ours when the server's lock file names our process.
        if TIMEOUT=10 wait_for bash -c "[ -S /tmp/.X11-unix/X$n ] || ! kill -0 $XVFB 2> /dev/null" &&
            kill -0 "$XVFB" 2> /dev/null &&
            [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2> /dev/null)" = "$XVFB" ]; then
            PIDS+=("$XVFB")
            export DISPLAY=":$n"
            return 0
        fi
        wait "$XVFB" 2> /dev/null # lost the race for that number: try the next
    done
    return 1
}
start_xvfb || fail "Xvfb did not start"

export HOME="$WORK/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$WORK/runtime"
export QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

openbox > "$WORK/openbox.log" 2>&1 &
PIDS+=($!)
trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
    > "$WORK/trayer.log" 2>&1 &
PIDS+=($!)
TIMEOUT=10 wait_for xdotool search --class trayer > /dev/null || fail "trayer did not start"

# --- First run ---------------------------------------------------------------
PROGRAM="$WORK/program"
mkdir -p "$PROGRAM"
cp "$BINARY" "$PROGRAM/morvane"
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"

"$PROGRAM/morvane" > "$WORK/first.log" 2>&1 &
FIRST=$!
PIDS+=($FIRST)

TIMEOUT=20 wait_for test -f "$PROGRAM/Morva.dat" || fail "Morva.dat was not created"

# The month window: frameless, 2108 x 2070 twips at the default size, that is
# about 140 x 138 pixels at 96 dots per inch.
calendar_window() {
    local id geometry
    for id in $(xdotool search --onlyvisible --pid "$FIRST" 2> /dev/null); do
        geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
        local w=${geometry%x*} h=${geometry#*x}
        if [ "$w" -ge 130 ] && [ "$w" -le 150 ] && [ "$h" -ge 128 ] && [ "$h" -le 148 ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
TIMEOUT=20 wait_for calendar_window > /dev/null || fail "the month window did not show"
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
PIDS+=($SECOND)

refusal_window() { xdotool search --onlyvisible --pid "$SECOND" 2> /dev/null | head -n1; }
has_refusal_window() { [ -n "$(refusal_window)" ]; }
TIMEOUT=15 wait_for has_refusal_window || fail "the second copy showed no message"
BOX=$(refusal_window)
[ "$(xdotool getwindowname "$BOX")" = "モルヴァ" ] || fail "the message box has the wrong caption"
import -window root "$ARTIFACTS/second_copy.png"
# OK, as a user would press it.
xdotool windowactivate --sync "$BOX" key Return > /dev/null 2>&1
TIMEOUT=10 wait_for bash -c "! kill -0 $SECOND 2> /dev/null" || fail "the second copy did not end"
wait "$SECOND"
echo "second copy refused, exit code $?"
[ "$(snapshot)" = "$BEFORE" ] || fail "the second copy changed files: $(diff <(echo "$BEFORE") <(snapshot))"
kill -0 "$FIRST" 2> /dev/null || fail "the first copy died"

# --- SIGTERM keeps the settings ------------------------------------------------
kill -TERM "$FIRST"
TIMEOUT=15 wait_for bash -c "! kill -0 $FIRST 2> /dev/null" || fail "SIGTERM did not end the program"
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
