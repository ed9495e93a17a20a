#!/usr/bin/env bash
# warden's benchmarks: builds a release warden (no sanitizers) and the shared load generator,
# then runs bench.py, which prints every figure next to its goal. Not part of scripts/test.sh.
#   bench/run.sh [--rounds N] [--no-wine]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build
shared=${MASQ_SHARED:-$root/../shared}

wine=1
args=()
for arg in "$@"; do
    if [ "$arg" = --no-wine ]; then wine=0; else args+=("$arg"); fi
done

scripts/setup.sh
cmake -S . -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMASQ_SANITIZE=OFF >/dev/null
cmake --build "$build/bench" --target warden
mkdir -p "$build/bench/tools"
gcc -O2 -o "$build/bench/tools/socksbench" "$shared/tools/socksbench.c"
gcc -O2 -o "$build/bench/tools/delay_relay" bench/delay_relay.c
ulimit -n 20000  # 1000 held tunnels take two sockets each in warden and in the node

if [ "$wine" = 1 ]; then
    cmake -S . -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build "$build/win" --target warden
    source scripts/wine-env.sh
    trap wine_env_down EXIT
    wine_env_up "$build/bench-prefix" || { echo "bench: no Wine prefix" >&2; exit 1; }
    args+=(--warden-exe "$build/win/warden/warden.exe")
fi

python3 bench/bench.py --warden "$build/bench/warden/warden" --socksbench "$build/bench/tools/socksbench" \
    --delay-relay "$build/bench/tools/delay_relay" "${args[@]}"
