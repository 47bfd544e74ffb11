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
# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/desktop.sh"
desktop_require_tools strace
desktop_begin idle
desktop_start 160 199 || { echo "$DESKTOP_ERROR"; exit 1; }
sleep 1

desktop_copy_program "$BINARY" "$WORK/program"
"$WORK/program/morvane" > "$WORK/morvane.log" 2>&1 &
APP=$!
desktop_track $APP
sleep 5 # start-up, first paint, the first-run window

switches() {
    local task
    for task in "/proc/$APP/task"/*; do
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
strace -f -tt -p "$APP" -o "$WORK/strace" 2> /dev/null &
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
grep -E "^$APP " "$WORK/strace" | grep -vE 'resumed|unfinished' | cut -c1-110 | sed 's/^/  /' | head -40
