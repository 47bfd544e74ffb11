#!/bin/bash
# The real program's iCalendar files against a real calendar program:
# a table holding every rule kind exported and read by calcurse, then a
# file calcurse wrote from its own appointments imported.
#
#   calcurse.sh <morvane binary>
set -u
BINARY=$1
command -v calcurse > /dev/null || { echo "FAIL: calcurse is not installed"; exit 1; }
command -v sqlite3 > /dev/null || { echo "FAIL: sqlite3 is not installed"; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-calcurse.XXXXXX") || exit 1
trap 'rm -rf "$WORK"' EXIT
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
mkdir -p "$HOME" "$WORK/program" "$WORK/cc" "$WORK/cc-own" "$WORK/other"
cp "$BINARY" "$WORK/program/morvane"
cp "$BINARY" "$WORK/other/morvane"
fail() { echo "FAIL: $*"; exit 1; }

# --- Export of every rule kind, read by calcurse -------------------------------
"$WORK/program/morvane" --export-ics "$WORK/empty.ics" > /dev/null || fail "the first export failed"
sqlite3 "$WORK/program/Morva.dat" "insert into Schedule
  (Type, Year, Month, Day, Week, DayOfTheWeek, StartTime, EndTime, Alarm, Color, Message) values
  (0, 0, 0, -1, 0, 4, '', '', '', 0, 'Weekly Wednesday'),
  (5, 0, 0, -1, 2, 3, '', '', '', 0, 'Second Tuesday'),
  (2, 0, 12, 24, -1, -1, '', '', '', 13, 'Hanako''s birthday'),
  (4, 2026, 12, 11, -1, -1, '10:00', '10:45', '09:30', 14, 'Dentist'),
  (10, 0, 3, NULL, NULL, NULL, '', '', '', 12, '春分の日');
  insert into Schedule
  (Type, Year, Month, Day, Week, DayOfTheWeek, StartTime, EndTime, Alarm, Color, Message,
   FirstDate, LastDate, SkippedDates) values
  (0, 0, 0, -1, 0, 5, '', '', '', 0, 'Bounded Thursday', '2026-12-10', '2027-01-14', '2026-12-31')" ||
    fail "could not fill the table"
"$WORK/program/morvane" --export-ics "$WORK/out.ics" > "$WORK/export.log" 2>&1 ||
    fail "export: $(cat "$WORK/export.log")"
grep -q "^6件" "$WORK/export.log" || fail "export: $(cat "$WORK/export.log")"
calcurse -D "$WORK/cc" -i "$WORK/out.ics" > "$WORK/import.log" 2>&1 || fail "calcurse -i: $(cat "$WORK/import.log")"
grep -q " 0 skipped" "$WORK/import.log" || fail "calcurse skipped events: $(cat "$WORK/import.log")"

day() { calcurse -D "$WORK/cc" -Q --filter-type cal --from "$1" --days 1 | tail -n +2 | tr -d '\t' | paste -sd'|'; }
check() {
    local got
    got=$(day "$1")
    [ "$got" = "$2" ] || fail "calcurse on $1: '$got', expected '$2'"
    echo "calcurse on $1: $got"
}
check 12/09/2026 " * Weekly Wednesday"
check 12/16/2026 " * Weekly Wednesday"
check 12/08/2026 " * Second Tuesday"
check 01/12/2027 " * Second Tuesday"
check 12/15/2026 ""
check 12/24/2027 " * Hanako's birthday"
check 12/11/2026 " - 10:00 -> 10:45|Dentist"
check 03/20/2026 " * 春分の日"
check 03/21/2027 " * 春分の日"
check 03/20/2027 ""
check 12/03/2026 ""
check 12/10/2026 " * Bounded Thursday"
check 12/31/2026 ""
check 01/14/2027 " * Bounded Thursday"
check 01/21/2027 ""

# --- A file calcurse wrote from its own appointments ------------------------------
printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//hand//EN\r\n%s%s%s%s%sEND:VCALENDAR\r\n' \
    'BEGIN:VEVENT\r\nDTSTART:20261215T140000\r\nDTEND:20261215T150000\r\nSUMMARY:Team meeting\r\nEND:VEVENT\r\n' \
    'BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261202\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Gym\r\nEND:VEVENT\r\n' \
    'BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261201\r\nRRULE:FREQ=DAILY;INTERVAL=2\r\nSUMMARY:Water plants\r\nEND:VEVENT\r\n' \
    'BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260115\r\nRRULE:FREQ=MONTHLY\r\nSUMMARY:Pay day\r\nEND:VEVENT\r\n' \
    'BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261224\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Christmas Eve\r\nEND:VEVENT\r\n' |
    sed 's/\\r\\n/\r\n/g' > "$WORK/hand.ics"
calcurse -D "$WORK/cc-own" -i "$WORK/hand.ics" > /dev/null 2>&1 || fail "calcurse could not take its appointments"
calcurse -D "$WORK/cc-own" -x > "$WORK/calcurse.ics" || fail "calcurse -x failed"
grep -q "PRODID:-//calcurse" "$WORK/calcurse.ics" || fail "not calcurse's own file"

"$WORK/other/morvane" --import-ics "$WORK/calcurse.ics" > "$WORK/first.log" 2>&1 || fail "import: $(cat "$WORK/first.log")"
grep -q "そのまま取り込んだ予定：4件" "$WORK/first.log" || fail "import: $(cat "$WORK/first.log")"
grep -q "取り込めなかった予定：1件" "$WORK/first.log" || fail "the every-other-day event was not counted: $(cat "$WORK/first.log")"
ROWS=$(sqlite3 "$WORK/other/Morva.dat" "select Type, Year, Month, Day, Week, DayOfTheWeek, StartTime, EndTime, Message from Schedule order by Message")
EXPECTED="0|0|12|24|-1|-1|||Christmas Eve
0|0|0|-1|0|4|||Gym
0|0|0|15|-1|-1|||Pay day
0|2026|12|15|-1|-1|14:00|15:00|Team meeting"
[ "$ROWS" = "$EXPECTED" ] || fail "imported rows:
$ROWS"
"$WORK/other/morvane" --import-ics "$WORK/calcurse.ics" --ics-expand 2026-2026 > "$WORK/second.log" 2>&1 || fail "second import"
grep -q "既にあるため追加しなかった予定：4件" "$WORK/second.log" || fail "duplicates were added: $(cat "$WORK/second.log")"
[ "$(sqlite3 "$WORK/other/Morva.dat" "select count(*) from Schedule where Message = 'Water plants'")" = 16 ] ||
    fail "the every-other-day event was not expanded over December 2026"
[ "$(sqlite3 "$WORK/other/Morva.dat" "select count(*) from Schedule")" = 20 ] || fail "unexpected rows"

# A broken file names its line and changes nothing.
head -c 300 "$WORK/calcurse.ics" > "$WORK/broken.ics"
"$WORK/other/morvane" --import-ics "$WORK/broken.ics" > "$WORK/broken.log" 2>&1 && fail "a truncated file was accepted"
grep -q "行目を読み取れません" "$WORK/broken.log" || fail "no line named: $(cat "$WORK/broken.log")"
[ "$(sqlite3 "$WORK/other/Morva.dat" "select count(*) from Schedule")" = 20 ] || fail "a broken file changed the table"
echo "PASS"
