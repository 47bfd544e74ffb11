#!/bin/bash
# CPU time of one month step, the real program beside a bare Qt calendar:
# starts each under Xvfb with openbox, gives it the keyboard, measures the
# CPU time (all threads) it spends idle for as long as the steps take, then
# while STEPS Right keys arrive 100 ms apart, and prints the difference per
# step. The calendar runs with the desktop copy behind it (Transparency).
# Another build of the program (an older one, say) can be measured beside.
#
#   benchmarks/month_step_cpu.sh <build folder> [steps] [other morvane binary]
set -u
BUILD=${1:?usage: month_step_cpu.sh <build folder> [steps] [other morvane binary]}
STEPS=${2:-40}
OTHER=${3:-}
MORVANE="$BUILD/bin/morvane"
BARE="$BUILD/benchmarks/bare_calendar"
DATAFILE_TOOL="$BUILD/benchmarks/startup_datafile"
for tool in "$MORVANE" "$BARE" "$DATAFILE_TOOL"; do
    [ -x "$tool" ] || { echo "missing $tool"; exit 1; }
done

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/desktop.sh"
desktop_require_tools
desktop_begin monthcpu
desktop_start 160 199 || { echo "$DESKTOP_ERROR"; exit 1; }
sleep 1

# Nanoseconds of CPU the process $1 has used, over all its threads.
cpu_ns() {
    cat "/proc/$1/task"/*/schedstat 2> /dev/null | awk '{ sum += $1 } END { printf "%d\n", sum }'
}

# Clicks the window $1 near its lower left corner (a blank place) so that
# it has the keyboard.
focus_window() {
    local height
    height=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x//p')
    xdotool mousemove --window "$1" 4 $((height - 4)) click 1
    sleep 0.5
}

# Prints "idle_ms steps_ms per_step_ms" for process $1 with window $2.
measure() {
    local pid=$1 window=$2 span start idle keys
    focus_window "$window"
    span=$(awk -v n="$STEPS" 'BEGIN { printf "%.1f", n * 0.1 + 1 }')
    start=$(cpu_ns "$pid")
    sleep "$span"
    idle=$(($(cpu_ns "$pid") - start))
    start=$(cpu_ns "$pid")
    xdotool key --delay 100 --repeat "$STEPS" Right
    sleep 1
    keys=$(($(cpu_ns "$pid") - start))
    awk -v i="$idle" -v k="$keys" -v n="$STEPS" \
        'BEGIN { printf "idle %.1f ms, with steps %.1f ms, per step %.2f ms\n", i / 1e6, k / 1e6, (k - i) / n / 1e6 }'
}

# --- Our calendar ----------------------------------------------------------
# Prints the measure of the program $1, labelled $2.
measure_program() {
    local program="$WORK/program-$2"
    desktop_copy_program "$1" "$program"
    "$DATAFILE_TOOL" "$program" 10 > /dev/null || exit 1
    mkdir -p "$XDG_CONFIG_HOME/Quillstone"
    printf '[General]\nLeft=1500\nTop=1500\nTransparency=True\nTransparencyEx=False\n' \
        > "$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
    "$program/morvane" > "$WORK/morvane-$2.log" 2>&1 &
    local app=$!
    desktop_track $app
    TIMEOUT=20 wait_for shows month_window $app || { echo "the calendar did not show"; exit 1; }
    sleep 2
    echo "$2 ($STEPS steps): $(measure $app "$(month_window $app)")"
    kill -TERM $app
    wait $app 2> /dev/null
}
measure_program "$MORVANE" morvane
[ -n "$OTHER" ] && measure_program "$OTHER" "other morvane"

# --- A bare Qt calendar ------------------------------------------------------
"$BARE" > "$WORK/bare.log" 2>&1 &
BARE_PID=$!
desktop_track $BARE_PID
bare_window() { xdotool search --onlyvisible --pid "$BARE_PID" 2> /dev/null | head -n1; }
TIMEOUT=20 wait_for shows bare_window || { echo "the bare calendar did not show"; exit 1; }
sleep 2
echo "bare QCalendarWidget ($STEPS steps): $(measure $BARE_PID "$(bare_window)")"
