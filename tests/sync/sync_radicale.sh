#!/bin/bash
# Two data files ("two machines") synced with one calendar on a real
# Radicale server through `morvane --sync`:
# - the first sync sends everything, a second one has nothing to do, and a
#   sync is refused while another program holds the data file;
# - a change on each side and a deletion reach the other file;
# - a conflict keeps the server's version and the other one as "（競合）",
#   written to the activity log;
# - events written by another client arrive, those a schedule cannot hold
#   as their dates;
# - a sync killed with SIGKILL in the middle, then run again, leaves no
#   duplicate and loses nothing, and both files converge.
#
#   sync_radicale.sh <morvane binary>
#
# Exit 0 on success, 77 when Radicale is not installed, 1 on failure.
set -u

BINARY=$1
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/radicale.sh"
radicale_require

cleanup() {
    radicale_stop
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for f in "$WORK"/*.log; do echo "--- $f"; tail -n 20 "$f"; done
    exit 1
}

radicale_start || fail "Radicale did not start"
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || fail "no calendar made: $(cat "$WORK/dav.out")"

# Two machines: each its program folder and settings.
for m in A B; do
    mkdir -p "$WORK/$m/program" "$WORK/$m/config"
    cp "$BINARY" "$WORK/$m/program/morvane"
done
morvane() { # morvane MACHINE ARGS...
    local m=$1
    shift
    XDG_CONFIG_HOME="$WORK/$m/config" XDG_DATA_HOME="$WORK/$m/data" "$WORK/$m/program/morvane" "$@"
}
sync_ok() { # sync_ok MACHINE [ARGS...]: runs a sync that must succeed, output in $OUT
    local m=$1
    shift
    OUT=$(morvane "$m" --sync --password-file "$PASSWORD_FILE" "$@" 2>&1) ||
        fail "sync of $m failed: $OUT"
    echo "$m: $OUT"
}
sql() { sqlite3 "$WORK/$1/program/Morva.dat" "$2"; }
schedules() {
    sql "$1" "SELECT Type, Year, Month, Day, Week, DayOfTheWeek, StartTime, EndTime, Alarm, Color, Message FROM Schedule ORDER BY 1,2,3,4,5,6,7,11"
}
converged() {
    [ "$(schedules A)" = "$(schedules B)" ] || {
        diff <(schedules A) <(schedules B)
        fail "the two files differ $1"
    }
}

# --- First sync up ---------------------------------------------------------------
cat > "$WORK/first.ics" <<'ICS'
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//test//EN
BEGIN:VEVENT
UID:one
DTSTART:20261215T093000
DTEND:20261215T103000
SUMMARY:Print the handouts
END:VEVENT
BEGIN:VEVENT
UID:two
DTSTART;VALUE=DATE:20261202
RRULE:FREQ=WEEKLY;BYDAY=WE
SUMMARY:水曜の会議
END:VEVENT
BEGIN:VEVENT
UID:three
DTSTART;VALUE=DATE:20000505
RRULE:FREQ=YEARLY;BYMONTH=5;BYMONTHDAY=5
SUMMARY:Bob's birthday
END:VEVENT
END:VCALENDAR
ICS
morvane A --import-ics "$WORK/first.ics" > "$WORK/import.log" 2>&1 || fail "import"
# The server address alone: the calendar is found from it.
sync_ok A --server "$RADICALE_URL/" --user "$RADICALE_USER"
case "$OUT" in *"送信 3件、受信 0件"*) ;; *) fail "first sync: $OUT" ;; esac
[ "$(server_events cal)" = 3 ] || fail "the server holds $(server_events cal) events, not 3"
grep -q "$RADICALE_PASSWORD" "$WORK/A/config/Quillstone/Morvane.ini" && fail "password stored"

sync_ok A
case "$OUT" in *"送信 0件、受信 0件"*) ;; *) fail "a sync with nothing to do: $OUT" ;; esac

sync_ok B --server "$RADICALE_URL/$RADICALE_USER/cal/" --user "$RADICALE_USER"
case "$OUT" in *"受信 3件"*) ;; *) fail "second machine: $OUT" ;; esac
converged "after the first syncs"

# --- Refused while another program holds the data file, as the calendar does ---
mkfifo "$WORK/hold"
sqlite3 "$WORK/A/program/Morva.dat" < "$WORK/hold" > /dev/null 2>&1 &
holder=$!
exec 7> "$WORK/hold"
echo "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; SELECT count(*) FROM Schedule;" >&7
until ! sqlite3 "$WORK/A/program/Morva.dat" "SELECT count(*) FROM Schedule" > /dev/null 2>&1; do
    sleep 0.05
done
OUT=$(morvane A --sync --password-file "$PASSWORD_FILE" 2>&1) && fail "a sync ran on a file in use"
case "$OUT" in *"使用中"*) ;; *) fail "the file in use was not named: $OUT" ;; esac
exec 7>&-
wait $holder

# --- A change on each side, a deletion --------------------------------------------
sql A "UPDATE Schedule SET Message = 'Print the handouts (20 copies)' WHERE Message = 'Print the handouts'"
sql B "UPDATE Schedule SET StartTime = '18:00' WHERE Message = '水曜の会議'"
sql B "DELETE FROM Schedule WHERE Message = 'Bob''s birthday'"
sync_ok A
sync_ok B
sync_ok A
converged "after a change on each side"
[ "$(sql A "SELECT count(*) FROM Schedule")" = 2 ] || fail "the deletion did not reach A"
[ "$(server_events cal)" = 2 ] || fail "the deletion did not reach the server"

# --- A conflict ----------------------------------------------------------------------
sql A "UPDATE Schedule SET Message = 'Handouts: A' WHERE Message LIKE 'Print the handouts%'"
sql B "UPDATE Schedule SET Message = 'Handouts: B' WHERE Message LIKE 'Print the handouts%'"
sync_ok A
sync_ok B
case "$OUT" in *"競合 1件"*) ;; *) fail "the conflict was not counted: $OUT" ;; esac
sync_ok A
converged "after a conflict"
[ "$(sql A "SELECT count(*) FROM Schedule WHERE Message = 'Handouts: A'")" = 1 ] ||
    fail "the server's version was not kept"
[ "$(sql A "SELECT count(*) FROM Schedule WHERE Message = '（競合）Handouts: B'")" = 1 ] ||
    fail "the other version was not kept as a conflict"
iconv -f CP932 -t UTF-8 "$WORK/B/program/Morva.log" | grep -q "同期の競合" ||
    fail "the conflict is not in the activity log"

# Changed on one side, deleted on the other: the change wins.
sql A "UPDATE Schedule SET Message = '水曜の定例' WHERE Message = '水曜の会議'"
sql B "DELETE FROM Schedule WHERE Message = '水曜の会議'"
sync_ok A
sync_ok B
sync_ok A
converged "after a change against a deletion"
[ "$(sql B "SELECT count(*) FROM Schedule WHERE Message = '水曜の定例'")" = 1 ] ||
    fail "the changed schedule was lost to the deletion"

# --- Events of another client -----------------------------------------------------------
year=$(date +%Y)
cat > "$WORK/other.ics" <<ICS
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//other//EN
BEGIN:VEVENT
UID:other-biweekly
DTSTART;VALUE=DATE:${year}0105
RRULE:FREQ=WEEKLY;INTERVAL=2;COUNT=3
SUMMARY:Every other Monday
END:VEVENT
END:VCALENDAR
ICS
[ "$(dav PUT /$RADICALE_USER/cal/other-biweekly.ics -H 'Content-Type: text/calendar' --data-binary @"$WORK/other.ics")" = 201 ] ||
    fail "the other client's event was refused"
sync_ok B
[ "$(sql B "SELECT count(*) FROM Schedule WHERE Message = 'Every other Monday'")" = 3 ] ||
    fail "the other client's event did not arrive as its three dates"
sync_ok B
[ "$(server_events cal)" = 4 ] || fail "dates of a server event were sent back ($(server_events cal) events)"
sync_ok A
converged "after another client's event"

# --- Killed in the middle --------------------------------------------------------------
{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n'
    for i in $(seq 1 400); do
        printf 'BEGIN:VEVENT\r\nUID:bulk-%s\r\nDTSTART;VALUE=DATE:%s%02d%02d\r\nSUMMARY:bulk %s\r\nEND:VEVENT\r\n' \
            "$i" "$year" $(( (i % 12) + 1 )) $(( (i % 28) + 1 )) "$i"
    done
    printf 'END:VCALENDAR\r\n'
} > "$WORK/bulk.ics"
morvane A --import-ics "$WORK/bulk.ics" > "$WORK/import.log" 2>&1 || fail "bulk import"
before=$(server_events cal)
XDG_CONFIG_HOME="$WORK/A/config" "$WORK/A/program/morvane" --sync --password-file "$PASSWORD_FILE" \
    > "$WORK/killed.log" 2>&1 &
victim=$!
# Killed once the server has part of the schedules.
until [ "$(server_events cal)" -ge $((before + 100)) ] || ! kill -0 $victim 2>/dev/null; do
    sleep 0.05
done
kill -9 $victim 2>/dev/null
wait $victim 2>/dev/null
[ "$(server_events cal)" -lt $((before + 400)) ] || fail "the sync ended before it could be killed"
sync_ok A
sync_ok B
sync_ok A
converged "after a killed sync"
[ "$(sql A "SELECT count(*) FROM Schedule WHERE Message LIKE 'bulk %'")" = 400 ] ||
    fail "schedules lost or doubled here"
[ "$(sql A "SELECT count(DISTINCT Message) FROM Schedule WHERE Message LIKE 'bulk %'")" = 400 ] ||
    fail "schedules doubled here"
[ "$(server_events cal)" = $((before + 400)) ] ||
    fail "the server holds $(server_events cal) events, expected $((before + 400))"

echo "PASS"
