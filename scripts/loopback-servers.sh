# Sourced by scripts/bench-service and scripts/service-cluster: starts instances of the web
# service, HAProxy in front of them and nginx, all on loopback, on ports nothing else uses.
# Set `work` (a throwaway folder of the caller's) and `service` (the orvala-service program)
# first. Every process started is kept in `started`; stop_started ends them all, and the caller's
# exit trap calls it.

started=()
claimed=" "  # the ports handed out in this run, taken or not yet
declare -A instance_port instance_tables instance_pid

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# Sets the variable VAR to the first of COUNT consecutive ports that nothing answers on and this
# run has not handed out, below the kernel's range for outgoing connections.
claim_ports() {  # VAR [COUNT]
  local count=${2:-1} p i
  while :; do
    p=$((20000 + RANDOM % 12000))
    for ((i = 0; i < count; i++)); do
      [[ $claimed == *" $((p + i)) "* ]] && continue 2
      port_free $((p + i)) || continue 2
    done
    for ((i = 0; i < count; i++)); do claimed+="$((p + i)) "; done
    printf -v "$1" '%s' "$p"
    return
  done
}

running() {  # PID: alive, and not a zombie waiting to be reaped
  local state
  state=$(cut -d' ' -f3 "/proc/${1:-none}/stat" 2>/dev/null) && [ -n "$state" ] && [ "$state" != Z ]
}

# True once every PORT answers, false when PID dies first or after 10 s.
wait_listening() {  # PID PORT...
  local pid=$1 p ready
  shift
  for _ in $(seq 200); do
    ready=1
    for p in "$@"; do port_free "$p" && ready=0 && break; done
    [ "$ready" = 1 ] && return 0
    running "$pid" || return 1
    sleep 0.05
  done
  return 1
}

# Ends PID: a TERM, a KILL after 5 s.
stop_pid() {  # PID
  [ -n "${1:-}" ] || return 0
  kill "$1" 2>/dev/null
  for _ in $(seq 50); do running "$1" || break; sleep 0.1; done
  kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}

stop_started() {
  local p
  for p in "${started[@]}"; do stop_pid "$p"; done
  started=()
}

# An instance of the service called NAME, its data in the folder $work/NAME and its log in
# $work/NAME.log (its line per request to `request_log` instead when that is set, /dev/null for
# a bench), on PostgreSQL at DATABASE or on SQLite there. It trusts 127.0.0.1 as a proxy (the
# load generators and HAProxy send X-Forwarded-For from there). Sets instance_port[NAME],
# instance_tables[NAME] (tables on that base + 1..10) and instance_pid[NAME]. Instances on one
# database are started one after another, since each brings the schema up to date at start.
# Extra INI lines may be given in instance_ini (the cluster check shortens the tables' leases).
start_instance() {  # NAME [DATABASE]
  local name=$1 database=${2:-} data="$work/$1" port tables pid
  mkdir -p "$data"
  printf 'trusted_proxies = 127.0.0.1\n%s' "${instance_ini:-}" >"$data/orvala-service.ini"
  for _ in 1 2 3 4 5; do
    claim_ports port
    claim_ports tables 11
    "$service" --listen "127.0.0.1:$port" --data "$data" ${database:+--database "$database"} \
      --table-port "$tables" >>"${request_log:-$work/$name.log}" 2>>"$work/$name.log" &
    pid=$!
    if wait_listening "$pid" "$port" $((tables + 1)); then
      started+=("$pid")
      instance_port[$name]=$port
      instance_tables[$name]=$tables
      instance_pid[$name]=$pid
      return 0
    fi
    # A port taken meanwhile makes the service exit at once; others are tried.
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  echo "the service $name did not start:" >&2
  tail -n 20 "$work/$name.log" >&2
  return 1
}

# HAProxy on proxy_port in front of the instances NAME...: round robin, each request balanced on
# its own; a health check (GET /news.html) every 250 ms that takes an instance out after two
# failures and sends its sessions away; the client's own X-Forwarded-For kept (and set when
# there is none), since the load generators play many players' addresses through it. A proxy
# facing the internet must replace that header instead: a player could name any address.
# Its figures are at stats_port (/stats;csv). Returns once every instance is up.
start_haproxy() {  # NAME...
  local name servers="" cfg="$work/haproxy.cfg"
  claim_ports proxy_port
  claim_ports stats_port
  for name in "$@"; do
    servers+="    server $name 127.0.0.1:${instance_port[$name]}"$'\n'
  done
  cat >"$cfg" <<EOF
global
    maxconn 4096

defaults
    mode http
    timeout connect 2s
    timeout client 30s
    timeout server 30s
    timeout check 2s
    timeout http-keep-alive 10s
    option forwardfor if-none
    option redispatch
    retries 2

frontend players
    bind 127.0.0.1:$proxy_port
    default_backend services

backend services
    balance roundrobin
    option httpchk GET /news.html
    http-check expect status 200
    default-server check inter 250ms fastinter 100ms downinter 500ms fall 2 rise 2 on-marked-down shutdown-sessions
$servers
listen stats
    bind 127.0.0.1:$stats_port
    stats enable
    stats uri /stats
EOF
  haproxy -db -f "$cfg" >>"$work/haproxy.log" 2>&1 &
  haproxy_pid=$!
  started+=("$haproxy_pid")
  if ! wait_listening "$haproxy_pid" "$proxy_port" "$stats_port"; then
    echo "HAProxy did not start:" >&2
    tail -n 20 "$work/haproxy.log" >&2
    return 1
  fi
  for _ in $(seq 100); do
    for name in "$@"; do [ "$(server_state "$name")" = UP ] || { sleep 0.05; continue 2; }; done
    return 0
  done
  echo "HAProxy never saw every instance up" >&2
  return 1
}

# HAProxy's word for the instance NAME: UP, DOWN, "UP 1/2" (going down) and so on.
server_state() {  # NAME
  curl -s --max-time 2 "http://127.0.0.1:$stats_port/stats;csv" |
    awk -F, -v s="$1" '$1 == "services" && $2 == s { print $18 }'
}

# nginx on nginx_port serving FILE as /news.html, with worker processes as many as cores and no
# access log: what this machine's loopback gives at best. Its own folder, configuration and
# -p prefix; the system's nginx, if any, is left alone. As root its workers run as nobody, so
# the folder is open to others.
start_nginx() {  # FILE
  local dir="$work/nginx"
  mkdir -p "$dir/www" "$dir/temp"
  cp "$1" "$dir/www/news.html"
  chmod a+x "$work"
  chmod -R a+rX "$dir"
  claim_ports nginx_port
  cat >"$dir/nginx.conf" <<EOF
worker_processes auto;
daemon off;
pid $dir/nginx.pid;
error_log $dir/error.log warn;
events { worker_connections 4096; }
http {
    access_log off;
    keepalive_requests 1000000;
    client_body_temp_path $dir/temp/body;
    proxy_temp_path $dir/temp/proxy;
    fastcgi_temp_path $dir/temp/fastcgi;
    uwsgi_temp_path $dir/temp/uwsgi;
    scgi_temp_path $dir/temp/scgi;
    types { text/html html; }
    server {
        listen 127.0.0.1:$nginx_port;
        root $dir/www;
    }
}
EOF
  nginx -p "$dir" -c "$dir/nginx.conf" -e "$dir/error.log" &
  nginx_pid=$!
  started+=("$nginx_pid")
  if ! wait_listening "$nginx_pid" "$nginx_port"; then
    echo "nginx did not start:" >&2
    cat "$dir/error.log" >&2
    return 1
  fi
}
