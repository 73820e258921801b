#!/usr/bin/env bash
# Tournament tables on loopback: orvala-service with its game server, and headless players of
# orvala-tool that log in, take their seats through the lobby's web operations and play. Three
# players of a table print the same deal lines and the tournament's top ten takes their results;
# a player that leaves, one that sends a card it may not play, and one that stops moving (the
# server's clock, set short here, ends it) end the game for the others. A finished table is
# taken again at once, and a "Log off" before the deal leaves the service up and the seat free.
# Usage: tourney_loopback_test.sh TOOL SERVICE SCRATCH
set -u
tool=$1
service=$2
dir=$3/tourney
rm -rf "$dir"
mkdir -p "$dir"
failed=0
pid=

fail() {
    echo "FAIL: $*"
    failed=1
}

stop_service() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    pid=
}
trap stop_service EXIT

# Starts a service with its own data folder and the INI lines given; sets $url and $base.
start_service() {
    local name=$1
    shift
    mkdir -p "$dir/$name"
    printf '%s\n' "tournament_on = yes" "$@" >"$dir/$name/orvala-service.ini"
    for _ in 1 2 3 4 5; do
        base=$((20000 + RANDOM % 40000))
        "$service" --listen 127.0.0.1:0 --data "$dir/$name" --table-port $base \
            >"$dir/$name/out" 2>&1 &
        pid=$!
        for _ in $(seq 200); do
            grep -q '^tables on ports' "$dir/$name/out" && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        if grep -q '^tables on ports' "$dir/$name/out"; then
            url=http://127.0.0.1:$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$dir/$name/out")
            return
        fi
        stop_service  # a port of the ten was taken: another base
    done
    fail "$name: the service did not start: $(cat "$dir/$name/out")"
}

