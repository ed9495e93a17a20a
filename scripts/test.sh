#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test tier:
#   native unit tests (ASan+UBSan), Windows tests and end-to-end tests under Wine.
# Ends with a pass/fail summary; exits non-zero when any step failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build
artifacts=${MASQ_ARTIFACTS:-$root/artifacts}

source scripts/wine-env.sh
trap wine_env_down EXIT

declare -a summary=()
failed=0
step() {  # step NAME COMMAND...: runs one step, records its outcome and time, returns its status
    local name=$1 started=$SECONDS
    shift
    echo
    echo "==== $name"
    if "$@"; then
        summary+=("PASS  $name ($((SECONDS - started)) s)")
    else
        summary+=("FAIL  $name ($((SECONDS - started)) s)")
        failed=1
        return 1
    fi
}

native_build() {
    cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null && cmake --build "$build/native"
}
native_tests() {
    ctest --test-dir "$build/native" --output-on-failure -j2
}
parser_fuzz() {
    # Short libFuzzer runs over the parsers of untrusted input, warden's and the directory reply's:
    # no crash, no sanitizer report.
    CC=clang CXX=clang++ cmake -S . -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARDEN_FUZZ=ON \
        -DDIRECTORY_FUZZ=ON >/dev/null && cmake --build "$build/fuzz" --target warden_parsers_fuzz directory_reply_fuzz ||
        return 1
    mkdir -p "$build/fuzz/directory_corpus"
    fuzz_run warden_parsers_fuzz "$build/fuzz/warden/warden_parsers_fuzz" &&
        fuzz_run directory_reply_fuzz "$build/fuzz/directory/directory_reply_fuzz" "$build/fuzz/directory_corpus" \
            "$root/directory/fuzz/seeds"
}
fuzz_run() {  # fuzz_run NAME BINARY [CORPUS...]: ten seconds of one target, its last line or its whole log
    local name=$1 binary=$2 log=$build/fuzz/$1.log
    shift 2
    if "$binary" -max_total_time=10 -artifact_prefix="$build/fuzz/" "$@" >"$log" 2>&1; then
        echo "$name: $(tail -n 1 "$log")"
    else
        cat "$log"
        return 1
    fi
}
windows_build() {
    cmake -S . -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null && cmake --build "$build/win"
}
wine_setup() {
    # A fresh prefix for every run: nothing carries over from earlier runs.
    rm -rf "$build/test-prefix" "$artifacts"
    mkdir -p "$artifacts"
    wine_env_up "$build/test-prefix"
}
windows_tests() {
    MASQ_ARTIFACTS=$(winepath -w "$artifacts" 2>/dev/null) \
        ctest --test-dir "$build/win" --output-on-failure -j2
}

step "install missing packages" scripts/setup.sh
step "native build" native_build
step "native unit tests" native_tests
step "parser fuzzing" parser_fuzz
step "Windows build" windows_build
if step "Wine prefix and display" wine_setup; then
    step "Windows and end-to-end tests under Wine" windows_tests
fi
step "screenshots to PNG" scripts/convert-screenshots.sh "$artifacts"

echo
echo "==== summary"
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
    echo "FAILED (artifacts: $artifacts)"
    exit 1
fi
echo "ALL PASSED (artifacts: $artifacts)"
