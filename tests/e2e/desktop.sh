# shellcheck shell=bash
# A virtual desktop of our own for scripts that run the real program: an X
# server (Xvfb), a window manager (openbox), a system tray (trayer), a home
# folder of its own and a copy of the program in a folder of its own. Every
# process started here ends, and every file goes, when the script exits,
# fails or is interrupted.
#
# Source it, then:
#   desktop_require_tools import xwininfo    # 77 when there is no Xvfb
#   desktop_begin e2e                        # $WORK, cleanup on any exit
#   desktop_start 120 199 || fail "$DESKTOP_ERROR"
#       (or its parts: desktop_start_xvfb, desktop_session_env,
#        desktop_start_openbox, desktop_start_trayer)
#   desktop_copy_program "$BINARY" "$WORK/program"
#   "$WORK/program/morvane" & desktop_track $!
#
# Variables it sets: WORK (the run's temporary folder), PIDS (the processes
# to end, oldest first), DISPLAY, DESKTOP_ERROR. It reads TIMEOUT and
# WAIT_STEP (see wait_for).

# Exits 77 (skipped) when Xvfb is missing, 1 when a tool the desktop or the
# script needs is missing. Arguments: the script's own extra tools.
desktop_require_tools() {
    if ! command -v Xvfb > /dev/null; then
        echo "SKIP: Xvfb is not installed"
        exit 77
    fi
    local tool
    for tool in openbox trayer xdotool "$@"; do
        command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
    done
}

# Creates the run's folder $WORK (named after $1) and sets the cleanup for
# every way the script can end. A DISPLAY inherited from the caller is
# dropped: nothing here may draw on, or take pictures of, the caller's own
# desktop.
desktop_begin() {
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-$1.XXXXXX") || exit 1
    PIDS=()
    unset DISPLAY
    trap desktop_cleanup EXIT
    trap 'exit 1' INT TERM HUP # so that the cleanup runs then too
}

# Adds a background process to those the cleanup ends.
desktop_track() {
    PIDS+=("$1")
}

