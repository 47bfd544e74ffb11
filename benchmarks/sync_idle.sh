#!/bin/bash
# `morvane --sync` with nothing to do, after a first sync of many schedules
# with a local Radicale server: CPU (user + system) of the whole program,
# start-up and finding the calendar included, and the requests it sent,
# counted in the server's log.
#
#   benchmarks/sync_idle.sh <build folder> [schedules] [runs]
set -u

BUILD=${1:?usage: sync_idle.sh <build folder> [schedules] [runs]}
COUNT=${2:-2000}
RUNS=${3:-5}
BINARY="$BUILD/bin/morvane"
[ -x "$BINARY" ] || { echo "missing $BINARY (build the morvane target)"; exit 1; }
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../tests/sync/radicale.sh"
radicale_require
RADICALE_FAST=1
RADICALE_LOG_LEVEL=info
trap 'radicale_stop; [ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
radicale_start || { echo "Radicale did not start"; exit 1; }
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || { echo "no calendar"; exit 1; }

mkdir -p "$WORK/program" "$WORK/config"
cp "$BINARY" "$WORK/program/morvane"
{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n'
    for i in $(seq 1 "$COUNT"); do
        printf 'BEGIN:VEVENT\r\nUID:bench-%s\r\nDTSTART:%s%02d%02dT093000\r\nSUMMARY:予定 %s\r\nEND:VEVENT\r\n' \
            "$i" $((2020 + i % 10)) $(( (i % 12) + 1 )) $(( (i % 28) + 1 )) "$i"
    done
    printf 'END:VCALENDAR\r\n'
} > "$WORK/events.ics"
export XDG_CONFIG_HOME="$WORK/config"
"$WORK/program/morvane" --import-ics "$WORK/events.ics" > /dev/null
"$WORK/program/morvane" --sync --server "$RADICALE_URL/$RADICALE_USER/cal/" --user "$RADICALE_USER" \
    --password-file "$PASSWORD_FILE" > /dev/null || { echo "the first sync failed"; exit 1; }

# CPU to the microsecond, which /usr/bin/time does not give.
cat > "$WORK/cpu.py" <<'PY'
import resource, subprocess, sys
run = subprocess.run(sys.argv[1:], capture_output=True, text=True)
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.1f ms CPU," % ((used.ru_utime + used.ru_stime) * 1000), run.stdout.strip(), run.stderr.strip())
sys.exit(run.returncode)
PY
requests() { grep -c ' request for ' "$WORK/radicale.log"; }
for run in $(seq 1 "$RUNS"); do
    before=$(requests)
    python3 "$WORK/cpu.py" "$WORK/program/morvane" --sync --password-file "$PASSWORD_FILE" > "$WORK/out" ||
        { echo "the sync failed: $(cat "$WORK/out")"; exit 1; }
    count=$(( $(requests) - before ))
    echo "run $run: $(cat "$WORK/out") $count requests:" \
        $(grep ' request for ' "$WORK/radicale.log" | tail -n "$count" | grep -o '[A-Z]* request for' | cut -d' ' -f1)
done
