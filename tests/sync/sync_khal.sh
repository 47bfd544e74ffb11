#!/bin/bash
# Another client on the same calendar: vdirsyncer with khal.
# - events written with khal (one-off with a time, all-day, weekly) and
#   uploaded by vdirsyncer arrive on their days after `morvane --sync`;
# - schedules written here (every rule kind, an alarm, a Japanese text with
#   an apostrophe) show in `khal list` after vdirsyncer syncs;
# - a change and a deletion on each side reach the other.
#
#   sync_khal.sh <morvane binary>
#
# Exit 0 on success, 77 when a program is not installed, 1 on failure.
set -u

BINARY=$1
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/radicale.sh"
radicale_require
if ! command -v vdirsyncer >/dev/null || ! command -v khal >/dev/null; then
    echo "SKIP: vdirsyncer or khal is not installed"
    exit 77
fi

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
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || fail "no calendar made"

mkdir -p "$WORK/program" "$WORK/config" "$WORK/vdir" "$WORK/status"
cp "$BINARY" "$WORK/program/morvane"
msync() {
    OUT=$(XDG_CONFIG_HOME="$WORK/config" "$WORK/program/morvane" --sync \
        --server "$RADICALE_URL/$RADICALE_USER/cal/" --user "$RADICALE_USER" \
        --password-file "$PASSWORD_FILE" 2>&1) || fail "morvane --sync: $OUT"
}
sql() { sqlite3 "$WORK/program/Morva.dat" "$1"; }

cat > "$WORK/vdirsyncer.conf" <<CONF
[general]
status_path = "$WORK/status/"

[pair cal]
a = "local"
b = "server"
collections = null
conflict_resolution = "b wins"

[storage local]
type = "filesystem"
path = "$WORK/vdir/"
fileext = ".ics"

[storage server]
type = "caldav"
url = "$RADICALE_URL/$RADICALE_USER/cal/"
username = "$RADICALE_USER"
password = "$RADICALE_PASSWORD"
CONF
cat > "$WORK/khal.conf" <<CONF
[calendars]
[[cal]]
path = $WORK/vdir/
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
local_timezone = Asia/Tokyo
default_timezone = Asia/Tokyo
[default]
default_calendar = cal
CONF
vds() {
    vdirsyncer -c "$WORK/vdirsyncer.conf" "$@" >> "$WORK/vdirsyncer.log" 2>&1 ||
        fail "vdirsyncer $*"
}
khal_() { khal -c "$WORK/khal.conf" "$@" 2>> "$WORK/khal.log"; }
yes | vds discover cal

# --- khal to Morvane -----------------------------------------------------------------
khal_ new 2026-12-20 10:00 11:00 "Khal meeting" > /dev/null || fail "khal new"
khal_ new 2026-12-21 "Khal all day" > /dev/null || fail "khal new all-day"
khal_ new 2026-12-22 18:00 19:00 "Khal weekly" -r weekly > /dev/null || fail "khal new weekly"
vds sync
msync
echo "$OUT"
row() { sql "SELECT Year, Month, Day, Week, DayOfTheWeek, StartTime, EndTime FROM Schedule WHERE Message = '$1'"; }
[ "$(row 'Khal meeting')" = "2026|12|20|-1|-1|10:00|11:00" ] || fail "khal's meeting: $(row 'Khal meeting')"
[ "$(row 'Khal all day')" = "2026|12|21|-1|-1||" ] || fail "khal's all-day event: $(row 'Khal all day')"
# 22 December 2026 is a Tuesday (weekday 3, Sunday being 1).
[ "$(row 'Khal weekly')" = "0|0|-1|0|3|18:00|19:00" ] || fail "khal's weekly event: $(row 'Khal weekly')"

# --- Morvane to khal ---------------------------------------------------------------------
fields="Type, Year, Month, Day, Week, DayOfTheWeek, StartTime, EndTime, Alarm, Color, Message"
sql "INSERT INTO Schedule ($fields) VALUES
  (0, 2026, 12, 24, -1, -1, '09:00', '10:00', '08:45', 0, 'ボブの''誕生日''会'),
  (0, 0, 12, 25, -1, -1, '', '', '', 0, 'Every year on the 25th'),
  (0, 0, 0, 10, -1, -1, '', '', '', 0, 'Every month on the 10th'),
  (0, 0, 0, -1, 0, 6, '', '', '', 0, 'Every Friday'),
  (0, 0, 0, -1, 2, 2, '', '', '', 0, 'Second Monday')"
msync
vds sync
listed=$(khal_ list 2026-12-01 2026-12-31)
for text in "ボブの'誕生日'会" "Every year on the 25th" "Every month on the 10th" "Every Friday" \
    "Second Monday"; do
    grep -qF "$text" <<< "$listed" || fail "'$text' is not in khal's list: $listed"
done
# The second Monday of December 2026 is the 14th.
grep -A3 '2026-12-14' <<< "$listed" | grep -q "Second Monday" || fail "the second Monday: $listed"
grep -qF "09:00-10:00 ボブの'誕生日'会" <<< "$listed" || fail "the time: $listed"
grep -rq "TRIGGER:-PT15M" "$WORK/vdir" || fail "the alarm did not reach the other client"

# --- A change and a deletion on each side --------------------------------------------
file=$(grep -l "SUMMARY:Khal meeting" "$WORK"/vdir/*.ics)
sed -i 's/SUMMARY:Khal meeting/SUMMARY:Khal meeting moved/' "$file"
rm "$(grep -l "SUMMARY:Khal all day" "$WORK"/vdir/*.ics)"
sql "UPDATE Schedule SET Message = 'Every Friday evening' WHERE Message = 'Every Friday'"
sql "DELETE FROM Schedule WHERE Message = 'Second Monday'"
vds sync
msync
vds sync
[ -n "$(row 'Khal meeting moved')" ] || fail "khal's change did not arrive"
[ -z "$(row 'Khal all day')" ] || fail "khal's deletion did not arrive"
listed=$(khal_ list 2026-12-01 2026-12-31)
grep -qF "Every Friday evening" <<< "$listed" || fail "the change did not reach khal: $listed"
grep -qF "Second Monday" <<< "$listed" && fail "the deletion did not reach khal: $listed"
echo "PASS"
