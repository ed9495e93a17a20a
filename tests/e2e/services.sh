#!/usr/bin/env bash
# The Linux services the end-to-end tests run against, started before them and ended after them
# (a CTest fixture: a Windows test under Wine can start a Linux program but not end it).
#   services.sh start STATE_FILE KEY   a microsocks node with user/password on 127.0.0.21 (its
#                                  connections go out from 127.0.0.22) and a free port for the
#                                  tunnel client's local proxy; the maker's site (site/) listing
#                                  that node, its hosts on BLOCK.50-62 each with its own
#                                  behaviour (BLOCK is 127.0.0, or the first 127.0.N where no
#                                  other test run on this machine holds port 80); a Shadowsocks
#                                  node (ss-server, aes-256-gcm) on 127.0.0.23 leaving from
#                                  127.0.0.24, and a second maker's site on BLOCK.49 that lists
#                                  it; all described in STATE_FILE; both sites sign their replies
#                                  with KEY (the test build's private key)
#   services.sh stop STATE_FILE    ends what start started, by its PID
# STATE_FILE is an INI file the tests read:
#   [Node] Host, Port, User, Key, OutAddress, Pid, LocalPort (free now: another program on this
#          machine may hold the default 7070), UnreachableHost (listed, nothing listens there)
#   [Site] Directory, Mirror1, Mirror2 (answer with the node list), NoMarker (without "E=1"),
#          Silent (accepts, never answers), Down (nothing listens), SystemOnly (closes on the
#          program's own request, answers the system's download), Firewalled (closes on the
#          request while the file Firewall exists), Forged (a forger's reply naming its own
#          address as the node, under the real reply's signature), Unsigned (the reply without
#          its signature), Firewall, AccessLog, Pid
set -euo pipefail
action=$1
state=$2
here=$(cd "$(dirname "$0")" && pwd)
node_ip=127.0.0.21
node_out=127.0.0.22
ss_ip=127.0.0.23
ss_out=127.0.0.24
ss_method=aes-256-gcm
ss_password=e2e-shadowsocks-password
site_folder=$(dirname "$state")/maker-site
ss_site_folder=$(dirname "$state")/maker-site-shadowsocks

wait_listening() {  # wait_listening ADDRESS PORT: up to 10 s
    for _ in $(seq 100); do
        python3 -c 'import socket,sys; socket.create_connection((sys.argv[1], int(sys.argv[2])), 1).close()' \
            "$1" "$2" 2>/dev/null && return 0
        sleep 0.1
    done
}

serve_site() {  # serve_site NODES FOLDER HOST...: the maker's site until stopped; prints its PID
    local nodes=$1 folder=$2
    shift 2
    python3 "$here/../../site/maker_site.py" serve "$nodes" "$folder" "$@" </dev/null >"$folder/site.log" 2>&1 &
    local pid=$!
    for _ in $(seq 200); do
        [ -f "$folder/ready" ] && break
        kill -0 "$pid" 2>/dev/null || { cat "$folder/site.log" >&2; exit 1; }
        sleep 0.1
    done
    echo "$pid"
}

free_port() {
    python3 -c 'import socket,sys; s=socket.socket(); s.bind((sys.argv[1], 0)); print(s.getsockname()[1])' "$1"
}

# The first block of loopback addresses whose .49 to .62 have port 80 free: the sites' hosts, a
# host that is down and the listed nodes nothing answers for.
site_block() {
    python3 - <<'PY'
import socket
for n in range(255):
    block, held = f"127.0.{n}", []
    try:
        for last in range(49, 63):
            held.append(socket.socket())
            held[-1].setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            held[-1].bind((f"{block}.{last}", 80))
    except OSError:
        continue
    finally:
        for s in held:
            s.close()
    print(block)
    break
PY
}

case "$action" in
start)
    key=${3:?services.sh start needs the key the site signs with}
    mkdir -p "$(dirname "$state")" "$site_folder" "$ss_site_folder"
    port=$(free_port "$node_ip")
    microsocks -i "$node_ip" -p "$port" -u masq-e2e -P e2e-key -b "$node_out" >/dev/null 2>&1 &
    pid=$!
    wait_listening "$node_ip" "$port"
    ss_port=$(free_port "$ss_ip")
    ss-server -s "$ss_ip" -p "$ss_port" -b "$ss_out" -m "$ss_method" -k "$ss_password" --no-delay >/dev/null 2>&1 &
    ss_pid=$!
    wait_listening "$ss_ip" "$ss_port"

    block=$(site_block)
    [ -n "$block" ] || { echo "services.sh: no free block of loopback addresses for the site" >&2; exit 1; }
    unreachable=$block.58
    # The directory lists the node first, then nodes of two more locations that cannot be reached.
    printf 'P = %s\nU = masq-e2e\nK = e2e-key\n10 %s\n20 %s\n11 %s.59-60\n' \
        "$port" "$node_ip" "$unreachable" "$block" >"$site_folder/nodes.txt"
    site_pid=$(serve_site "$site_folder/nodes.txt" "$site_folder" --key "$key" \
        --host "$block.51" --host "$block.52" --host "$block.53" --host "$block.54=no-marker" \
        --host "$block.55=silent" --host "$block.57=system-only" --host "$block.50=firewalled" \
        --host "$block.61=forged" --host "$block.62=unsigned")
    # The maker listing its Shadowsocks node as a Shadowsocks link names it: method and password.
    printf 'P = %s\nU = %s\nK = %s\n10 %s\n' "$ss_port" "$ss_method" "$ss_password" "$ss_ip" \
        >"$ss_site_folder/nodes.txt"
    ss_site_pid=$(serve_site "$ss_site_folder/nodes.txt" "$ss_site_folder" --key "$key" --host "$block.49")

    {
        printf '[Node]\r\nHost=%s\r\nPort=%s\r\nUser=masq-e2e\r\nKey=e2e-key\r\nOutAddress=%s\r\nPid=%s\r\n' \
            "$node_ip" "$port" "$node_out" "$pid"
        printf 'LocalPort=%s\r\nUnreachableHost=%s\r\n' "$(free_port 127.0.0.1)" "$unreachable"
        printf '[Site]\r\nDirectory=%s.51\r\nMirror1=%s.52\r\nMirror2=%s.53\r\nNoMarker=%s.54\r\n' \
            "$block" "$block" "$block" "$block"
        printf 'Silent=%s.55\r\nDown=%s.56\r\nSystemOnly=%s.57\r\nFirewalled=%s.50\r\n' \
            "$block" "$block" "$block" "$block"
        printf 'Forged=%s.61\r\nUnsigned=%s.62\r\n' "$block" "$block"
        printf 'Firewall=%s\r\nAccessLog=%s\r\nPid=%s\r\n' "$site_folder/firewall" "$site_folder/access.log" "$site_pid"
        printf '[ShadowsocksNode]\r\nHost=%s\r\nPort=%s\r\nMethod=%s\r\nPassword=%s\r\nOutAddress=%s\r\nPid=%s\r\n' \
            "$ss_ip" "$ss_port" "$ss_method" "$ss_password" "$ss_out" "$ss_pid"
        printf '[ShadowsocksSite]\r\nDirectory=%s.49\r\nPid=%s\r\n' "$block" "$ss_site_pid"
    } >"$state"
    ;;
stop)
    [ -f "$state" ] || exit 0
    for pid in $(sed -n 's/^Pid=\([0-9]*\).*/\1/p' "$state"); do
        kill "$pid" 2>/dev/null || true
    done
    rm -f "$state"
    ;;
esac
