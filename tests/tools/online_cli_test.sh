#!/bin/bash
# orvala-tool online against a real orvala-service on a loopback port of its choosing, with its
# own SQLite folder: an account is made and logged into, a record and a rating are written the
# way the game writes them, and the tool reads them back as the windows show them.
set -euo pipefail
tool=$1
service=$2
scratch=$(mktemp -d)
source "$(dirname "$0")/local_service.sh"
online() { "$tool" online --service "$url" "$@"; }

# A raw-style post as the game sends it, straight over the socket.
post() {
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    printf 'POST %s HTTP/1.1\r\nHost: x\r\nUser-Agent: ZorSpecAccess\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: %d\r\nConnection: close\r\n\r\n%s' \
        "$1" "${#2}" "$2" >&3
    cat <&3 >/dev/null
    exec 3<&-
}

expect ok online register ann secret1 --city Tver --country 6-012 --sex W --email ann@x.org
expect is online register ann other12
expect failed online register "a b" secret1
expect "$(printf 'ok\nNick=ann\nCity=Tver\nCountry1=Congo_Rep.\nCountry2=6-012\nSex=W\nEMail=ann@x.org\nDateR=%s\nR01=xxx\nR02=xxx\nR03=xxx\nR04=0\nR05=0\nR06=0' "$(date +%d.%m.%Y)")" \
    online login ann secret1
expect refused online login ann wrong12

expect "" online records 55
post /rec/write 'gid=55&nick=Incognito&city=Moscow&country=1-001&score=420&R7=M&R8=5.7f&R9=#&R10=#*'
expect "1 420 Incognito 1-001 Moscow" online records 55

# The start of a first game for the global rating: one game, the provisional loss.
post /acc/results-write 'nick=ann&pw=secret1&crdorvalkon=1&crdorvalbest=0&crdorvalrating=-1999.96&crdorvalses=0&crdorvalkonl=0&crdorvalscore=0&crdorvalR1=0&crdorvalR2=#'
expect "ann -1999,960" online rating-top

post /stat/like 'gid=55&stat3=1&stat4=ann'
online stat | grep -qx "Likes: 1" || fail "a like not counted"
online stat | grep -qx "Last Like: ann" || fail "the last like"
[ "$(online stat | wc -l)" -eq 10 ] || fail "ten counters"

# A service that is not there.
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
expect "Number of starts: No Connect" online stat
expect "No Connect" online records 55
expect failed online register bob secret1

# Usage errors exit 2.
set +e
"$tool" online stat >/dev/null 2>&1; [ $? -eq 2 ] || fail "no --service"
"$tool" online --service "$url" records 55 --city X >/dev/null 2>&1; [ $? -eq 2 ] || fail "option"
echo "online cli: ok"
