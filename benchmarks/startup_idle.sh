#!/bin/bash
# How often the idle program wakes up: starts it under Xvfb with openbox and
# trayer, lets it settle, then watches it for a while without touching it.
# Prints, per thread, the context switches it made (each wake-up is one) and
# the system calls strace saw.
#
#   benchmarks/startup_idle.sh <build folder> [seconds]
set -u

BUILD=${1:?usage: startup_idle.sh <build folder> [seconds]}
SECONDS_WATCHED=${2:-30}
BINARY="$BUILD/bin/morvane"
[ -x "$BINARY" ] || { echo "missing $BINARY"; exit 1; }
command -v strace > /dev/null || { echo "strace is not installed"; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-idle.XXXXXX")
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

for n in $(seq 160 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
    XVFB=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    if kill -0 "$XVFB" 2> /dev/null && [ -S "/tmp/.X11-unix/X$n" ]; then
        PIDS+=("$XVFB")
        export DISPLAY=":$n"
        break
    fi
done
[ -n "${DISPLAY:-}" ] || { echo "Xvfb did not start"; exit 1; }

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
openbox > "$WORK/openbox.log" 2>&1 &
PIDS+=($!)
trayer --edge top --align right --widthtype pixel --width 120 --height 24 > "$WORK/trayer.log" 2>&1 &
PIDS+=($!)
sleep 1

mkdir -p "$WORK/program"
cp "$BINARY" "$WORK/program/morvane"
"$WORK/program/morvane" > "$WORK/morvane.log" 2>&1 &
PROGRAM=$!
PIDS+=($PROGRAM)
sleep 5 # start-up, first paint, the first-run window

switches() {
    local task
    for task in /proc/$PROGRAM/task/*; do
        printf '%s %s %s\n' "${task##*/}" "$(cat "$task/comm")" \
            "$(awk '/^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {n=$2} END {print v+n}' "$task/status")"
    done | sort
}
switches > "$WORK/before"
sleep "$SECONDS_WATCHED"
switches > "$WORK/after"
echo "context switches per thread in $SECONDS_WATCHED s of idling (nothing attached):"
join "$WORK/before" "$WORK/after" | awk '{printf "  %-8s %-16s %d\n", $1, $2, $5 - $3}'

# Then the same span under strace: what each wake-up did, with times.
strace -f -tt -p "$PROGRAM" -o "$WORK/strace" 2> /dev/null &
STRACE=$!
sleep "$SECONDS_WATCHED"
kill -INT $STRACE
wait $STRACE 2> /dev/null
echo "wake-ups seen by strace in $SECONDS_WATCHED s (poll/ppoll returns per thread):"
grep -E 'poll\(.*= [0-9]+|<\.\.\. (poll|ppoll) resumed>' "$WORK/strace" |
    awk '{print $1}' | sort | uniq -c | sed 's/^/  /'
echo "system calls by name:"
grep -oE '^[0-9]+ +[0-9:.]+ ([a-z_0-9]+)\(' "$WORK/strace" | awk '{print $3}' | sort | uniq -c |
    sort -rn | sed 's/^/  /'
echo "timeline of the main thread:"
grep -E "^$PROGRAM " "$WORK/strace" | grep -vE 'resumed|unfinished' | cut -c1-110 | sed 's/^/  /' | head -40
