#!/bin/bash
# Start-up and memory of the real program side by side with gsimplecal and
# a bare QCalendarWidget program, in one Xvfb session with openbox and
# trayer, the programs taken in turn round by round so that a machine
# shared with other work slows them alike.
#
#   benchmarks/startup_peers.sh <build folder> [rounds]
#
# Per program and round:
#   map   ms from exec to the program's calendar window mapped on the
#         screen, the same sign for every program: the X server's map
#         event, seen by xev on the root window (no polling);
#   paint ms from exec to the month painted (our program only: it writes
#         that moment to the file MORVANE_FIRST_PAINT_TRACE names);
#   rss   resident memory 5 s after exec (MB), anon of it, threads then;
#   cpu   ms of CPU the process used in those 5 s (user + system, in the
#         kernel's clock ticks), nearly all of it the start-up.
# Our program runs with 27 schedules in the shown month, and with 10,000
# of which 27 fall in the shown month and the rest over sixty years.
# Prints each run, then the medians and the median of the ratios to
# gsimplecal pair by pair.
set -u

BUILD=${1:?usage: startup_peers.sh <build folder> [rounds]}
ROUNDS=${2:-9}
BINARY="$BUILD/bin/morvane"
DATAFILE_TOOL="$BUILD/benchmarks/startup_datafile"
BARE="$BUILD/benchmarks/bare_calendar"
for file in "$BINARY" "$DATAFILE_TOOL" "$BARE"; do
    [ -x "$file" ] || { echo "missing $file (build morvane, startup_datafile, bare_calendar)"; exit 1; }
done

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/desktop.sh"
desktop_require_tools xev xwininfo gsimplecal
desktop_begin peers
desktop_start 200 239 || { echo "$DESKTOP_ERROR"; exit 1; }
sleep 0.5

for records in 27 10000; do
    desktop_copy_program "$BINARY" "$WORK/m$records"
    "$DATAFILE_TOOL" "$WORK/m$records" "$records" 27 || exit 1
done

# Every window mapped on the root, with the moment (ms since the epoch).
MAPS="$WORK/maps"
(xev -root -event substructure | while IFS= read -r line; do
    case $line in
        MapNotify*) mapped=1 ;;
        *"window 0x"*)
            if [ "${mapped:-0}" = 1 ]; then
                id=${line#*window }
                echo "${EPOCHREALTIME/./} ${id%%,*}"
                mapped=0
            fi
            ;;
    esac
done > "$MAPS") &
desktop_track $!
sleep 0.5

# The calendar window of process $1 (its client window id), by program.
calendar_window() {
    case $2 in
        m*) month_window "$1" ;;
        *) desktop_windows "$1" | awk '$2 > 100 { print $1 }' | head -n1 ;;
    esac
}

# The moment (µs) the window $1 or the frame around it was mapped.
mapped_at() {
    local client frame
    client=$(printf '0x%x' "$1")
    frame=$(xwininfo -tree -id "$client" 2> /dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    awk -v a="$client" -v b="$frame" '$2 == a || $2 == b { print $1; exit }' "$MAPS"
}

run_one() { # name round
    local name=$1 round=$2 start pid window map paint trace rss anon threads cpu
    trace="$WORK/paint.$name.$round"
    start=${EPOCHREALTIME/./}
    case $name in
        m*) MORVANE_FIRST_PAINT_TRACE="$trace" "$WORK/$name/morvane" > "$WORK/$name.log" 2>&1 & ;;
        gsimplecal) gsimplecal > /dev/null 2>&1 & ;;
        bare) "$BARE" > /dev/null 2>&1 & ;;
    esac
    pid=$!
    desktop_track $pid
    sleep 5
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    anon=$(awk '/^RssAnon/ { print $2 }' "/proc/$pid/status")
    threads=$(ls "/proc/$pid/task" | wc -l)
    cpu=$(awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$pid/stat")
    window=$(calendar_window "$pid" "$name")
    map=$(mapped_at "${window:-0}")
    paint=
    [ -s "$trace" ] && paint=$(( $(head -n1 "$trace") - start / 1000 ))
    kill -TERM $pid
    wait $pid 2> /dev/null
    [ -n "$map" ] && map=$(( (map - start) / 1000 ))
    echo "$name $round map=${map:-?} paint=${paint:--} rss=$((rss / 1024)).$((rss % 1024 * 10 / 1024)) anon=$((anon / 1024)).$((anon % 1024 * 10 / 1024)) threads=$threads cpu=$cpu"
}

PROGRAMS=(m27 m10000 gsimplecal bare)
# One round unmeasured: settings files and caches then exist as for any user.
for name in "${PROGRAMS[@]}"; do run_one "$name" 0 > /dev/null; done
for round in $(seq "$ROUNDS"); do
    # A different program first each round.
    for i in "${!PROGRAMS[@]}"; do
        run_one "${PROGRAMS[$(( (i + round) % ${#PROGRAMS[@]} ))]}" "$round"
    done
done | tee "$WORK/results"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "?" }'; }
field() { grep "^$1 " "$WORK/results" | sed -n "s/.* $2=\([0-9.]*\).*/\1/p"; }
echo
printf '%-11s %8s %8s %8s %9s %9s %8s\n' program map_ms paint_ms cpu_ms rss_MB anon_MB threads
for name in "${PROGRAMS[@]}"; do
    printf '%-11s %8s %8s %8s %9s %9s %8s\n' "$name" "$(field "$name" map | median)" \
        "$(field "$name" paint | median)" "$(field "$name" cpu | median)" \
        "$(field "$name" rss | median)" "$(field "$name" anon | median)" \
        "$(field "$name" threads | median)"
done
echo
echo "median of the ratios to gsimplecal, round by round:"
for name in m27 m10000 bare; do
    for what in map cpu rss; do
        paste <(field "$name" "$what") <(field gsimplecal "$what") |
            awk '$2 > 0 { printf "%.3f\n", $1 / $2 }' | median |
            xargs printf '  %-7s %-4s %s\n' "$name" "$what"
    done
done
