#!/bin/bash
# A password typed on the options page's 同期 and applied lands in the
# desktop's secret store: gnome-keyring unlocked inside a private D-Bus
# session, as on a desktop.
#
#   sync_page_secret.sh <options_sync_page_tests binary>
#
# Exit 0 on success, 77 when a program is not installed, 1 on failure.
set -u

TESTS=$1
if ! command -v gnome-keyring-daemon >/dev/null || ! command -v dbus-run-session >/dev/null; then
    echo "SKIP: gnome-keyring-daemon or dbus-run-session is not installed"
    exit 77
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export HOME="$WORK" XDG_DATA_HOME="$WORK/share" XDG_CONFIG_HOME="$WORK/config"
export TESTS MORVANE_SECRET_STORE_TEST=1 QT_QPA_PLATFORM=offscreen
dbus-run-session -- bash -c '
    eval "$(printf "keyring-test" | gnome-keyring-daemon --unlock --components=secrets)"
    "$TESTS" aPasswordAppliedLandsInTheDesktopSecretStore
' || { echo "FAIL"; exit 1; }
echo "PASS"
