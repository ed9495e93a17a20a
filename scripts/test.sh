#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test tier:
#   native unit tests (ASan+UBSan), Windows tests and end-to-end tests under Wine, and Firefox
#   with the add-on.
# Ends with a pass/fail summary; exits non-zero when any step failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build
artifacts=${MASQ_ARTIFACTS:-$root/artifacts}

source scripts/wine-env.sh

declare -a summary=()
failed=0
record() {  # record STATUS NAME TIME: one line of the summary
    if [ "$1" -eq 0 ]; then
        summary+=("PASS  $2 ($3)")
    else
        summary+=("FAIL  $2 ($3)")
        failed=1
    fi
}
step() {  # step NAME COMMAND...: runs one step, records its outcome and time, returns its status
    local name=$1 started=$SECONDS status=0
    shift
    echo
    echo "==== $name"
    "$@" || status=$?
    record $status "$name" "$((SECONDS - started)) s"
    return $status
}
# A step that waits more than it computes runs beside others: beside starts it, joined waits for
# it and records its own time and the time waited for it.
declare -A beside_pids=()
beside() {  # beside ID COMMAND...: starts a step in the background, its output into build/ID.log
    local id=$1
    shift
    (
        started=$SECONDS
        "$@" >"$build/$id.log" 2>&1
        status=$?
        echo $((SECONDS - started)) >"$build/$id.seconds"
        exit $status
    ) &
    beside_pids[$id]=$!
}
joined() {  # joined ID NAME: waits for the step that beside started, shows its output and records it
    local id=$1 name=$2 waited=$SECONDS status=0
    echo
    echo "==== $name"
    wait "${beside_pids[$id]}" || status=$?
    if [ $status -eq 0 ]; then tail -n 10 "$build/$id.log"; else cat "$build/$id.log"; fi
    record $status "$name" "$(cat "$build/$id.seconds" 2>/dev/null || echo "?") s, $((SECONDS - waited)) s of it waited for here"
    return $status
}

native_build() {
    # Line tables only (-g1): the sanitizers' reports keep their files and lines, and the build
    # takes a fifth less.
    cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-g1 \
        -DCMAKE_CXX_FLAGS_DEBUG=-g1 >/dev/null && cmake --build "$build/native"
}
native_tests() {
    ctest --test-dir "$build/native" --output-on-failure -j2
}
fuzz() {  # fuzz OPTION TARGET FOLDER [SEEDS]: a short libFuzzer run, no crash and no sanitizer report
    local option=$1 target=$2 folder=$3 seeds=${4:-} log=$build/fuzz/$2.log corpus=()
    CC=clang CXX=clang++ cmake -S . -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -D"$option"=ON \
        >/dev/null && cmake --build "$build/fuzz" --target "$target" || return 1
    if [ -n "$seeds" ]; then  # libFuzzer adds to its corpus: a copy in the build, never the sources
        corpus=("$build/fuzz/$target-corpus")
        mkdir -p "${corpus[0]}" && cp "$seeds"/* "${corpus[0]}/"
    fi
    if "$build/fuzz/$folder/$target" -max_total_time=10 -artifact_prefix="$build/fuzz/" "${corpus[@]}" >"$log" 2>&1; then
        tail -n 1 "$log"
    else
        cat "$log"
        return 1
    fi
}
firefox_tests() {
    # The add-on site's checks of the add-on (as for signing), then a real Firefox ESR, headless,
    # with the add-on and the Linux build of its host, through warden and a microsocks node.
    local firefox=$build/native/firefox web_ext=$build/web-ext/node_modules/.bin/web-ext
    "$web_ext" lint --source-dir firefox/addon --no-config-discovery --warnings-as-errors --output text | tail -n 5 &&
    python3 firefox/tests/firefox_e2e.py --host-manifest "$firefox/masqng_firefox_host.json" \
        --xpi "$firefox/masqng_firefox.xpi" --warden "$build/native/warden/warden" \
        --web-ext "$web_ext" --artifacts "$artifacts/firefox" --work "$build"
}
windows_build() {
    cmake -S . -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null && cmake --build "$build/win"
}
in_wine() {  # in_wine PREFIX COMMAND...: COMMAND in the Wine prefix PREFIX on a display of its own
    (
        prefix=$1
        shift
        wine_env_up "$prefix" && "$@"
        status=$?
        wine_env_down
        exit $status
    )
}
wine_ctest() {  # wine_ctest CTEST_OPTIONS...: Windows tests, in the prefix in_wine set up
    MASQ_ARTIFACTS=$(winepath -w "$artifacts" 2>/dev/null) ctest --test-dir "$build/win" --output-on-failure -j2 "$@"
}
windows_build_and_prefixes() {
    # A fresh prefix for each half of the Wine tests, nothing carried over; the second is a copy
    # of the first: a copy takes seconds, wineboot takes a processor for twenty. The test programs
    # list their tests here, once: CTest asks a program that is newer than its list, and two
    # halves asking at once would write the same list files together.
    windows_build && rm -rf "$build/test-prefix-wine-e2e" "$build/test-prefix-wine-ports" &&
        in_wine "$build/test-prefix-wine-e2e" ctest --test-dir "$build/win" -N >/dev/null &&
        cp -a "$build/test-prefix-wine-e2e" "$build/test-prefix-wine-ports"
}

step "install missing packages" scripts/setup.sh
step "native build" native_build
# The native tests and the fuzzers wait on sockets and clocks as much as they compute: the
# Windows build and the Wine prefixes of its tests take the processors beside them.
mkdir -p "$build"
beside windows-build windows_build_and_prefixes
step "native unit tests" native_tests
# Parsers of untrusted input: warden's (programs and nodes, the Shadowsocks node's chunks), the
# Firefox host's (state file, Firefox), the directory reply (the network).
step "warden parser fuzzing" fuzz WARDEN_FUZZ warden_parsers_fuzz warden
step "warden chunk reader fuzzing" fuzz WARDEN_FUZZ warden_chunks_fuzz warden
step "Firefox host parser fuzzing" fuzz FIREFOX_HOST_FUZZ firefox_host_fuzz firefox firefox/fuzz/seeds
step "directory reply fuzzing" fuzz DIRECTORY_FUZZ directory_reply_fuzz directory directory/fuzz/seeds
# Firefox with the add-on needs only the native build, and runs beside the Wine tests.
rm -rf "$artifacts"
mkdir -p "$artifacts"
beside firefox-e2e firefox_tests
# The program's end-to-end tests and the rest under Wine (the ports, warden.exe, the Firefox host,
# the update's Win32 side and its dialog and installer, which share the one download site) share
# nothing on a desktop: each half gets a prefix and a display of its own, and they run side by side.
if joined windows-build "Windows build and Wine prefixes (beside the native tests)"; then
    beside wine-e2e in_wine "$build/test-prefix-wine-e2e" wine_ctest -L '^e2e$'
    beside wine-ports in_wine "$build/test-prefix-wine-ports" wine_ctest -L 'win|e2e_download_site'
    joined wine-e2e "end-to-end tests under Wine"
    joined wine-ports "Windows tests under Wine (beside the end-to-end tests)"
fi
joined firefox-e2e "Firefox with the add-on (beside the Wine tests)"
step "screenshots to PNG" scripts/convert-screenshots.sh "$artifacts"

echo
echo "==== summary"
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
    echo "FAILED (artifacts: $artifacts)"
    exit 1
fi
echo "ALL PASSED (artifacts: $artifacts)"
