#!/usr/bin/env bash
# The Linux services the end-to-end tests run against, started before them and ended after them
# (a CTest fixture: a Windows test under Wine can start a Linux program but not end it).
#   services.sh start STATE_FILE   a microsocks node with user/password on 127.0.0.21 (its
#                                  connections go out from 127.0.0.22), described in STATE_FILE,
#                                  and a free port for the tunnel client's local proxy
#   services.sh stop STATE_FILE    ends what start started, by its PID
# STATE_FILE is an INI file the tests read: [Node] Host, Port, User, Key, OutAddress, Pid,
# LocalPort (free now: another program on this machine may hold the default 7070).
set -euo pipefail
action=$1
state=$2
node_ip=127.0.0.21
node_out=127.0.0.22

free_port() {
    python3 -c 'import socket,sys; s=socket.socket(); s.bind((sys.argv[1], 0)); print(s.getsockname()[1])' "$1"
}

case "$action" in
start)
    mkdir -p "$(dirname "$state")"
    port=$(free_port "$node_ip")
    microsocks -i "$node_ip" -p "$port" -u masq-e2e -P e2e-key -b "$node_out" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        python3 -c 'import socket,sys; socket.create_connection((sys.argv[1], int(sys.argv[2])), 1).close()' \
            "$node_ip" "$port" 2>/dev/null && break
        sleep 0.1
    done
    printf '[Node]\r\nHost=%s\r\nPort=%s\r\nUser=masq-e2e\r\nKey=e2e-key\r\nOutAddress=%s\r\nPid=%s\r\nLocalPort=%s\r\n' \
        "$node_ip" "$port" "$node_out" "$pid" "$(free_port 127.0.0.1)" >"$state"
    ;;
stop)
    [ -f "$state" ] || exit 0
    pid=$(sed -n 's/^Pid=\([0-9]*\).*/\1/p' "$state")
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -f "$state"
    ;;
esac
