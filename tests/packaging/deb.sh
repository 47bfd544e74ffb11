#!/bin/bash
# cpack -G DEB in a scratch folder, then what the package holds and needs.
#
#   deb.sh <build folder> <app id>
#
# Exit 0 on success, 77 when the Debian tools are missing, 1 on failure.
set -u

BUILD=$1
APP_ID=$2

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/morvane-deb.XXXXXX") || exit 1
trap 'rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK" > "$WORK/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -20 "$WORK/cpack.log")"
PACKAGE=$(find "$WORK" -maxdepth 1 -name 'morvane_*.deb' | head -n1)
[ -n "$PACKAGE" ] || fail "no package was made: $(ls "$WORK")"
echo "package $(basename "$PACKAGE"), $(stat -c %s "$PACKAGE") bytes"

DEPENDS=$(dpkg-deb -f "$PACKAGE" Depends)
echo "Depends: $DEPENDS"
# The package names alone, one a line, without their version bounds.
NAMES=$(sed 's/, /\n/g' <<< "$DEPENDS" | awk '{ print $1 }')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 \
    libsqlite3-0 qt6-qpa-plugins; do
    grep -qxF "$library" <<< "$NAMES" || fail "Depends lacks $library"
done
[ "$(dpkg-deb -f "$PACKAGE" Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "wrong architecture"

CONTENTS=$(dpkg-deb -c "$PACKAGE" | awk '{ print $6 }')
for file in ./usr/bin/morvane \
    "./usr/share/applications/$APP_ID.desktop" \
    "./usr/share/metainfo/$APP_ID.metainfo.xml" \
    "./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg" \
    "./usr/share/icons/hicolor/16x16/apps/$APP_ID.png" \
    "./usr/share/icons/hicolor/256x256/apps/$APP_ID.png" \
    ./usr/share/morvane/installed \
    ./usr/lib/morvane/morvane-sound.so; do
    grep -qxF "$file" <<< "$CONTENTS" || fail "the package lacks $file"
done
# Only the program is installed, never the test or benchmark tools.
EXTRA=$(grep '^./usr/bin/.' <<< "$CONTENTS" | grep -vxF ./usr/bin/morvane)
[ -z "$EXTRA" ] || fail "unexpected programs in the package: $EXTRA"
echo "PASS"
