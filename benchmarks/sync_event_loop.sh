#!/bin/bash
# The event loop of the calendar while a sync of many schedules runs in the
# background against a local Radicale server: the first sync of a book of
# 10,000 schedules into an empty calendar, with month steps every 16 ms on
# the main thread (see sync_event_loop.cpp for what is printed).
#
#   benchmarks/sync_event_loop.sh <build folder> [schedules]
set -u

BUILD=${1:?usage: sync_event_loop.sh <build folder> [schedules]}
COUNT=${2:-10000}
HARNESS="$BUILD/benchmarks/sync_event_loop"
FILLER="$BUILD/benchmarks/startup_datafile"
for tool in "$HARNESS" "$FILLER"; do
    [ -x "$tool" ] || { echo "missing $tool (build sync_event_loop and startup_datafile)"; exit 1; }
done
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../tests/sync/radicale.sh"
radicale_require
trap 'radicale_stop; rm -rf "$WORK"' EXIT
radicale_start || { echo "Radicale did not start"; exit 1; }
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || { echo "no calendar"; exit 1; }
mkdir -p "$WORK/program"
"$FILLER" "$WORK/program" "$COUNT" > /dev/null || { echo "no data file"; exit 1; }
echo "first sync of $COUNT schedules up:"
"$HARNESS" "$WORK/program" "$RADICALE_URL/$RADICALE_USER/cal/" "$RADICALE_USER" "$PASSWORD_FILE"
rm -rf "$WORK/down" && mkdir -p "$WORK/down"
"$FILLER" "$WORK/down" 0 > /dev/null || { echo "no data file"; exit 1; }
echo "the same $COUNT events down into an empty file:"
"$HARNESS" "$WORK/down" "$RADICALE_URL/$RADICALE_USER/cal/" "$RADICALE_USER" "$PASSWORD_FILE"
