#!/bin/bash
# orvala-tool chat against a real orvala-service on loopback: a message posted as the window
# posts it and read back as the window shows it, the service's 15 seconds between two messages
# from one address, and a service that is down. (Two players taking turns, on the service's
# virtual clock, are tests/net's.)
set -euo pipefail
tool=$1
service=$2
scratch=$(mktemp -d)
source "$(dirname "$0")/local_service.sh"
chat() { "$tool" chat --service "$url" "$@"; }

expect "" chat read
expect 1 chat post --nick Ann --city Tver --country 6-012 --sex W "hello all & = #"
expect "1 Ann Tver hello all      " chat read
# Another nick from the same address within 15 seconds: the service refuses.
expect "Unable to send a message!" chat post --nick Bob --city Omsk good game

# Usage errors exit 2 and send nothing.
set +e
chat post --nick A --city Tver hi >/dev/null 2>&1; [ $? -eq 2 ] || fail "a red nick"
chat post --nick Cid --city Omsk >/dev/null 2>&1; [ $? -eq 2 ] || fail "no text"
chat post --nick Cid --city Omsk "$(printf 'x%.0s' $(seq 81))" >/dev/null 2>&1
[ $? -eq 2 ] || fail "81 characters"
chat read --nick Cid >/dev/null 2>&1; [ $? -eq 2 ] || fail "read takes no passport"
set -e
[ "$(chat read | wc -l)" -eq 1 ] || fail "nothing more was posted"

# A service that is not there.
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
expect "No Connect" chat read
expect "Unable to send a message!" chat post --nick Cid --city Omsk hi
echo "chat cli: ok"
