#!/bin/bash
# An alarm on a real (virtual) desktop with a real audio path: a one-off and
# a weekly schedule of today whose alarms fall one minute ahead. When the
# minute comes the tray icon alternates its two pictures; the sound file
# reaches the audio server (a null sink of a PulseAudio server of our own)
# once; while the day editor of today is open with its text box in focus, a
# click on the icon opens the alarm window on the weekly schedule (the last
# raised) and takes the keys: Enter is its OK and acknowledges it; the next
# tick brings the one-off with its sound again, Escape (also OK) acknowledges
# that too, and the editor behind stays open; after the end the data file
# holds both acknowledgements and no schedule text took a key meant for the
# alarm window.
#
#   alarm.sh <morvane binary> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server or audio server can run here, 1 on
# failure.
set -u

BINARY=$1
ARTIFACTS=$2

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import convert sqlite3 md5sum od pulseaudio pactl parec
desktop_begin alarm

fail() {
    echo "FAIL: $*"
    [ -n "${APP:-}" ] && { echo "--- windows of the program"; desktop_windows "$APP"; }
    [ -s "${CAPTURE:-}" ] && echo "--- sound bursts heard: $(sound_bursts)"
    desktop_failure_report "$ARTIFACTS/alarm_failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/*.png

# --- A desktop of our own, with a tray and an audio server -------------------
desktop_start 120 199 || fail "$DESKTOP_ERROR"
PANEL=$(xdotool search --name '^panel$' | head -n1)
[ -n "$PANEL" ] || fail "no trayer panel"

export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse.sock"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --log-target=stderr \
    -L "module-null-sink sink_name=morvane_null" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse.sock" \
    > "$WORK/pulseaudio.log" 2>&1 &
desktop_track $!
if ! TIMEOUT=10 wait_for pactl info > /dev/null 2>&1; then
    echo "SKIP: the audio server cannot run here"
    tail -5 "$WORK/pulseaudio.log"
    exit 77
fi
pactl set-default-sink morvane_null
# Everything the server plays, as 8-bit mono at 8 kHz (silence is 128).
CAPTURE="$WORK/capture.raw"
parec -d morvane_null.monitor --raw --format=u8 --channels=1 --rate=8000 > "$CAPTURE" 2> /dev/null &
desktop_track $!

# Bursts of sound heard so far: runs of loud samples parted by at least half
# a second of silence.
sound_bursts() {
    od -An -tu1 -v -w1 "$CAPTURE" | awk '
        { loud = ($1 > 168 || $1 < 88) }
        loud && (quiet >= 4000 || bursts == 0) { bursts++ }
        { quiet = loud ? 0 : quiet + 1 }
        END { print bursts + 0 }'
}

# --- The sound file: one second of a 400 Hz tone, 8-bit mono 8 kHz ----------
SOUND="$WORK/alarm.wav"
{
    printf 'RIFF\x64\x1f\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
    printf '\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\x40\x1f\x00\x00'
    for _ in $(seq 400); do
        printf '\x30\x30\x30\x30\x30\x30\x30\x30\x30\x30\xd0\xd0\xd0\xd0\xd0\xd0\xd0\xd0\xd0\xd0'
    done
} > "$SOUND"

# --- Settings: flash, beep and sound ---------------------------------------------
SETTINGS="$XDG_CONFIG_HOME/Quillstone/Morvane.ini"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nShowTitle=False\nFlashIcon=True\nBeepFlg=True\nSoundFlg=True\nSoundFile=%s\n' \
    "$SOUND" > "$SETTINGS"

PROGRAM="$WORK/program"
desktop_copy_program "$BINARY" "$PROGRAM"
DATA="$PROGRAM/Morva.dat"
TRACE="$WORK/alarm-trace.txt"

APP=
start_program() {
    MORVANE_ALARM_TRACE="$TRACE" "$PROGRAM/morvane" > "$WORK/run$1.log" 2>&1 &
    APP=$!
    desktop_track $APP
}
stop_program() {
    kill -TERM "$APP"
    TIMEOUT=15 wait_for has_ended "$APP" || fail "the program did not end on SIGTERM"
    wait "$APP"
}

# --- A data file: the first run creates it ----------------------------------------
start_program 1
TIMEOUT=20 wait_for test -f "$DATA" || fail "Morva.dat was not created"
sleep 1
stop_program

# --- Two schedules of today, their alarms one minute ahead ---------------------------
# Late in a minute the next one could come before the program is up: take the
# one after.
[ "$((10#$(date +%S)))" -ge 45 ] && sleep 16
ALARM=$(date -d '+1 minute' +%H:%M)
ALARM_CAPTION_TIME="$((10#${ALARM%:*})):${ALARM#*:}"
[ "$(date -d '+1 minute' +%F)" = "$(date +%F)" ] || { sleep 61; ALARM=$(date -d '+1 minute' +%H:%M); }
YEAR=$(date +%Y)
MONTH=$((10#$(date +%m)))
DAY=$((10#$(date +%d)))
W=$(($(date +%w) + 1))
WEEKDAY_NAME=$(echo 日 月 火 水 木 金 土 | cut -d' ' -f"$W")
sqlite3 "$DATA" "INSERT INTO Schedule (Type, Year, Month, Day, Week, DayOfTheWeek, Alarm, Color, Mark, Message)
    VALUES (0, $YEAR, $MONTH, $DAY, -1, -1, '$ALARM', 0, 0, '歯医者の予約 (保険証を忘れずに)'),
           (4, 0, 0, -1, 0, $W, '$ALARM', 0, 0, '週次ミーティング');" ||
    fail "could not add the schedules"

start_program 2

# The icon: a window of the program docked inside the trayer panel (the
# toolkit names it after the program).
tray_icon() {
    xwininfo -id "$PANEL" -tree | awk '/"Morvane"|"モルヴァ"/ { print $1; exit }'
}
TIMEOUT=20 wait_for shows tray_icon || fail "no tray icon docked in trayer"
ICON=$(tray_icon)
icon_picture() { import -window "$ICON" png:- 2> /dev/null | md5sum | cut -d' ' -f1; }
sleep 1
QUIET_PICTURE=$(icon_picture)
[ "$(sound_bursts)" -eq 0 ] || fail "sound before the alarm time"
# Nothing has played yet: the media framework is not loaded.
! grep -q libQt6Multimedia "/proc/$APP/maps" || fail "the media libraries loaded before any sound"

# --- The day editor of today open, its text box holding the keys -------------------
calendar_window() { month_window "$APP"; }
editor_window() { window_titled "予定編集"; }
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
W1=$(($(date -d "$YEAR-$MONTH-01" +%w) + 1))
CELL=$((DAY + W1 + 6))
eval "$(xdotool getwindowgeometry --shell "$(calendar_window)")"
xdotool mousemove $((X + (84 + 274 * ((CELL - 1) % 7)) / 15 + 7)) \
    $((Y + (384 + 228 * ((CELL - 1) / 7)) / 15 + 7)) click 1
TIMEOUT=10 wait_for shows editor_window || fail "a press on today did not open the editor"
EDITOR=$(editor_window)
xdotool windowactivate --sync "$EDITOR" > /dev/null 2>&1
echo "alarm time $ALARM; the editor is open; waiting for the tray icon to flash"

# --- The alarm minute: the icon alternates two pictures ----------------------------
flashing() {
    local seen=() picture i
    for i in 1 2 3 4 5 6 7 8; do
        picture=$(icon_picture)
        [[ " ${seen[*]} " == *" $picture "* ]] || seen+=("$picture")
        sleep 0.15
    done
    [ "${#seen[@]}" -eq 2 ]
}
TIMEOUT=90 WAIT_STEP=0.5 wait_for flashing || fail "the tray icon did not flash"
eval "$(xdotool getwindowgeometry --shell "$PANEL")"
import -window root png:- | convert - -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -scale 400% \
    "$ARTIFACTS/alarm_tray_flashing.png"
echo "the icon flashes"

# The sound file reached the audio server once, and only once over later
# ticks that raise the alarm again.
heard() { [ "$(sound_bursts)" -ge 1 ]; }
TIMEOUT=10 WAIT_STEP=0.5 wait_for heard || fail "the sound never reached the audio server"
sleep 11
[ "$(sound_bursts)" -eq 1 ] || fail "expected one playback, heard $(sound_bursts)"
echo "one playback reached the audio server"

# --- A click on the icon opens the alarm window ---------------------------------------
# The desktop may add the program's name to the title.
alarm_window() {
    desktop_windows "$APP" | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == "モルヴァ - アラーム" || $0 == "モルヴァ - アラーム — モルヴァ") print id }' | head -n1
}
click_icon() {
    eval "$(xdotool getwindowgeometry --shell "$ICON")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}
shown_caption() { tail -n 2 "$TRACE" | head -n1; }
shown_text() { tail -n 1 "$TRACE"; }

active_is() { [ "$(xdotool getactivewindow 2> /dev/null)" = "$1" ]; }
click_icon
TIMEOUT=10 wait_for shows alarm_window || fail "a click on the flashing icon did not open the alarm window"
WINDOW=$(alarm_window)
TIMEOUT=5 wait_for active_is "$WINDOW" ||
    fail "the alarm window opened from the tray did not take the keys (active: $(xdotool getactivewindow getwindowname 2> /dev/null))"
sleep 0.5
import -window root "$ARTIFACTS/alarm_desktop.png"
import -window "$WINDOW" "$ARTIFACTS/alarm_weekly.png"
[ "$(shown_caption)" = "[毎週${WEEKDAY_NAME}曜日 $ALARM_CAPTION_TIME] のアラーム" ] ||
    fail "weekly caption: $(shown_caption)"
[ "$(shown_text)" = "週次ミーティング" ] || fail "weekly text: $(shown_text)"
quiet_icon() { [ "$(icon_picture)" = "$QUIET_PICTURE" ]; }
TIMEOUT=2 wait_for quiet_icon || fail "the icon still flashes with the window open"
echo "alarm window: $(shown_caption)"

xdotool key Return # OK, the window's default button, not a new line behind it
TIMEOUT=10 wait_for gone alarm_window || fail "Enter did not close the alarm window"

# The one-off is still due: the next tick raises it again.
TIMEOUT=15 WAIT_STEP=0.5 wait_for flashing || fail "the one-off alarm did not come back"
click_icon
TIMEOUT=10 wait_for shows alarm_window || fail "the second alarm window did not open"
WINDOW=$(alarm_window)
TIMEOUT=5 wait_for active_is "$WINDOW" || fail "the second alarm window did not take the keys"
sleep 0.5
import -window "$WINDOW" "$ARTIFACTS/alarm_oneoff.png"
[ "$(shown_caption)" = "[${YEAR}年${MONTH}月${DAY}日 $ALARM_CAPTION_TIME] のアラーム" ] ||
    fail "one-off caption: $(shown_caption)"
[ "$(shown_text)" = "歯医者の予約 (保険証を忘れずに)" ] || fail "one-off text: $(shown_text)"
echo "alarm window: $(shown_caption)"
# Once the user has seen the first window, the next alarm may sound again.
heard_again() { [ "$(sound_bursts)" -ge 2 ]; }
TIMEOUT=10 WAIT_STEP=0.5 wait_for heard_again || fail "the second alarm was not heard"
xdotool key Escape # also OK; the editor behind stays open
TIMEOUT=10 wait_for gone alarm_window || fail "Escape did not close the second alarm window"
[ -n "$(editor_window)" ] || fail "a key meant for the alarm window closed the editor behind it"

# Nothing is left to ring: the icon stays quiet over a tick.
sleep 6
[ "$(icon_picture)" = "$QUIET_PICTURE" ] || fail "the icon flashes after both alarms were acknowledged"
[ "$(sound_bursts)" -eq 2 ] || fail "expected two playbacks in all, heard $(sound_bursts)"

# --- The acknowledgements are in Morva.dat ------------------------------------------
stop_program
[ "$(sqlite3 "$DATA" "SELECT Alarm FROM Schedule WHERE Type = 0 AND Year = $YEAR")" = " " ] ||
    fail "the one-off alarm was not acknowledged: $(sqlite3 "$DATA" 'SELECT * FROM Schedule')"
[ "$(sqlite3 "$DATA" "SELECT AlarmFlag FROM Schedule WHERE Type = 4")" = "$(date +%Y/%m/%d)" ] ||
    fail "the weekly alarm was not acknowledged: $(sqlite3 "$DATA" 'SELECT * FROM Schedule')"
[ "$(sqlite3 "$DATA" "SELECT Alarm FROM Schedule WHERE Type = 4")" = "$ALARM" ] ||
    fail "the weekly schedule lost its alarm time"
[ "$(sqlite3 "$DATA" "SELECT COUNT(*) FROM Schedule WHERE instr(Message, char(10)) > 0 OR instr(Message, char(13)) > 0")" = 0 ] ||
    fail "a key meant for the alarm window reached a schedule text: $(sqlite3 "$DATA" 'SELECT Message FROM Schedule')"
echo "PASS"
