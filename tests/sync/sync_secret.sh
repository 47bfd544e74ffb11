#!/bin/bash
# The password from the desktop's secret store: a gnome-keyring unlocked
# inside a private D-Bus session holds it, `morvane --sync` without a
# password file uses it, and no file the program writes holds it. Without
# a secret store, the sync asks for a password file instead.
#
#   sync_secret.sh <morvane binary> <secret writer>
#
# Exit 0 on success, 77 when a program is not installed, 1 on failure.
set -u

BINARY=$1
WRITER=$2
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/radicale.sh"
radicale_require
if ! command -v gnome-keyring-daemon >/dev/null || ! command -v dbus-run-session >/dev/null; then
    echo "SKIP: gnome-keyring-daemon or dbus-run-session is not installed"
    exit 77
fi

cleanup() {
    radicale_stop
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    tail -n 20 "$WORK/radicale.log"
    exit 1
}

radicale_start || fail "Radicale did not start"
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || fail "no calendar made"
mkdir -p "$WORK/program" "$WORK/home"
cp "$BINARY" "$WORK/program/morvane"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
SERVER="$RADICALE_URL/$RADICALE_USER/cal/"

# No secret store: the sync says a password file is needed.
OUT=$(env -u DBUS_SESSION_BUS_ADDRESS "$WORK/program/morvane" --sync --server "$SERVER" \
    --user "$RADICALE_USER" 2>&1) && fail "a sync ran without a password: $OUT"
case "$OUT" in *"--password-file"*) ;; *) fail "no password file was asked for: $OUT" ;; esac

export SERVER WRITER RADICALE_PASSWORD RADICALE_USER WORK
dbus-run-session -- bash -c '
    eval "$(printf "keyring-test" | gnome-keyring-daemon --unlock --components=secrets)"
    printf "%s\n" "$RADICALE_PASSWORD" | "$WRITER" "$SERVER" "$RADICALE_USER" || exit 3
    "$WORK/program/morvane" --sync > "$WORK/sync.out" 2>&1 || exit 4
' || fail "the sync with the stored password failed ($?): $(cat "$WORK/sync.out" 2>/dev/null)"
grep -q "同期しました" "$WORK/sync.out" || fail "no sync: $(cat "$WORK/sync.out")"

# The password is in no file the program wrote.
if grep -rlF "$RADICALE_PASSWORD" "$WORK/program" "$XDG_CONFIG_HOME"; then
    fail "the password was written to a file"
fi
echo "PASS"
