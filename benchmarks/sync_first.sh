#!/bin/bash
# The first sync of many schedules with an empty calendar on a local
# Radicale server, both ways, beside vdirsyncer doing the same with the
# same events on the same server: wall time and CPU (user + system) of each
# client. The two clients take turns in each round, the one that goes first
# changing from round to round, so a machine busy with other work weighs on
# both alike. The server's disk syncs are off, so that the figures are
# mostly the clients'.
#
#   benchmarks/sync_first.sh <build folder> [schedules] [rounds]
set -u

BUILD=${1:?usage: sync_first.sh <build folder> [schedules] [rounds]}
COUNT=${2:-10000}
ROUNDS=${3:-1}
BINARY="$BUILD/bin/morvane"
[ -x "$BINARY" ] || { echo "missing $BINARY (build the morvane target)"; exit 1; }
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../tests/sync/radicale.sh"
radicale_require
command -v vdirsyncer > /dev/null || { echo "vdirsyncer is not installed"; exit 1; }
RADICALE_FAST=1
trap 'radicale_stop; [ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
radicale_start || { echo "Radicale did not start"; exit 1; }

measure() { # measure LABEL COMMAND...: prints wall and CPU seconds
    local label=$1
    shift
    /usr/bin/time -f "$label: %e s wall, %U s user + %S s system" -o "$WORK/time" "$@" \
        > "$WORK/out" 2>&1 || { echo "$label failed"; cat "$WORK/out" "$WORK/time"; exit 1; }
    cat "$WORK/time" | tee -a "$WORK/times"
}

event() { # event N: one VEVENT
    printf 'BEGIN:VEVENT\r\nUID:bench-%s\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:%s%02d%02dT093000\r\nSUMMARY:予定 %s\r\nEND:VEVENT\r\n' \
        "$1" $((2020 + $1 % 10)) $(( ($1 % 12) + 1 )) $(( ($1 % 28) + 1 )) "$1"
}
{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n'
    for i in $(seq 1 "$COUNT"); do event "$i"; done
    printf 'END:VCALENDAR\r\n'
} > "$WORK/events.ics"
# vdirsyncer keeps the same events one file each.
mkdir -p "$WORK/events"
for i in $(seq 1 "$COUNT"); do
    { printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n'; event "$i"; printf 'END:VCALENDAR\r\n'; } \
        > "$WORK/events/bench-$i.ics"
done

vdir_config() { # vdir_config NAME FOLDER COLLECTION
    mkdir -p "$WORK/status-$1"
    cat > "$WORK/$1.conf" <<CONF
[general]
status_path = "$WORK/status-$1/"
[pair cal]
a = "local"
b = "server"
collections = null
[storage local]
type = "filesystem"
path = "$2/"
fileext = ".ics"
[storage server]
type = "caldav"
url = "$RADICALE_URL/$RADICALE_USER/$3/"
username = "$RADICALE_USER"
password = "$RADICALE_PASSWORD"
CONF
    yes | vdirsyncer -c "$WORK/$1.conf" discover cal > /dev/null 2>&1
}

morvane_up() {
    measure "morvane, $COUNT schedules up" env XDG_CONFIG_HOME="$WORK/$1/up/config" \
        "$WORK/$1/up/program/morvane" --sync --server "$RADICALE_URL/$RADICALE_USER/ours-$1/" \
        --user "$RADICALE_USER" --password-file "$PASSWORD_FILE"
}
vdirsyncer_up() {
    measure "vdirsyncer, $COUNT events up" vdirsyncer -c "$WORK/vup-$1.conf" sync
}
# Both take the events vdirsyncer sent, which are the same events.
morvane_down() {
    measure "morvane, $COUNT events down into an empty file" env XDG_CONFIG_HOME="$WORK/$1/down/config" \
        "$WORK/$1/down/program/morvane" --sync --server "$RADICALE_URL/$RADICALE_USER/theirs-$1/" \
        --user "$RADICALE_USER" --password-file "$PASSWORD_FILE"
}
vdirsyncer_down() {
    measure "vdirsyncer, $COUNT events down into an empty folder" vdirsyncer -c "$WORK/vdown-$1.conf" sync
}

for round in $(seq 1 "$ROUNDS"); do
    for cal in ours-$round theirs-$round; do
        [ "$(dav MKCALENDAR /$RADICALE_USER/$cal/)" = 201 ] || { echo "no calendar"; exit 1; }
    done
    for m in up down; do
        mkdir -p "$WORK/$round/$m/program" "$WORK/$round/$m/config"
        cp "$BINARY" "$WORK/$round/$m/program/morvane"
    done
    XDG_CONFIG_HOME="$WORK/$round/up/config" "$WORK/$round/up/program/morvane" \
        --import-ics "$WORK/events.ics" > /dev/null
    cp -r "$WORK/events" "$WORK/vup-$round"
    mkdir -p "$WORK/vdown-$round"
    vdir_config "vup-$round" "$WORK/vup-$round" "theirs-$round"
    vdir_config "vdown-$round" "$WORK/vdown-$round" "theirs-$round"
    echo "--- round $round"
    if [ $((round % 2)) = 1 ]; then
        morvane_up $round; vdirsyncer_up $round; morvane_down $round; vdirsyncer_down $round
    else
        vdirsyncer_up $round; morvane_up $round; vdirsyncer_down $round; morvane_down $round
    fi
    [ "$(server_events ours-$round)" = "$COUNT" ] && [ "$(server_events theirs-$round)" = "$COUNT" ] ||
        { echo "the server does not hold $COUNT events in each calendar"; exit 1; }
    [ "$(sqlite3 "$WORK/$round/down/program/Morva.dat" 'SELECT count(*) FROM Schedule')" = "$COUNT" ] ||
        { echo "morvane did not receive $COUNT schedules"; exit 1; }
    [ "$(find "$WORK/vdown-$round" -name '*.ics' | wc -l)" = "$COUNT" ] ||
        { echo "vdirsyncer did not receive $COUNT events"; exit 1; }
done

# Medians over the rounds.
echo "--- medians of $ROUNDS round(s)"
python3 - "$WORK/times" <<'PY'
import re, statistics, sys
rows = {}
for line in open(sys.argv[1], encoding="utf-8"):
    m = re.match(r"(.*): ([\d.]+) s wall, ([\d.]+) s user \+ ([\d.]+) s system", line)
    if m:
        rows.setdefault(m.group(1), []).append((float(m.group(2)), float(m.group(3)) + float(m.group(4))))
for label, values in rows.items():
    print("%s: %.2f s wall, %.2f s CPU" % (label, statistics.median(v[0] for v in values),
                                          statistics.median(v[1] for v in values)))
PY
