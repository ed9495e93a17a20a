#!/usr/bin/env bash
# The whole road on this machine: the maker's site (nginx on 127.0.0.31-33, the directory hosts
# compiled into the program) and a Shadowsocks node (ss-server, aes-256-gcm, on 127.0.0.39), then
# Masq NG under Wine, which asks the directory, chooses the node, launches warden.exe and turns
# hiding on. Prints how to see the hidden address. On your display when there is one, otherwise
# under Xvfb, saving screenshots. Ctrl+C ends everything it started.
#   MASQ_WINDOWS_VERSION=winxp64 (or vista, win7, win10, ...) chooses the Windows version the
#   program sees; without it, Wine's default (Windows 7).
set -euo pipefail
trap 'echo "run: stopped by a failure at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target masqng installer  # warden.exe and default.skn land beside masqng.exe

source scripts/wine-env.sh
headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export MASQ_USE_DISPLAY=1
    headless=0
fi
site_pid="" node_pid="" masq_pid=""
cleanup() {
    for pid in $masq_pid $node_pid $site_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $masq_pid $node_pid $site_pid; do
        wait "$pid" 2>/dev/null || true
    done
    wine_env_down
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wait_for() {  # wait_for WHAT SECONDS COMMAND...: polls COMMAND until it succeeds
    local what=$1 tenths=$(($2 * 10))
    shift 2
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    echo "run: $what did not come up" >&2
    exit 1
}
listening() { (exec 3<>"/dev/tcp/$1/$2") 2>/dev/null; }
# Another program on the same address would answer in its place: the listener must be ours.
listening_as() {  # listening_as PID ADDRESS PORT
    kill -0 "$1" 2>/dev/null || { echo "run: could not listen on $2:$3 (is it taken?)" >&2; exit 1; }
    ss -Hltnp "src $2:$3" | grep -q "pid=$1,"
}

# The maker's site on the hosts the program asks by default, signing with this build's test key.
nodes=site/nodes.txt
# The site offers this build's installer as the new version.
python3 site/maker_site.py serve "$nodes" "$root/build/demo-site" \
    --key "$root/build/win/makers-test-key/private.pem" \
    --download "$root/build/win/installer/masqng-setup.exe=masqng.exe" &
site_pid=$!
site_ready() {
    kill -0 "$site_pid" 2>/dev/null || { echo "run: the maker's site could not start" >&2; exit 1; }
    [ -f "$root/build/demo-site/ready" ]
}
wait_for "the maker's site" 20 site_ready

# The node the site's list names: a Shadowsocks server with the list's method (U) and password (K),
# its connections out leaving from its own address.
value() { sed -n "s/^$1 *= *//p" "$nodes" | head -n1; }
node_port=$(value P) node_method=$(value U) node_key=$(value K)
node_ip=$(awk '/^[0-9][0-9] /{print $2; exit}' "$nodes")
ss-server -s "$node_ip" -p "$node_port" -m "$node_method" -k "$node_key" -b "$node_ip" --no-delay >/dev/null 2>&1 &
node_pid=$!
wait_for "the node on $node_ip:$node_port" 10 listening_as "$node_pid" "$node_ip" "$node_port"

# The demo's own prefix: settings and log persist between runs, apart from ~/.wine.
wine_env_up "$root/build/demo-prefix"
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Masq NG"
version_key='HKCU\Software\Wine\AppDefaults\masqng.exe'
if [ -n "${MASQ_WINDOWS_VERSION:-}" ]; then
    wine reg add "$version_key" /v Version /d "$MASQ_WINDOWS_VERSION" /f >/dev/null 2>&1
else
    wine reg delete "$version_key" /v Version /f >/dev/null 2>&1 || true
fi

# The whole road without a question: the node of the last location is chosen by itself (the
# tray's "Select I&P" asks). The local proxy takes 7070 unless something else holds it.
ini="$data/masq.ini"
config() {  # config KEY [VALUE]: prints the key of [Config] or, given a value, sets it
    python3 - "$ini" "$@" <<'PY'
import os, re, sys
path, key, value = sys.argv[1], sys.argv[2], (sys.argv[3] if len(sys.argv) > 3 else None)
text = open(path, newline="").read() if os.path.exists(path) else ""
lines = text.splitlines()
section = [i for i, line in enumerate(lines) if line.strip().lower() == "[config]"]
start = section[0] + 1 if section else len(lines)
end = next((i for i in range(start, len(lines)) if lines[i].startswith("[")), len(lines))
found = next((i for i in range(start, end) if lines[i].split("=", 1)[0].lower() == key.lower()), None)
if value is None:
    print(lines[found].split("=", 1)[1] if found is not None else "")
    sys.exit(0)
if not section:
    lines.append("[Config]")
    start = end = len(lines)
if found is None:
    lines.insert(end, f"{key}={value}")
else:
    lines[found] = f"{key}={value}"
os.makedirs(os.path.dirname(path), exist_ok=True)
open(path, "w", newline="").write("".join(line + "\r\n" for line in lines))
PY
}
[ -n "$(config AutoSelectCountry)" ] || config AutoSelectCountry 1
# A first run shows the tour of the default browser and waits for its OK; without a display
# nobody could give it, so the run starts as a later one would.
[ "$headless" = 0 ] || [ -n "$(config FirstRun)" ] || config FirstRun 0
port=$(config InternalPort)
port=${port:-7070}
if listening 127.0.0.1 "$port"; then
    while listening 127.0.0.1 "$port"; do port=$((port + 1)); done
    echo "run: the local proxy's port is taken here; Masq NG uses $port"
fi
[ "$port" = 7070 ] && [ -z "$(config InternalPort)" ] || config InternalPort "$port"

rm -f "$data/report.txt"  # so that the waits below see this run's log
wine "$root/build/win/app/masqng.exe" &
masq_pid=$!
echo "run: Masq NG started (log: $data/report.txt)"
logged() { grep -q "$1" "$data/report.txt" 2>/dev/null; }
running() { kill -0 "$masq_pid" 2>/dev/null; }
# On a display the user may be reading the first run's tour: no time limit there.
for ((tenths = 0; headless == 0 || tenths < 600; tenths++)); do
    logged "Masq ON" && break
    running || { echo "run: Masq NG ended early" >&2; exit 1; }
    if logged "SilentUpdate Failed"; then
        echo "run: the directory request failed; see $data/report.txt" >&2
        break
    fi
    sleep 0.1
done
if logged "Masq ON"; then
    site_sees() { curl -s --max-time 10 "$@" http://127.0.0.31/ip.php; }
    echo "run: hiding is on, through the node $node_ip: an encrypted tunnel (Shadowsocks, $node_method)"
    echo "run: the what-is-my-IP page sees $(site_sees) directly, and $(site_sees --socks4a 127.0.0.1:"$port") through Masq NG:"
    echo "       curl --socks4a 127.0.0.1:$port http://127.0.0.31/ip.php"
fi

if [ "$headless" = 1 ]; then
    shots="$root/artifacts/run"
    mkdir -p "$shots"
    tray=""
    wait_for "the tray" 30 eval 'tray=$(xdotool search --name "Wine System Tray" 2>/dev/null | head -n1); [ -n "$tray" ]'
    # The on state: the icon and its balloon (a window of the tray's own beside it).
    balloon() { [ "$(xdotool search --onlyvisible --class explorer.exe 2>/dev/null | wc -l)" -ge 2 ]; }
    if logged "Masq ON"; then
        wait_for "the balloon" 20 balloon
        sleep 0.5  # let it draw before the picture is taken
    fi
    import -window root "$shots/desktop.png"
    # The tray menu and its "Select I&P" the way a user opens them: a left click on the icon, a
    # click on the item (the third, each 21 pixels high).
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove --window "$tray" 12 $((HEIGHT - 12)) click 1
    sleep 1  # let the menu draw before the picture is taken
    import -window root "$shots/tray-menu.png"
    menu=$(xdotool search --onlyvisible --class masqng.exe 2>/dev/null | head -n1 || true)
    if [ -n "$menu" ] && logged "Masq ON"; then
        xdotool mousemove --window "$menu" 40 $((2 * 21 + 12)) click 1
        wait_for "the selection dialog" 20 eval '[ -n "$(xdotool search --onlyvisible --name "^Select IP$" 2>/dev/null | head -n1)" ]'
        sleep 1
        import -window root "$shots/select-ip.png"
        xdotool key Escape
        echo "run: screenshots in $shots (desktop.png: the on state; tray-menu.png; select-ip.png)"
    else
        xdotool key Escape
        echo "run: screenshots in $shots (desktop.png, tray-menu.png)"
    fi
    echo "run: Masq NG keeps running under Xvfb on $DISPLAY; press Ctrl+C to stop everything"
fi
wait "$masq_pid"
