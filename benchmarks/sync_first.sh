#!/bin/bash
# The first sync of many schedules with an empty calendar on a local
# Radicale server, both ways, beside vdirsyncer doing the same with the
# same events: wall time and CPU (user + system) of each client.
#
#   benchmarks/sync_first.sh <build folder> [schedules]
set -u

BUILD=${1:?usage: sync_first.sh <build folder> [schedules]}
COUNT=${2:-10000}
BINARY="$BUILD/bin/morvane"
[ -x "$BINARY" ] || { echo "missing $BINARY (build the morvane target)"; exit 1; }
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../tests/sync/radicale.sh"
radicale_require
command -v vdirsyncer > /dev/null || { echo "vdirsyncer is not installed"; exit 1; }
trap 'radicale_stop; [ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
radicale_start || { echo "Radicale did not start"; exit 1; }
for cal in ours theirs; do
    [ "$(dav MKCALENDAR /$RADICALE_USER/$cal/)" = 201 ] || { echo "no calendar"; exit 1; }
done

measure() { # measure LABEL COMMAND...: prints wall and CPU seconds
    local label=$1
    shift
    /usr/bin/time -f "$label: %e s wall, %U s user + %S s system" -o "$WORK/time" "$@" \
        > "$WORK/out" 2>&1 || { echo "$label failed"; cat "$WORK/out" "$WORK/time"; exit 1; }
    cat "$WORK/time"
}

{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n'
    for i in $(seq 1 "$COUNT"); do
        printf 'BEGIN:VEVENT\r\nUID:bench-%s\r\nDTSTART:%s%02d%02dT093000\r\nSUMMARY:予定 %s\r\nEND:VEVENT\r\n' \
            "$i" $((2020 + i % 10)) $(( (i % 12) + 1 )) $(( (i % 28) + 1 )) "$i"
    done
    printf 'END:VCALENDAR\r\n'
} > "$WORK/events.ics"

for m in up down; do
    mkdir -p "$WORK/$m/program" "$WORK/$m/config"
    cp "$BINARY" "$WORK/$m/program/morvane"
done
XDG_CONFIG_HOME="$WORK/up/config" "$WORK/up/program/morvane" --import-ics "$WORK/events.ics" > /dev/null
sync_args=(--sync --server "$RADICALE_URL/$RADICALE_USER/ours/" --user "$RADICALE_USER"
    --password-file "$PASSWORD_FILE")
measure "morvane, $COUNT schedules up" env XDG_CONFIG_HOME="$WORK/up/config" \
    "$WORK/up/program/morvane" "${sync_args[@]}"
measure "morvane, $COUNT events down into an empty file" env XDG_CONFIG_HOME="$WORK/down/config" \
    "$WORK/down/program/morvane" "${sync_args[@]}"

# vdirsyncer with the same events, one file each as it keeps them.
mkdir -p "$WORK/vup" "$WORK/vdown" "$WORK/status-up" "$WORK/status-down"
for i in $(seq 1 "$COUNT"); do
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\nBEGIN:VEVENT\r\nUID:bench-%s\r\nDTSTART:%s%02d%02dT093000\r\nSUMMARY:予定 %s\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' \
        "$i" $((2020 + i % 10)) $(( (i % 12) + 1 )) $(( (i % 28) + 1 )) "$i" > "$WORK/vup/bench-$i.ics"
done
for m in up down; do
    cat > "$WORK/v$m.conf" <<CONF
[general]
status_path = "$WORK/status-$m/"
[pair cal]
a = "local"
b = "server"
collections = null
[storage local]
type = "filesystem"
path = "$WORK/v$m/"
fileext = ".ics"
[storage server]
type = "caldav"
url = "$RADICALE_URL/$RADICALE_USER/theirs/"
username = "$RADICALE_USER"
password = "$RADICALE_PASSWORD"
CONF
    yes | vdirsyncer -c "$WORK/v$m.conf" discover cal > /dev/null 2>&1
done
measure "vdirsyncer, $COUNT events up" vdirsyncer -c "$WORK/vup.conf" sync
measure "vdirsyncer, $COUNT events down into an empty folder" vdirsyncer -c "$WORK/vdown.conf" sync
