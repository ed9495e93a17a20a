#!/usr/bin/env bash
# Builds the benchmarks (optimised, no sanitizers) and runs each natively and under Wine,
# printing its figures. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build

source scripts/wine-env.sh
trap wine_env_down EXIT

cmake -S . -B "$build/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMASQ_SANITIZE=OFF >/dev/null
cmake -S . -B "$build/bench-win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
wine_env_up "$build/bench-prefix" || exit 1  # its steps may fail harmlessly: no errexit inside

bench() {  # bench TARGET FOLDER: one benchmark, native then under Wine
    cmake --build "$build/bench-native" --target "$1" -j2 >/dev/null
    cmake --build "$build/bench-win" --target "$1" -j2 >/dev/null
    echo "==== $1, native"
    "$build/bench-native/$2/$1"
    echo "==== $1, under Wine"
    timeout 1800 wine "$build/bench-win/$2/$1.exe"
}

bench report_log_bench bench/report_log
