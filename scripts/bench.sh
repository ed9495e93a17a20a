#!/usr/bin/env bash
# Runs every benchmark and prints its figures, each next to its goal where it has one. Not part
# of the tests.
#   scripts/bench.sh [--rounds N] [--no-wine]     (options of warden's benchmark)
set -euo pipefail
cd "$(dirname "$0")/.."
bench/per_line.sh
bench/start_to_on.sh
bench/run.sh "$@"
