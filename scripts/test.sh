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
wine_prefix() {  # wine_prefix NAME: a fresh Wine prefix build/test-prefix-NAME, nothing carried over
    (
        rm -rf "$build/test-prefix-$1"
        wine_env_up "$build/test-prefix-$1"
        status=$?
        wine_env_down
        exit $status
    )
}
wine_half() {  # wine_half NAME CTEST_OPTIONS...: one half of the Wine tests in its prefix (made by
               # wine_prefix) and a display of its own, its output into build/NAME.log
    local name=$1 started=$SECONDS
    shift
    (
        wine_env_up "$build/test-prefix-$name" &&
            MASQ_ARTIFACTS=$(winepath -w "$artifacts" 2>/dev/null) \
                ctest --test-dir "$build/win" --output-on-failure -j2 "$@"
        status=$?
        wine_env_down
        exit $status
    ) >"$build/$name.log" 2>&1
    local status=$?
    echo "---- $name: $( [ $status -eq 0 ] && echo passed || echo FAILED ) in $((SECONDS - started)) s"
    return $status
}
windows_tests() {
    # The program's end-to-end tests and the rest (the ports, warden.exe, the Firefox host, the
    # update's Win32 side and its dialog and installer, which share the one download site) share
    # nothing on a desktop: each half gets its own, and they run side by side.
    wine_half wine-e2e -L '^e2e$' &
    local e2e=$!
    wine_half wine-ports -L 'win|e2e_download_site' &
    local ports=$!
    local failed=0
    wait $e2e || failed=1
    wait $ports || failed=1
    tail -n 4 "$build/wine-e2e.log" "$build/wine-ports.log"
    [ $failed -eq 0 ] || grep -h -B2 -A40 -E '\*\*\*(Failed|Timeout|Exception)' "$build/wine-e2e.log" "$build/wine-ports.log"
    return $failed
}

windows_build_and_prefixes() {
    # The second prefix is a copy of the first: a copy takes seconds, wineboot takes a processor
    # for twenty.
    windows_build && wine_prefix wine-e2e &&
        rm -rf "$build/test-prefix-wine-ports" && cp -a "$build/test-prefix-wine-e2e" "$build/test-prefix-wine-ports"
}

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
joined() {  # joined ID NAME: waits for the step that beside started, shows its end and records it
    local id=$1 name=$2 waited=$SECONDS status=0
    echo
    echo "==== $name"
    wait "${beside_pids[$id]}" || status=$?
    tail -n $([ $status -eq 0 ] && echo 10 || echo 80) "$build/$id.log"
    local took
    took=$(cat "$build/$id.seconds" 2>/dev/null || echo "?")
    if [ $status -eq 0 ]; then
        summary+=("PASS  $name ($took s, $((SECONDS - waited)) s of it waited for here)")
    else
        summary+=("FAIL  $name ($took s, $((SECONDS - waited)) s of it waited for here)")
        failed=1
    fi
    return $status
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
joined windows-build "Windows build and Wine prefixes (beside the native tests)" &&
    step "Windows and end-to-end tests under Wine" windows_tests
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
