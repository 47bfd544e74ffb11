# Helpers to run a real CalDAV server (Radicale) for a test: started on
# 127.0.0.1 at a free port with htpasswd authentication and its storage in
# the test's own folder, stopped when the test ends. Source it after
# setting WORK to an empty folder.

RADICALE_USER=alice
RADICALE_PASSWORD="pa'ss wörd"

radicale_require() {
    if ! command -v radicale >/dev/null || ! command -v curl >/dev/null ||
        ! command -v sqlite3 >/dev/null || ! command -v openssl >/dev/null; then
        echo "SKIP: radicale, curl, sqlite3 or openssl is not installed"
        exit 77
    fi
}

free_port() {
    /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# radicale_start [CERTIFICATE KEY]: sets RADICALE_URL, RADICALE_STORAGE,
# PASSWORD_FILE; with a certificate and its key, over TLS. With
# RADICALE_FAST set (the benchmarks'), the server neither syncs its writes
# to the disk nor reads every resource of the collection for each new one
# to look for its UID, so that thousands of new resources cost the clients'
# time and not mostly the server's; its configuration file takes neither.
radicale_start() {
    local port scheme=http tls=
    port=$(free_port)
    if [ $# -ge 2 ]; then
        scheme=https
        tls=$(printf 'ssl = True\ncertificate = %s\nkey = %s' "$1" "$2")
    fi
    RADICALE_STORAGE="$WORK/radicale"
    mkdir -p "$RADICALE_STORAGE"
    printf '%s:%s\n' "$RADICALE_USER" "$RADICALE_PASSWORD" > "$WORK/users"
    PASSWORD_FILE="$WORK/password"
    printf '%s\n' "$RADICALE_PASSWORD" > "$PASSWORD_FILE"
    cat > "$WORK/radicale.conf" <<CONF
[server]
hosts = 127.0.0.1:$port
max_content_length = 100000000
$tls
[auth]
type = htpasswd
htpasswd_filename = $WORK/users
htpasswd_encryption = plain
[rights]
type = owner_only
[storage]
filesystem_folder = $RADICALE_STORAGE
[logging]
level = ${RADICALE_LOG_LEVEL:-warning}
CONF
    if [ -n "${RADICALE_FAST:-}" ]; then
        /usr/bin/python3 - "$WORK/radicale.conf" > "$WORK/radicale.log" 2>&1 <<'PY' &
import sys
from radicale import config, log, server, storage
storage.BaseCollection.has_uid = lambda self, uid: False
log.setup()
configuration = config.load([(sys.argv[1], False)])
configuration.update({"storage": {"_filesystem_fsync": "False"}}, "benchmark", privileged=True)
log.set_level(configuration.get("logging", "level"))
server.serve(configuration)
PY
    else
        radicale --config "$WORK/radicale.conf" > "$WORK/radicale.log" 2>&1 &
    fi
    RADICALE_PID=$!
    RADICALE_URL="$scheme://127.0.0.1:$port"
    local tries=0
    until curl -s -k -o /dev/null "$RADICALE_URL/"; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 $RADICALE_PID 2>/dev/null; then
            cat "$WORK/radicale.log"
            return 1
        fi
        sleep 0.1
    done
}

radicale_stop() {
    [ -n "${RADICALE_PID:-}" ] && kill $RADICALE_PID 2>/dev/null && wait $RADICALE_PID 2>/dev/null
    RADICALE_PID=
}

# dav METHOD PATH [curl options...]: prints the HTTP status.
dav() {
    local method=$1 path=$2
    shift 2
    curl -s -k -o "$WORK/dav.out" -w '%{http_code}' -u "$RADICALE_USER:$RADICALE_PASSWORD" \
        -X "$method" "$@" "$RADICALE_URL$path"
}

# The event resources the server holds in a collection (path under the user).
server_events() {
    find "$RADICALE_STORAGE/collection-root/$RADICALE_USER/$1" -maxdepth 1 -name '*.ics' | wc -l
}
