# Sourced by the project's scripts: the project's own Wine prefix and X display.
#   wine_env_up PREFIX     create PREFIX when missing, start an Xvfb display unless
#                          MASQ_USE_DISPLAY=1 and DISPLAY is set, keep a wineserver up
#   wine_env_down          end this prefix's wineserver and the Xvfb started here
# Never touches ~/.wine or processes it did not start.

WINE_ENV_XVFB_PID=""

wine_env_up() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    if [ "${MASQ_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        echo "wine-env: using your display $DISPLAY"
    else
        wine_env_start_xvfb || return 1
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-env: creating Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        # No Mono or Gecko: the programs need neither, and their installers would ask.
        WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i >/dev/null 2>&1 || {
            echo "wine-env: wineboot -i failed" >&2
            return 1
        }
        # Debian's Wine does not find its own fonts (Tahoma, Marlett for the frame buttons) and
        # falls back to whatever fontconfig offers; from the prefix's Fonts folder it loads them.
        cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    # Under Xvfb there is no window manager: Wine then draws the frames itself (screenshots keep
    # their title bars) and does not wait on a manager that never answers when a window closes.
    local managed=N
    [ "${MASQ_USE_DISPLAY:-0}" = 1 ] && managed=Y
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
    # A shortcut made in the prefix (the installer's Start-menu entry) must not become a menu
    # entry of the Linux desktop outside it.
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
    # A persistent server: each wine start costs ~0.1 s instead of ~1.7 s. The server that
    # wineboot or reg left behind must end first, or -p finds it running and does nothing.
    timeout 60 wineserver -w
    wineserver -p
    timeout 120 wine cmd /c exit >/dev/null 2>&1 || true
}

wine_env_start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    local waited=0
    while [ ! -s "$fdfile" ]; do
        if ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || [ "$waited" -ge 300 ]; then
            echo "wine-env: Xvfb did not start" >&2
            rm -f "$fdfile"
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    export DISPLAY=":$(tr -d '\n' <"$fdfile")"
    rm -f "$fdfile"
    echo "wine-env: Xvfb on $DISPLAY (pid $WINE_ENV_XVFB_PID)"
}

wine_env_down() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        timeout 30 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=""
    fi
}
