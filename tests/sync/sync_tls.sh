#!/bin/bash
# A calendar server with a self-signed certificate: `morvane --sync`
# refuses it and shows its SHA-256 fingerprint; with that fingerprint
# confirmed it syncs, also in later runs; a server that changes its
# certificate is refused again.
#
#   sync_tls.sh <morvane binary>
#
# Exit 0 on success, 77 when Radicale or openssl is not installed, 1 on failure.
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
    tail -n 20 "$WORK/radicale.log"
    exit 1
}

certificate() { # certificate NAME: a self-signed certificate for 127.0.0.1
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=127.0.0.1" \
        -addext "subjectAltName=IP:127.0.0.1" -keyout "$WORK/$1.key" -out "$WORK/$1.pem" \
        2> /dev/null || fail "no certificate made"
    openssl x509 -in "$WORK/$1.pem" -noout -fingerprint -sha256 | sed 's/^.*=//'
}

mkdir -p "$WORK/program" "$WORK/config"
cp "$BINARY" "$WORK/program/morvane"
morvane() { XDG_CONFIG_HOME="$WORK/config" "$WORK/program/morvane" "$@"; }

first=$(certificate first)
radicale_start "$WORK/first.pem" "$WORK/first.key" || fail "Radicale did not start"
[ "$(dav MKCALENDAR /$RADICALE_USER/cal/)" = 201 ] || fail "no calendar made"

OUT=$(morvane --sync --server "$RADICALE_URL/" --user "$RADICALE_USER" \
    --password-file "$PASSWORD_FILE" 2>&1) && fail "an unverified certificate was taken: $OUT"
case "$OUT" in *"$first"*) ;; *) fail "the fingerprint was not shown: $OUT" ;; esac

OUT=$(morvane --sync --trust-fingerprint "$first" --password-file "$PASSWORD_FILE" 2>&1) ||
    fail "the confirmed certificate was refused: $OUT"
OUT=$(morvane --sync --password-file "$PASSWORD_FILE" 2>&1) ||
    fail "the confirmed certificate was not kept: $OUT"

radicale_stop
second=$(certificate second)
radicale_start "$WORK/second.pem" "$WORK/second.key" || fail "Radicale did not start again"
port=${RADICALE_URL##*:}
OUT=$(morvane --sync --server "https://127.0.0.1:$port/" --password-file "$PASSWORD_FILE" 2>&1) &&
    fail "another certificate was taken: $OUT"
case "$OUT" in *"$second"*) ;; *) fail "the new fingerprint was not shown: $OUT" ;; esac
grep -q "$RADICALE_PASSWORD" "$WORK/config/Quillstone/Morvane.ini" && fail "password stored"
echo "PASS"
