#!/usr/bin/env bash
# Installs the Debian packages the builds, tests, benchmarks and demo need, when missing, and
# the npm tools of the Firefox test (pinned by firefox/tests/web-ext) into build/web-ext.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest python3 curl
    g++-mingw-w64-x86-64 wine xvfb x11-utils xdotool imagemagick xclip
    libasio-dev libgcrypt20-dev libgcrypt-mingw-w64-dev microsocks dante-server shadowsocks-libev nginx-light nsis
    firefox-esr openssl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# web-ext at the versions of the lock file, kept apart from the sources and from the system.
# Node.js and npm come with the machine.
tools=firefox/tests/web-ext
web_ext=build/web-ext
if ! cmp -s "$tools/package-lock.json" "$web_ext/package-lock.json" || [ ! -x "$web_ext/node_modules/.bin/web-ext" ]; then
    echo "setup: installing web-ext into $web_ext"
    command -v npm >/dev/null || { echo "setup: npm is missing (it comes with the machine's Node.js)" >&2; exit 1; }
    rm -rf "$web_ext"
    mkdir -p "$web_ext"
    cp "$tools/package.json" "$tools/package-lock.json" "$web_ext/"
    (cd "$web_ext" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
