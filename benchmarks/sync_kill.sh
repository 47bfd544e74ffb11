#!/bin/bash
# A sync of many schedules (2,000 unless told) with a local Radicale server,
# killed with SIGKILL at random moments, again and again, with edits,
# deletions and additions on both sides between some of the kills; then one
# sync that runs through. Afterwards the server and the data file must hold
# exactly the schedules expected: none doubled, none lost, every change of
# either side on both.
#
#   benchmarks/sync_kill.sh <build folder> [kills] [seed] [schedules]
#
# Each landed kill is told by what it left behind: nothing (start-up,
# receiving, the first sends), what was received written here, resources
# on the server whose answers were not yet written here, or those answers
# written here too. Exit 0 when everything matches.
set -u

BUILD=${1:?usage: sync_kill.sh <build folder> [kills] [seed] [schedules]}
KILLS=${2:-30}
SEED=${3:-$$}
COUNT=${4:-2000}
RANDOM=$SEED
BINARY="$BUILD/bin/morvane"
[ -x "$BINARY" ] || { echo "missing $BINARY (build the morvane target)"; exit 1; }
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../tests/sync/radicale.sh"
radicale_require
# The server's own slowness (disk syncs, a scan of the collection for each
# new resource) is not what is tested.
RADICALE_FAST=1
trap 'radicale_stop; [ -n "${KEEP:-}" ] && echo "kept $WORK" || rm -rf "$WORK"' EXIT
radicale_start || { echo "Radicale did not start"; exit 1; }
COLLECTION=/$RADICALE_USER/cal/
[ "$(dav MKCALENDAR $COLLECTION)" = 201 ] || { echo "no calendar"; exit 1; }
echo "seed $SEED, $COUNT schedules, $KILLS kills"

PROGRAM="$WORK/program"
mkdir -p "$PROGRAM" "$WORK/config"
cp "$BINARY" "$PROGRAM/morvane"
DATA="$PROGRAM/Morva.dat"
morvane() { XDG_CONFIG_HOME="$WORK/config" "$PROGRAM/morvane" "$@"; }
sql() { sqlite3 "$DATA" "$1"; }
q() { printf '%s' "${1//\'/\'\'}"; } # a text inside an SQL string

fail() {
    echo "FAIL: $*"
    exit 1
}

# The model: the message of each of the first schedules as it should now
# be (empty once deleted), the date of each, and the schedules added later.
declare -A MESSAGE DATE
ADDED=()
date_of() { printf '%s%02d%02d' $((2020 + $1 % 10)) $(( ($1 % 12) + 1 )) $(( ($1 % 28) + 1 )); }
{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n'
    for i in $(seq 1 "$COUNT"); do
        MESSAGE[$i]="予定 $i"
        DATE[$i]=$(date_of "$i")
        printf 'BEGIN:VEVENT\r\nUID:bench-%s\r\nDTSTART:%sT093000\r\nSUMMARY:予定 %s\r\nEND:VEVENT\r\n' \
            "$i" "${DATE[$i]}" "$i"
    done
    printf 'END:VCALENDAR\r\n'
} > "$WORK/events.ics"
morvane --import-ics "$WORK/events.ics" > "$WORK/import.log" 2>&1 || fail "import: $(cat "$WORK/import.log")"
[ "$(sql 'SELECT count(*) FROM Schedule')" = "$COUNT" ] || fail "the import did not write $COUNT schedules"
SYNC=(--sync --server "$RADICALE_URL$COLLECTION" --user "$RADICALE_USER" --password-file "$PASSWORD_FILE")

# --- changes between kills -----------------------------------------------------------
pick() { # pick FROM TO: a random original schedule in FROM..TO still there
    local i tries=0
    while [ $tries -lt 100 ]; do
        i=$(( $1 + (RANDOM * 32768 + RANDOM) % ($2 - $1 + 1) ))
        [ -n "${MESSAGE[$i]}" ] && { echo "$i"; return; }
        tries=$((tries + 1))
    done
}

