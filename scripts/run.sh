#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs and runs Masq NG under Wine: on your
# display when there is one, otherwise under Xvfb, saving screenshots and saying where they are.
# Stop it with the tray menu's Exit, or Ctrl+C here.
#   MASQ_WINDOWS_VERSION=winxp64 (or vista, win7, win10, ...) chooses the Windows version the
#   program sees; without it, Wine's default (Windows 7).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target masqng

source scripts/wine-env.sh
headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export MASQ_USE_DISPLAY=1
    headless=0
fi
masq_pid=""
cleanup() {
    [ -n "$masq_pid" ] && kill "$masq_pid" 2>/dev/null || true
    wine_env_down
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The demo's own prefix: settings and log persist between runs, apart from ~/.wine.
wine_env_up "$root/build/demo-prefix"
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Masq NG"
version_key='HKCU\Software\Wine\AppDefaults\masqng.exe'
if [ -n "${MASQ_WINDOWS_VERSION:-}" ]; then
    wine reg add "$version_key" /v Version /d "$MASQ_WINDOWS_VERSION" /f >/dev/null 2>&1
else
    wine reg delete "$version_key" /v Version /f >/dev/null 2>&1 || true
fi

rm -f "$data/report.txt"  # so that the wait below sees this run's log
wine "$root/build/win/app/masqng.exe" &
masq_pid=$!
echo "run: Masq NG started (log: $data/report.txt)"

if [ "$headless" = 1 ]; then
    shots="$root/artifacts/run"
    mkdir -p "$shots"
    for _ in $(seq 600); do
        grep -q "TimeZone: " "$data/report.txt" 2>/dev/null && break
        kill -0 "$masq_pid" 2>/dev/null || { echo "run: Masq NG ended early" >&2; exit 1; }
        sleep 0.1
    done
    tray=""
    for _ in $(seq 300); do
        tray=$(xdotool search --name 'Wine System Tray' 2>/dev/null | head -n1) || true
        [ -n "$tray" ] && break
        sleep 0.1
    done
    import -window root "$shots/desktop.png"
    # Open the tray menu the way a user does: a left click on the icon.
    if [ -n "$tray" ]; then
        # The first icon sits at the left of the tray's bottom row, under its title bar.
        eval "$(xdotool getwindowgeometry --shell "$tray")"
        xdotool mousemove --window "$tray" 12 $((HEIGHT - 12)) click 1
        sleep 1  # let the menu draw before the picture is taken
        import -window root "$shots/tray-menu.png"
        xdotool key Escape
    fi
    echo "run: screenshots in $shots (desktop.png, tray-menu.png)"
    echo "run: Masq NG keeps running under Xvfb on $DISPLAY; press Ctrl+C to stop it"
fi
wait "$masq_pid"
