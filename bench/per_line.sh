#!/usr/bin/env bash
# The program's per-line benchmarks, natively and under Wine: 100,000 activity log lines (with the
# Win32 report file under Wine) and 100,000 status lines interpreted, each with its cost per line
# at the start and at the end of the run. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build

scripts/setup.sh
cmake -S . -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMASQ_SANITIZE=OFF >/dev/null
cmake --build "$build/bench" --target report_log_bench status_lines_bench >/dev/null
cmake -S . -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build/win" --target report_log_bench status_lines_bench >/dev/null

echo "==== report log, native"
"$build/bench/bench/report_log/report_log_bench"
echo "==== status lines, native"
"$build/bench/bench/status_lines/status_lines_bench"

source scripts/wine-env.sh
trap wine_env_down EXIT
wine_env_up "$build/bench-prefix" || { echo "bench: no Wine prefix" >&2; exit 1; }
echo "==== report log, Win32 report file under Wine"
timeout 1800 wine "$build/win/bench/report_log/report_log_bench.exe"
echo "==== status lines under Wine"
timeout 1800 wine "$build/win/bench/status_lines/status_lines_bench.exe"
