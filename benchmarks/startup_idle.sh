#!/bin/bash
# How often the idle program wakes up: starts it under Xvfb with openbox and
# trayer, lets it settle, then watches it for a while without touching it.
# Prints the threads and shared libraries of the settled program, the CPU
# time it used per minute of idling, per thread the context switches it
# made (each wake-up is one) and the system calls strace saw.
#
#   [SETTLE=seconds] benchmarks/startup_idle.sh <build folder> [seconds]
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
# Start-up, first paint, the first-run window; SETTLE longer also lets the
# toolkit's pooled threads of the start-up end (they expire after 30 s).
sleep "${SETTLE:-5}"

switches() {
    local task
    for task in "/proc/$APP/task"/*; do
        printf '%s %s %s\n' "${task##*/}" "$(cat "$task/comm")" \
            "$(awk '/^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {n=$2} END {print v+n}' "$task/status")"
    done | sort
}
# Time on a CPU of all threads, in nanoseconds (finer than utime + stime,
# which count whole clock ticks).
cpu_ns() { cat "/proc/$APP/task"/*/schedstat | awk '{ n += $1 } END { printf "%d", n }'; }
echo "threads: $(ls "/proc/$APP/task" | wc -l) ($(cat /proc/$APP/task/*/comm | sort | tr '\n' ' '))"
echo "shared libraries mapped: $(awk '$6 ~ /\.so/ { print $6 }' "/proc/$APP/maps" | sort -u | wc -l)"
switches > "$WORK/before"
CPU_BEFORE=$(cpu_ns)
sleep "$SECONDS_WATCHED"
CPU_AFTER=$(cpu_ns)
switches > "$WORK/after"
awk -v n="$((CPU_AFTER - CPU_BEFORE))" -v s="$SECONDS_WATCHED" \
    'BEGIN { printf "CPU while idle: %.3f ms per minute (%.3f ms in %d s)\n", n / 1e6 * 60 / s, n / 1e6, s }'
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
