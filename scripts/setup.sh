#!/usr/bin/env bash
# Installs the Debian packages the builds, tests, benchmarks and demo need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest python3 curl
    g++-mingw-w64-x86-64 wine xvfb x11-utils xdotool imagemagick xclip
    libasio-dev microsocks dante-server nginx-light nsis openssl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
