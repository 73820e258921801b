# Sourced by the tool tests that need a real orvala-service: starts "$service" on a loopback port
# of its choosing with its own SQLite folder in "$scratch", sets $url, and stops it on exit. Also
# `fail` and `expect WANT COMMAND...` (the command's whole output must be WANT).
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# The game server's ten table ports follow a base; another test may hold one of them, so a
# service that cannot listen there is started again on another base.
port=
for _ in 1 2 3 4 5; do
    base=$((20000 + RANDOM % 12000))  # below the ephemeral ports
    "$service" --listen 127.0.0.1:0 --data "$scratch" --table-port $base >"$scratch/out" 2>&1 &
    pid=$!
    for _ in $(seq 600); do  # up to 30 s: a loaded machine starts it slowly
        grep -qs '^tables on ports' "$scratch/out" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    if grep -qs '^tables on ports' "$scratch/out"; then
        port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/out")
        break
    fi
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    pid=
done
[ -n "$port" ] || { cat "$scratch/out"; echo "the service did not start"; exit 1; }
url=http://127.0.0.1:$port

fail() { echo "FAIL: $*"; exit 1; }
expect() {
    local got
    got=$("${@:2}" 2>&1) || true
    [ "$got" = "$1" ] || fail "$*: got [$got]"
}