# Here: the first half of the schedules is edited and deleted, new ones added.
local_changes() { # local_changes ROUND
    local r=$1 k i new
    for k in 1 2 3; do
        i=$(pick 1 $((COUNT / 2)))
        [ -n "$i" ] || continue
        new="予定 $i 改$r"
        sql "UPDATE Schedule SET Message = '$(q "$new")' WHERE Message = '$(q "${MESSAGE[$i]}")'"
        MESSAGE[$i]=$new
    done
    for k in 1 2; do
        i=$(pick 1 $((COUNT / 2)))
        [ -n "$i" ] || continue
        sql "DELETE FROM Schedule WHERE Message = '$(q "${MESSAGE[$i]}")'"
        MESSAGE[$i]=
    done
    {
        printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n'
        for k in 1 2; do
            printf 'BEGIN:VEVENT\r\nUID:here-%s-%s\r\nDTSTART:2026%02d%02dT080000\r\nSUMMARY:ここ %s %s\r\nEND:VEVENT\r\n' \
                "$r" "$k" $(( r % 12 + 1 )) $(( k + 10 )) "$r" "$k"
            ADDED+=("ここ $r $k|2026$(printf '%02d%02d' $(( r % 12 + 1 )) $(( k + 10 )))")
        done
        printf 'END:VCALENDAR\r\n'
    } > "$WORK/here.ics"
    morvane --import-ics "$WORK/here.ics" > "$WORK/import.log" 2>&1 || fail "import: $(cat "$WORK/import.log")"
    LOCAL_ROUNDS=$((LOCAL_ROUNDS + 1))
}

