#!/bin/bash
# Start-up time of the real program: from exec to the first paint of the
# month, with a data file of 10,000 schedules that all fall on the current
# month, under Xvfb with openbox. Prints each run and the median.
#
#   benchmarks/startup_time.sh <build folder> [runs]
#
# The program writes the moment of its first paint (milliseconds since the
# epoch) to the file named by MORVANE_FIRST_PAINT_TRACE; nothing else reads
# that variable.
set -u

BUILD=${1:?usage: startup_time.sh <build folder> [runs]}
RUNS=${2:-9}
RECORDS=10000
BINARY="$BUILD/bin/morvane"
DATAFILE_TOOL="$BUILD/benchmarks/startup_datafile"
for file in "$BINARY" "$DATAFILE_TOOL"; do
    [ -x "$file" ] || { echo "missing $file (build the morvane and startup_datafile targets)"; exit 1; }
done

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/desktop.sh"
desktop_require_tools
desktop_begin startup
# shellcheck disable=SC2034 # read by wait_for
WAIT_STEP=0.02 # the trace file is looked for often
desktop_start_xvfb 140 199 || { echo "Xvfb did not start"; exit 1; }
desktop_session_env
desktop_start_openbox
sleep 0.5

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
"$DATAFILE_TOOL" "$PROGRAM" "$RECORDS" || exit 1

# One run without timing: the settings file then exists as for any user.
times=()
for run in $(seq 0 "$RUNS"); do
    trace="$WORK/paint.$run"
    start=$(date +%s%3N)
    MORVANE_FIRST_PAINT_TRACE="$trace" "$PROGRAM/morvane" > "$WORK/run.$run.log" 2>&1 &
    pid=$!
    desktop_track $pid
    TIMEOUT=30 wait_for test -s "$trace" || { echo "run $run: no paint"; kill -TERM $pid; exit 1; }
    painted=$(head -n1 "$trace")
    kill -TERM $pid
    wait $pid
    [ "$run" -eq 0 ] && continue
    times+=($((painted - start)))
    echo "run $run: $((painted - start)) ms"
done
mapfile -t sorted < <(printf '%s\n' "${times[@]}" | sort -n)
echo "median start-up to first painted month with $RECORDS schedules: ${sorted[$((${#sorted[@]} / 2))]} ms"
