# Sourced by the tool tests that need a real orvala-service: starts "$service" on a loopback port
# of its choosing with its own SQLite folder in "$scratch", sets $url, and stops it on exit. Also
# `fail` and `expect WANT COMMAND...` (the command's whole output must be WANT).
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

"$service" --listen 127.0.0.1:0 --data "$scratch" >"$scratch/out" 2>&1 &
pid=$!
port=
for _ in $(seq 600); do  # up to 30 s: a loaded machine starts it slowly
    port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/out")
    [ -n "$port" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$scratch/out"; exit 1; }
    sleep 0.05
done
[ -n "$port" ] || { echo "the service did not start"; exit 1; }
url=http://127.0.0.1:$port

fail() { echo "FAIL: $*"; exit 1; }
expect() {
    local got
    got=$("${@:2}" 2>&1) || true
    [ "$got" = "$1" ] || fail "$*: got [$got]"
}