# A raw-style post as the game sends it; the reply's body on stdout.
post() {
    local port=${url##*:}
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    printf 'POST %s HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: %d\r\nConnection: close\r\n\r\n%s' \
        "$1" "${#2}" "$2" >&3
    sed '1,/^\r$/d' <&3
    exec 3<&-
}

register() {
    post /acc/register "nick=$1&pw=secret1&city=Tver&country1=Russia&country2=1-001&sex=M&email=$1@x.org&dater=01.01.2026&R01=x&R02=x&R03=x&R04=0&R05=0&R06=0" >/dev/null
}

# player NAME TABLE SEAT NICK [options]: starts a player in the background.
player() {
    local name=$1 table=$2 seat=$3 nick=$4
    shift 4
    "$tool" tourney --service "$url" --nick "$nick" --password secret1 --table "$table" \
        --seat "$seat" --seed $((table * 10 + seat)) "$@" >"$dir/$name.$seat" 2>"$dir/$name.$seat.err" &
}

# Waits for the players started; $st holds their statuses in order.
statuses() {
    local s=()
    for p in "$@"; do
        wait "$p"
        s+=($?)
    done
    st="${s[*]}"
}

start_service games "tournament_seed = 7"
for n in anna boris clara dora egor fedor gleb hana ivan jan kira lev; do register $n; done
[ "$(post /tour/top10 'top10s55=0&nick=z')" = "#" ] || fail "a top ten before any game"

# A whole game on table 3 (start at 500) and on table 10 (bolts, barrel, giving up).
player full 3 1 anna
a=$!
player full 3 2 boris
b=$!
player full 3 3 clara
c=$!
player long 10 1 dora
d=$!
player long 10 2 egor
e=$!
player long 10 3 fedor
f=$!
statuses $a $b $c $d $e $f
[ "$st" = "0 0 0 0 0 0" ] || fail "whole games: statuses $st"
for name in full long; do
    for s in 2 3; do
        cmp -s "$dir/$name.1" "$dir/$name.$s" ||
            fail "$name: seats 1 and $s differ: $(diff "$dir/$name.1" "$dir/$name.$s" | head -3)"
    done
    [ "$(tail -1 "$dir/$name.1")" = "game over" ] || fail "$name: no game over"
done
grep -q '^deal 1 scores anna=[0-9-]* boris=[0-9-]* clara=[0-9-]*$' "$dir/full.1" ||
    fail "full: no first deal line"
# The top ten by games counts six players, and the results of a table add up to nothing.
top=$(post /tour/top10 'top10k55=0&nick=z')
for n in anna boris clara dora egor fedor; do
    grep -q " $n Tver Russia M 1\*" <<<"$top" || fail "$n not in the top ten by games: $top"
done
sum=0
for v in $(post /tour/top10 'top10s55=0&nick=z' | tr '*' '\n' | awk 'NF {print $NF}'); do
    sum=$((sum + v))
done
[ "$sum" -eq 0 ] || fail "the scores of two tables add up to $sum"
grep -q "table 3: results anna=" "$dir/games/out" || fail "no result logged"

# The finished table is taken again at once, while its players may still linger.
player again 3 1 anna --leave-after 1
a=$!
player again 3 2 boris
b=$!
player again 3 3 clara
c=$!
statuses $a $b $c
[ "$st" = "0 1 1" ] || fail "again: statuses $st"

# A player whose link drops after a deal connects again at once: the game goes on to its end,
# every deal line the same, the returned seat's too.
player drop 7 1 jan
a=$!
player drop 7 2 kira --drop-after 1 --reconnect-ms 200
b=$!
player drop 7 3 lev
c=$!
statuses $a $b $c
[ "$st" = "0 0 0" ] || fail "drop: statuses $st"
for s in 1 2 3; do
    [ "$(tail -1 "$dir/drop.$s")" = "game over" ] || fail "drop: seat $s did not finish"
done
cmp -s <(grep '^deal' "$dir/drop.1") <(grep '^deal' "$dir/drop.2") || fail "drop: the lines differ"
grep -qx 'seat kira back' "$dir/drop.2" || fail "drop: kira did not come back"
for s in 1 3; do
    [ "$(grep -x 'seat kira \(away\|back\)' "$dir/drop.$s" | tr '\n' ' ')" = "seat kira away seat kira back " ] ||
        fail "drop: seat $s was not told kira was away and back"
done
grep -q "table 7: seat 2 away" "$dir/games/out" ||
    fail "drop: the server did not log the seat away"

# A player that leaves after a deal: the others are told that it left.
player leave 5 1 gleb --leave-after 1
a=$!
player leave 5 2 hana
b=$!
player leave 5 3 ivan
c=$!
statuses $a $b $c
[ "$st" = "0 1 1" ] || fail "leave: statuses $st"
[ "$(tail -1 "$dir/leave.1")" = "left" ] || fail "leave: the player did not leave"
for s in 2 3; do
    [ "$(tail -1 "$dir/leave.$s")" = "aborted" ] || fail "leave: seat $s did not abort"
    grep -q "a player left the table" "$dir/leave.$s.err" || fail "leave: seat $s not told"
done

# A player that sends a card it may not play: not passed on, and the others see it leave.
player cheat 6 1 anna
a=$!
player cheat 6 2 boris
b=$!
player cheat 6 3 clara --cheat-after 0
c=$!
statuses $a $b $c
[ "$st" = "1 1 1" ] || fail "cheat: statuses $st"
for s in 1 2; do
    grep -q "a player left the table" "$dir/cheat.$s.err" || fail "cheat: seat $s not told"
done
grep -q "table 6: seat 3 left: a step the rules refuse" "$dir/games/out" ||
    fail "cheat: the server did not refuse the card"

# A seat that takes a seat it does not hold is refused.
exec 3<>"/dev/tcp/127.0.0.1/$((base + 8))"
printf 'connect1###########1' >&3
timeout 5 cat <&3 >/dev/null || fail "a connection for a free seat kept open"
exec 3<&-

# "Log off" while waiting for the others: the greeting and the leave frame. The service lives
# on and the seat is free again.
taken=$(post /tour/seat "client3on1=0&gid=55&num=9&can=1&nick1=anna&pw=secret1&score1=0&kon1=0&rating1=0&country1=Russia&city1=Tver&sex1=M&ip1=127.0.0.1")
[ "$taken" = "ok" ] || fail "log off: seat 1 not taken: $taken"
exec 3<>"/dev/tcp/127.0.0.1/$((base + 9))"
printf 'connect1###########1' >&3
printf 'disA#############################################1' >&3
timeout 5 cat <&3 >/dev/null || fail "log off: the connection kept open"
exec 3<&-
kill -0 "$pid" 2>/dev/null || fail "log off: the service died"
[ "$(post /tour/read-seat 'readclient1=0&gid=55&num=9')" = '$X 0 0 0 X X M X$' ] ||
    fail "log off: seat 1 still taken"
stop_service

# A player that stops moving: seat 2 opens the first deal and never bids; the server's clock,
# set to one second here, ends the game with "T" for it.
start_service clock "tournament_move_ms = 1000"
for n in anna boris clara; do register $n; done
player stall 2 1 anna
a=$!
player stall 2 2 boris --stall-after 0
b=$!
player stall 2 3 clara
c=$!
statuses $a $b $c
[ "$st" = "1 1 1" ] || fail "stall: statuses $st"
for s in 1 3; do
    [ "$(tail -1 "$dir/stall.$s")" = "timed out" ] || fail "stall: seat $s not timed out"
done
grep -q "table 2: seat 2 ran out of time" "$dir/clock/out" || fail "stall: no time-out logged"
# Running out of time in the first deal is not free: the game counts, the staller lowest.
top=$(post /tour/top10 'top10s55=0&nick=z')
grep -q " boris Tver Russia M -200\*" <<<"$top" || fail "stall: boris not counted lowest: $top"

if [ $failed -ne 0 ]; then
    echo "files in $dir"
    exit 1
fi
echo "all tournament tables agreed"
