#!/usr/bin/env bash
# LAN tables on loopback with the headless peers of orvala-tool: every machine of a table must
# print the same deal lines; a joiner that leaves mid-game is played by the host's computer and
# may come back; a host that leaves ends the session on its joiner with "aborted" and status 1;
# garbage takes no seat. Usage: lan_loopback_test.sh TOOL SCRATCH
set -u
tool=$1
dir=$2/lan
rm -rf "$dir"
mkdir -p "$dir"
failed=0

fail() {
    echo "FAIL: $*"
    failed=1
}

# Starts a host on a free port; sets $host_pid and $port.
start_host() {
    local name=$1
    shift
    "$tool" lan host --port 0 --name Hostes "$@" >"$dir/$name.host" 2>"$dir/$name.host.err" &
    host_pid=$!
    port=
    for _ in $(seq 1 200); do
        port=$(sed -n 's/^listening on port //p' "$dir/$name.host.err")
        [ -n "$port" ] && return
        sleep 0.05
    done
    fail "$name: the host did not listen"
}

join() {
    local name=$1 who=$2
    shift 2
    "$tool" lan join --address 127.0.0.1 --port "$port" --name "$who" "$@" \
        >"$dir/$name.$who" 2>"$dir/$name.$who.err" &
}

# Waits for every started machine; $st holds their statuses in order of start.
statuses() {
    local s=()
    for pid in "$@"; do
        wait "$pid"
        s+=($?)
    done
    st="${s[*]}"
}

same_lines() {
    local name=$1 first=$2
    shift 2
    for other in "$@"; do
        cmp -s "$dir/$name.$first" "$dir/$name.$other" ||
            fail "$name: $first and $other differ: $(diff "$dir/$name.$first" "$dir/$name.$other" | head -3)"
    done
}

# Host and one joiner, whole games: the host plays the computer seat.
for seed in 5 6; do
    name=two$seed
    start_host $name --seed $seed --players 2 --rules 011111
    join $name Anna --seed $((seed + 10))
    joiner=$!
    statuses $host_pid $joiner
    [ "$st" = "0 0" ] || fail "$name: statuses $st"
    same_lines $name host Anna
    [ "$(tail -1 "$dir/$name.host")" = "game over" ] || fail "$name: no game over"
    grep -q '^deal 1 scores Anna=[0-9-]* PC=[0-9-]* Hostes=[0-9-]*$' "$dir/$name.host" ||
        fail "$name: no first deal line"
done

# Host and two joiners, two rule lines.
for rules in 011111 100310; do
    name=three$rules
    start_host $name --seed 3 --players 3 --deals 8 --rules $rules
    join $name Anna --seed 4 --deals 8
    a=$!
    sleep 0.2  # the second joiner takes the second seat
    join $name Boris --seed 5 --deals 8
    b=$!
    statuses $host_pid $a $b
    [ "$st" = "0 0 0" ] || fail "$name: statuses $st"
    same_lines $name host Anna Boris
    [ "$(wc -l <"$dir/$name.host")" -eq 8 ] || fail "$name: not 8 deals"
    grep -q ' Boris=' "$dir/$name.host" || fail "$name: no second joiner in the lines"
done

# A joiner that quits after two deals: the host's computer plays its seat, and the host and the
# other joiner play to the end in step, both saying so.
name=leaver
start_host $name --seed 7 --players 3
join $name Anna --seed 8 --deals 2
a=$!
sleep 0.2
join $name Boris --seed 9
b=$!
statuses $host_pid $a $b
[ "$st" = "0 0 0" ] || fail "$name: statuses $st"
same_lines $name host Boris
[ "$(tail -1 "$dir/$name.host")" = "game over" ] || fail "$name: the host did not play to the end"
grep -qx 'seat Anna computer' "$dir/$name.host" || fail "$name: the host did not say who plays"

# A joiner whose link drops in the second deal and comes back after the fourth: every deal line
# it prints is the host's, and the others say when it went and came back.
name=rejoin
start_host $name --seed 11 --players 3
join $name Anna --seed 12
a=$!
sleep 0.2
join $name Boris --seed 13 --leave-after-deal 1 --rejoin-after-deal 4
b=$!
statuses $host_pid $a $b
[ "$st" = "0 0 0" ] || fail "$name: statuses $st"
same_lines $name host Anna
grep '^deal' "$dir/$name.Boris" >"$dir/$name.Boris.deals"
grep -qxF -f "$dir/$name.Boris.deals" "$dir/$name.host" || fail "$name: no deal lines from Boris"
[ -z "$(grep -vxF -f "$dir/$name.host" "$dir/$name.Boris.deals")" ] ||
    fail "$name: Boris printed deal lines the host did not"
# It comes back at the first try after the fourth deal, which may be several deals later on a
# loaded machine: any deal past the fourth shows it played on.
awk '$1 == "deal" && $2 > 4 { found = 1 } END { exit !found }' "$dir/$name.Boris" ||
    fail "$name: Boris did not play on after coming back"
grep -qx 'seat Boris back' "$dir/$name.Anna" || fail "$name: Anna did not see Boris come back"

# The host leaves after two deals: its joiner aborts.
name=hostleaves
start_host $name --seed 7 --players 2 --deals 2
join $name Anna --seed 8
a=$!
statuses $host_pid $a
[ "$st" = "0 1" ] || fail "$name: statuses $st"
[ "$(tail -1 "$dir/$name.Anna")" = "aborted" ] || fail "$name: the joiner did not abort"

# Garbage where a join request belongs, and a connection that says nothing, take no seat: the
# host closes the first and the real joiner after them plays a whole game.
name=garbage
start_host $name --seed 7 --players 2
exec 3<>"/dev/tcp/127.0.0.1/$port"
exec 4<>"/dev/tcp/127.0.0.1/$port"
printf 'GET / HTTP/1.1\r\n\r\n' >&3
read -r -t 10 -u 3 _ && fail "$name: the host answered garbage"
join $name Anna --seed 8
a=$!
statuses $host_pid $a
exec 3>&- 4>&-
[ "$st" = "0 0" ] || fail "$name: statuses $st"
same_lines $name host Anna

if [ $failed -ne 0 ]; then
    echo "files in $dir"
    exit 1
fi
echo "all LAN tables agreed"
