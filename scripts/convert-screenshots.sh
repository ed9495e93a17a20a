#!/usr/bin/env bash
# The test driver saves screenshots as BMP (plain GDI); turn them into PNG for viewing.
set -euo pipefail
dir=${1:?artifacts folder}
[ -d "$dir" ] || exit 0
find "$dir" -name '*.bmp' -print0 | while IFS= read -r -d '' bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
