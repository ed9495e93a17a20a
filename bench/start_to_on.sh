#!/usr/bin/env bash
# Start to "Masq ON" under Wine on loopback: the maker's site (one directory host, 127.0.0.61) and
# a microsocks node with user/password (127.0.0.62), the program installed in a folder of its own
# that asks that site, started ROUNDS times after a warm-up. Not part of the tests.
#   bench/start_to_on.sh [ROUNDS]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build
rounds=${1:-7}
site_ip=127.0.0.61
node_ip=127.0.0.62

scripts/setup.sh
cmake -S . -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build/win" --target masqng start_to_on_bench >/dev/null

source scripts/wine-env.sh
work=$build/start-to-on
site_pid="" node_pid=""
cleanup() {
    for pid in $node_pid $site_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    wine_env_down
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work/program"

port=$(python3 -c 'import socket,sys; s=socket.socket(); s.bind((sys.argv[1], 0)); print(s.getsockname()[1])' "$node_ip")
microsocks -i "$node_ip" -p "$port" -u bench -P bench-key -b "$node_ip" >/dev/null 2>&1 &
node_pid=$!
printf 'P = %s\nU = bench\nK = bench-key\n10 %s\n' "$port" "$node_ip" >"$work/nodes.txt"
python3 site/maker_site.py serve "$work/nodes.txt" "$work/site" --key "$build/win/makers-test-key/private.pem" \
    --host "$site_ip" >"$work/site.log" 2>&1 &
site_pid=$!
for _ in $(seq 200); do
    [ -f "$work/site/ready" ] && break
    kill -0 "$site_pid" 2>/dev/null || { cat "$work/site.log" >&2; exit 1; }
    sleep 0.1
done

# The program as installed, asking the bench's site, choosing its node by itself.
cp "$build/win/app/masqng.exe" "$build/win/app/warden.exe" resources/default.skn "$work/program/"
printf '[Hosts]\r\nDirectory=%s\r\nMirror1=%s\r\nMirror2=%s\r\n' "$site_ip" "$site_ip" "$site_ip" \
    >"$work/program/site.ini"
wine_env_up "$build/bench-prefix" || { echo "bench: no Wine prefix" >&2; exit 1; }
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Masq NG"
rm -rf "$data"
mkdir -p "$data"
local_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# Not a first run: the first run's tour would wait for a user.
printf '[Config]\r\nFirstRun=0\r\nAutoSelectCountry=1\r\nLastCountry=10\r\nInternalPort=%s\r\n' "$local_port" \
    >"$data/masq.ini"

echo "==== start to Masq ON under Wine"
timeout 900 wine "$build/win/bench/start_to_on/start_to_on_bench.exe" "$(winepath -w "$work/program/")" \
    "$(winepath -w "$data/report.txt")" "$rounds"
