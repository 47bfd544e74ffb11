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

WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-startup.XXXXXX")
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

wait_for() {
    local deadline=$((SECONDS + ${TIMEOUT:-15}))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.02
    done
}

for n in $(seq 140 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
    XVFB=$!
    TIMEOUT=10 wait_for bash -c "[ -S /tmp/.X11-unix/X$n ] || ! kill -0 $XVFB 2> /dev/null"
    if kill -0 "$XVFB" 2> /dev/null; then
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
sleep 0.5

PROGRAM="$WORK/program"
mkdir -p "$PROGRAM"
cp "$BINARY" "$PROGRAM/morvane"
"$DATAFILE_TOOL" "$PROGRAM" "$RECORDS" || exit 1

# One run without timing: the settings file then exists as for any user.
times=()
for run in $(seq 0 "$RUNS"); do
    trace="$WORK/paint.$run"
    start=$(date +%s%3N)
    MORVANE_FIRST_PAINT_TRACE="$trace" "$PROGRAM/morvane" > "$WORK/run.$run.log" 2>&1 &
    pid=$!
    TIMEOUT=30 wait_for test -s "$trace" || { echo "run $run: no paint"; kill -TERM $pid; exit 1; }
    painted=$(head -n1 "$trace")
    kill -TERM $pid
    wait $pid
    [ "$run" -eq 0 ] && continue
    times+=($((painted - start)))
    echo "run $run: $((painted - start)) ms"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "median start-up to first painted month with $RECORDS schedules: ${sorted[$((${#sorted[@]} / 2))]} ms"