# Ends the tracked processes newest first (the program before the desktop it
# runs on): SIGTERM, two seconds of grace, then SIGKILL. Then removes $WORK.
desktop_cleanup() {
    local i pid
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

# Runs "$@" every $WAIT_STEP seconds (0.1) until it succeeds; fails after
# $TIMEOUT seconds (15).
wait_for() {
    local deadline=$((SECONDS + ${TIMEOUT:-15}))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep "${WAIT_STEP:-0.1}"
    done
}

# wait_for takes a command; these turn finders and processes into tests.
shows() { [ -n "$("$@")" ]; }
gone() { [ -z "$("$@")" ]; }
has_ended() { ! kill -0 "$1" 2> /dev/null; }

# Starts Xvfb on the first free display numbered $1 to $2, with a screen of
# $3 (1024x768x24), and exports DISPLAY. Fails when no display could be had.
desktop_start_xvfb() {
    local first=$1 last=$2 screen=${3:-1024x768x24} n xvfb
    for n in $(seq "$first" "$last"); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # -noreset: a server resets when its last client leaves, and one
        # that is resetting turns away whoever connects then. A wait_for
        # poll may be that last client while openbox and trayer are still
        # starting.
        Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -noreset > "$WORK/xvfb.log" 2>&1 &
        xvfb=$!
        # Another run may take the same number at the same moment: the
        # display is ours when the server's lock file names our process.
        if TIMEOUT=10 wait_for _desktop_xvfb_settled "$n" "$xvfb" &&
            kill -0 "$xvfb" 2> /dev/null &&
            [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2> /dev/null)" = "$xvfb" ]; then
            desktop_track "$xvfb"
            export DISPLAY=":$n"
            return 0
        fi
        kill -TERM "$xvfb" 2> /dev/null # lost the race for that number: try the next
        wait "$xvfb" 2> /dev/null
    done
    return 1
}

# The server of display $1 listens, or our server $2 has given up.
_desktop_xvfb_settled() {
    [ -S "/tmp/.X11-unix/X$1" ] || ! kill -0 "$2" 2> /dev/null
}

# A session of its own inside $WORK: settings, data and caches of the run
# never touch the user's, and no session manager or bus of the caller is used.
desktop_session_env() {
    export HOME="$WORK/home"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache"
    export XDG_RUNTIME_DIR="$WORK/runtime"
    export QT_QPA_PLATFORM=xcb
    unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

desktop_start_openbox() {
    openbox > "$WORK/openbox.log" 2>&1 &
    desktop_track $!
}

# A tray, 120 x 24 pixels at the top right; fails when its panel has not
# shown within ten seconds.
desktop_start_trayer() {
    trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
        > "$WORK/trayer.log" 2>&1 &
    desktop_track $!
    TIMEOUT=10 wait_for xdotool search --class trayer > /dev/null
}

# The whole desktop at once: Xvfb on a display numbered $1 to $2 (screen
# $3), the session, openbox and the tray. On failure DESKTOP_ERROR says
# which part did not start.
# shellcheck disable=SC2034 # DESKTOP_ERROR is for the caller
desktop_start() {
    DESKTOP_ERROR=
    desktop_start_xvfb "$@" || { DESKTOP_ERROR="Xvfb did not start"; return 1; }
    desktop_session_env
    desktop_start_openbox
    desktop_start_trayer || { DESKTOP_ERROR="trayer did not start"; return 1; }
}

# Copies the program $1 into the folder $2 as "morvane": it keeps its data
# file next to itself, so each run gets an empty program folder.
desktop_copy_program() {
    mkdir -p "$2"
    cp "$1" "$2/morvane"
    # The sound module, loaded from beside the program on the first playback.
    if [ -e "$(dirname "$1")/morvane-sound.so" ]; then
        cp "$(dirname "$1")/morvane-sound.so" "$2/"
    fi
}

# Visible windows of process $1: "id width height name" per line.
desktop_windows() {
    local id geometry
    for id in $(xdotool search --onlyvisible --pid "$1" 2> /dev/null); do
        geometry=$(xdotool getwindowgeometry "$id" 2> /dev/null | sed -n 's/.*Geometry: //p')
        [ -n "$geometry" ] || continue
        echo "$id ${geometry%x*} ${geometry#*x} $(xdotool getwindowname "$id" 2> /dev/null)"
    done
}

# What a failed run leaves to look at: a picture of the screen in $1 (when
# the desktop is up) and the end of every log of the run.
desktop_failure_report() {
    local log
    [ -n "${DISPLAY:-}" ] && import -window root "$1" 2> /dev/null
    for log in "$WORK"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
    done
}

# The month window of process $1: frameless, 2108 x 2070 twips at the default
# size, that is about 140 x 138 pixels at 96 dots per inch.
month_window() {
    desktop_windows "$1" | awk '$2 >= 130 && $2 <= 150 && $3 >= 128 && $3 <= 148 { print $1 }' | head -n1
}

# --- One copy of the program under test ----------------------------------------
# The scripts copy the program to $PROGRAM; start_program N runs it with its
# output in $WORK/runN.log and remembers it as $APP.
APP=
start_program() {
    "$PROGRAM/morvane" > "$WORK/run$1.log" 2>&1 &
    APP=$!
    desktop_track $APP
}
# The program's windows: id, width, height, title.
windows() { desktop_windows "$APP"; }
# The first window titled exactly $1 (nothing appended by the window system).
window_named() { windows | awk -v name="$1" '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == name) print id }' | head -n1; }
# The first window whose title begins with $1.
window_titled() { windows | awk -v name="$1" '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if (index($0, name) == 1) print id }' | head -n1; }
# The first-run window offering the initial schedule set.
first_run_window() { windows | awk '$4 == "モルヴァ" && $3 > 300 { print $1 }' | head -n1; }