# On the server: the second half is edited and deleted, where this file
# already knows the resource (what it does not know yet it may still send
# as its own), and new events are written.
server_changes() { # server_changes ROUND
    local r=$1 k i href etag status new
    for k in 1 2 3; do
        i=$(pick $((COUNT / 2 + 1)) "$COUNT")
        [ -n "$i" ] || continue
        href=$(sql "SELECT i.Href FROM sync_item i JOIN Schedule s ON s.rowid = i.RecordId
                    WHERE s.Message = '$(q "${MESSAGE[$i]}")' AND i.Href IS NOT NULL")
        [ -n "$href" ] || continue
        status=$(dav GET "$href" -D "$WORK/headers")
        [ "$status" = 200 ] || fail "GET $href: $status"
        etag=$(sed -n 's/^[Ee][Tt][Aa][Gg]: *//p' "$WORK/headers" | tr -d '\r')
        if [ $k = 3 ]; then
            status=$(dav DELETE "$href" -H "If-Match: $etag")
            [ "$status" = 200 ] || [ "$status" = 204 ] || fail "DELETE $href: $status"
            MESSAGE[$i]=
        else
            new="予定 $i 鯖$r"
            sed "s/^SUMMARY:.*/SUMMARY:$new\r/" "$WORK/dav.out" > "$WORK/changed.ics"
            status=$(dav PUT "$href" -H "If-Match: $etag" -H 'Content-Type: text/calendar; charset=utf-8' \
                --data-binary @"$WORK/changed.ics")
            [ "$status" = 201 ] || [ "$status" = 204 ] || fail "PUT $href: $status"
            MESSAGE[$i]=$new
        fi
    done
    for k in 1 2; do
        printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\nBEGIN:VEVENT\r\nUID:there-%s-%s\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:2026%02d%02dT100000\r\nSUMMARY:サーバー %s %s\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' \
            "$r" "$k" $(( r % 12 + 1 )) $(( k + 20 )) "$r" "$k" > "$WORK/new.ics"
        status=$(dav PUT "${COLLECTION}there-$r-$k.ics" -H 'If-None-Match: *' \
            -H 'Content-Type: text/calendar; charset=utf-8' --data-binary @"$WORK/new.ics")
        [ "$status" = 201 ] || fail "PUT there-$r-$k: $status"
        ADDED+=("サーバー $r $k|2026$(printf '%02d%02d' $(( r % 12 + 1 )) $(( k + 20 )))")
    done
    SERVER_ROUNDS=$((SERVER_ROUNDS + 1))
}

# --- the kills -----------------------------------------------------------------------
declare -A PHASES
LOCAL_ROUNDS=0 SERVER_ROUNDS=0 landed=0 round=0
sent_here() { sql 'SELECT count(*) FROM sync_item WHERE Href IS NOT NULL'; }
while [ $landed -lt "$KILLS" ] && [ $round -lt $((KILLS * 3)) ]; do
    round=$((round + 1))
    [ $((round % 4)) = 2 ] && local_changes $round
    [ $((round % 5)) = 3 ] && server_changes $round
    # Mostly early moments (start-up, the listing, the first answers),
    # some far into the sending.
    if [ $((RANDOM % 2)) = 0 ]; then delay=$((RANDOM % 600)); else delay=$(( (RANDOM * 32768 + RANDOM) % 12000 )); fi
    server_before=$(server_events cal)
    here_before=$(sent_here)
    # The program itself, not a shell around it, is what gets killed.
    XDG_CONFIG_HOME="$WORK/config" "$PROGRAM/morvane" "${SYNC[@]}" > "$WORK/run.log" 2>&1 &
    victim=$!
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    if kill -9 $victim 2>/dev/null; then
        wait $victim 2>/dev/null
        landed=$((landed + 1))
        server_after=$(server_events cal)
        here_after=$(sent_here)
        if [ "$server_after" != "$server_before" ] && [ "$here_after" != "$here_before" ]; then
            phase="sending, answers written here"
        elif [ "$server_after" != "$server_before" ]; then
            phase="sending, no answer written here yet"
        elif [ "$here_after" != "$here_before" ]; then
            phase="received and written here, before sending"
        else
            phase="start-up, receiving or first send, nothing written"
        fi
    else
        wait $victim 2>/dev/null || fail "round $round: the sync failed: $(cat "$WORK/run.log")"
        phase="ran through before the kill"
    fi
    PHASES[$phase]=$(( ${PHASES[$phase]:-0} + 1 ))
    [ "$(sql 'PRAGMA integrity_check')" = ok ] || fail "round $round: the data file is damaged"
    printf 'round %2d: kill after %4d ms: %s (server %s, sent here %s)\n' \
        $round $delay "$phase" "$(server_events cal)" "$(sent_here)"
done

morvane "${SYNC[@]}" > "$WORK/run.log" 2>&1 ||
    fail "the final sync failed: $(cat "$WORK/run.log")"
echo "final sync: $(cat "$WORK/run.log")"

# --- the check -----------------------------------------------------------------------
for i in $(seq 1 "$COUNT"); do
    [ -n "${MESSAGE[$i]}" ] && echo "${MESSAGE[$i]}|${DATE[$i]}"
done > "$WORK/expected"
printf '%s\n' "${ADDED[@]}" >> "$WORK/expected"
sort -o "$WORK/expected" "$WORK/expected"
sql "SELECT Message || '|' || printf('%04d%02d%02d', Year, Month, Day) FROM Schedule" | sort > "$WORK/here"
sql "SELECT Uid FROM sync_item WHERE RecordId IS NOT NULL AND Mirror = 0" | sort > "$WORK/here-uids"
# The server's resources, one line each: UID, then summary|date.
python3 - "$RADICALE_STORAGE/collection-root/$RADICALE_USER/cal" "$WORK" <<'PY'
import os, re, sys
folder, work = sys.argv[1], sys.argv[2]
uids, contents = [], []
for name in os.listdir(folder):
    if not name.endswith(".ics"):
        continue
    text = open(os.path.join(folder, name), encoding="utf-8").read()
    text = re.sub(r"\r?\n[ \t]", "", text)  # unfolded
    uid = re.search(r"^UID:(.*?)\r?$", text, re.M).group(1)
    summary = re.search(r"^SUMMARY:(.*?)\r?$", text, re.M).group(1)
    day = re.search(r"^DTSTART[^:]*:(\d{8})", text, re.M).group(1)
    uids.append(uid)
    contents.append(summary + "|" + day)
open(os.path.join(work, "server-uids"), "w").write("".join(u + "\n" for u in sorted(uids)))
open(os.path.join(work, "server"), "w").write("".join(c + "\n" for c in sorted(contents)))
PY

result=0
check() { # check WHAT FILE-A FILE-B
    if ! diff -q "$2" "$3" > /dev/null; then
        echo "MISMATCH: $1"
        diff "$2" "$3" | head -n 20
        result=1
    fi
}
expected=$(wc -l < "$WORK/expected")
echo "expected $expected schedules; the file holds $(wc -l < "$WORK/here"), the server $(server_events cal)"
check "the data file against what is expected" "$WORK/expected" "$WORK/here"
check "the server against what is expected" "$WORK/expected" "$WORK/server"
check "UIDs here against the server's" "$WORK/here-uids" "$WORK/server-uids"
[ -z "$(uniq -d "$WORK/here-uids")" ] || { echo "MISMATCH: a UID twice here"; result=1; }
[ -z "$(uniq -d "$WORK/server-uids")" ] || { echo "MISMATCH: a UID twice on the server"; result=1; }
# Everything agreed: one more sync has nothing to do.
morvane "${SYNC[@]}" > "$WORK/run.log" 2>&1 || fail "the last sync failed"
grep -q '送信 0件、受信 0件）' "$WORK/run.log" || { echo "MISMATCH: the last sync still did: $(cat "$WORK/run.log")"; result=1; }

echo "kills landed: $landed in $round rounds ($LOCAL_ROUNDS with changes here, $SERVER_ROUNDS on the server)"
for phase in "${!PHASES[@]}"; do
    printf '  %3d  %s\n' "${PHASES[$phase]}" "$phase"
done
[ $result = 0 ] && echo PASS || echo FAIL
exit $result
