#!/bin/bash
# The installed program: cmake --install into a private prefix, the desktop
# entry, metainfo and icons where a desktop looks for them and valid, then
# the installed binary started on a virtual desktop, keeping its data in the
# per-user folder although the prefix could be written.
#
#   install.sh <build folder> <app id> <folder for screenshots>
#
# Exit 0 on success, 77 when no X server for tests is installed, 1 on failure.
set -u

BUILD=$1
APP_ID=$2
ARTIFACTS=$3

# shellcheck source=tests/e2e/desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
desktop_require_tools xwininfo import identify compare rsvg-convert desktop-file-validate appstreamcli
desktop_begin install

fail() {
    echo "FAIL: $*"
    desktop_failure_report "$ARTIFACTS/failure.png"
    exit 1
}

mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS"/*.png

# --- The files a desktop finds -----------------------------------------------
PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" > "$WORK/install.log" 2>&1 || fail "cmake --install failed"
SHARE="$PREFIX/share"
[ -x "$PREFIX/bin/morvane" ] || fail "bin/morvane is missing"
DESKTOP_FILE="$SHARE/applications/$APP_ID.desktop"
METAINFO="$SHARE/metainfo/$APP_ID.metainfo.xml"
[ -f "$DESKTOP_FILE" ] || fail "the desktop entry is missing"
[ -f "$METAINFO" ] || fail "the metainfo is missing"
[ -f "$SHARE/morvane/installed" ] || fail "the installation marker is missing"

desktop-file-validate "$DESKTOP_FILE" > "$WORK/desktop-file.log" 2>&1 ||
    fail "desktop-file-validate: $(cat "$WORK/desktop-file.log")"
appstreamcli validate --no-net "$METAINFO" > "$WORK/appstream.log" 2>&1 ||
    fail "appstreamcli validate: $(cat "$WORK/appstream.log")"
grep -qx "Icon=$APP_ID" "$DESKTOP_FILE" || fail "the entry does not name the icon"
grep -qx "Name\[ja\]=モルヴァ" "$DESKTOP_FILE" || fail "the entry has no Japanese name"
grep -qx "Categories=Office;Calendar;Utility;" "$DESKTOP_FILE" || fail "the entry's categories"

for size in 16 22 24 32 48 64 128 256; do
    icon="$SHARE/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
    [ -f "$icon" ] || fail "no $size pixel icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the $size pixel icon has the wrong size"
done
SVG="$SHARE/icons/hicolor/scalable/apps/$APP_ID.svg"
grep -q "<svg" "$SVG" 2> /dev/null || fail "no scalable icon"
# The scalable icon is the same drawing: rendered at 48 pixels it matches the
# bitmap closely.
rsvg-convert -w 48 -h 48 "$SVG" -o "$WORK/svg48.png" 2> /dev/null &&
    DIFF=$(compare -metric RMSE "$WORK/svg48.png" "$SHARE/icons/hicolor/48x48/apps/$APP_ID.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/') &&
    echo "scalable icon against the 48 pixel one: RMSE $DIFF" &&
    awk -v d="$DIFF" 'BEGIN { exit !(d < 0.15) }' || fail "the scalable icon is not the program's picture (RMSE ${DIFF:-?})"

# --- The installed program on a desktop ----------------------------------------
desktop_start 120 199 || fail "$DESKTOP_ERROR"
DATA="$XDG_DATA_HOME/Quillstone/Morvane"
"$PREFIX/bin/morvane" > "$WORK/run.log" 2>&1 &
APP=$!
desktop_track $APP

TIMEOUT=20 wait_for test -f "$DATA/Morva.dat" || fail "Morva.dat did not appear in $DATA"
[ -e "$PREFIX/bin/Morva.dat" ] && fail "the installed program wrote its data beside itself"
calendar_window() { month_window "$APP"; }
TIMEOUT=20 wait_for shows calendar_window || fail "the month window did not show"
# The windows carry the program's icon for the task bar and switcher.
xprop -id "$(calendar_window)" _NET_WM_ICON 2> /dev/null | grep -q "Icon" ||
    fail "the window has no icon"
sleep 1
import -window root "$ARTIFACTS/installed.png" || fail "no screenshot"
echo "installed program shows its month window, data in $DATA"

kill -TERM "$APP"
TIMEOUT=15 wait_for has_ended "$APP" || fail "SIGTERM did not end the program"
wait "$APP"
STATUS=$?
[ $STATUS -eq 0 ] || fail "the program ended with status $STATUS"
[ -z "$(find "$PREFIX" -name 'Morva.*' -o -name 'Cal.ini')" ] || fail "files written into the prefix"
echo "PASS"
