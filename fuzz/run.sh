#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for SECONDS (default 60) from its seed corpus in fuzz/corpus/. Exits non-zero when a
# target crashes, leaks, trips a sanitizer or breaks one of its checks; the input that did
# it is left in build-fuzz/artifacts/TARGET/.
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
targets=(pair edits profile mask command_line merge)
packages=(clang libclang-rt-14-dev cmake ninja-build)
build=build-fuzz

source scripts/packages.sh

build_targets() {
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
    cmake --build "$build"
}

# Runs one target on a working copy of its seeds (the seeds themselves stay as they are)
# and prints its runs and coverage.
run_target() {
    local name=$1
    local work="$build/corpus/$name" artifacts="$build/artifacts/$name/" log="$build/logs/$name.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
    local status=0
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/${name}_fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "$work" >"$log" 2>&1 || status=$?
    local runs coverage
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -a -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    if [ $status -ne 0 ] || grep -a -q -E 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
        echo "$name: FAILED after ${runs:-?} runs (${coverage:-no coverage}); see $log and $artifacts"
        grep -a -E 'property failed|ERROR:|runtime error:|SUMMARY:' "$log" | head -5
        return 1
    fi
    echo "$name: ${runs} runs in ${seconds} s, ${coverage}, corpus $(ls "$work" | wc -l) inputs"
}

install_missing_packages "${packages[@]}"
build_targets
failed=0
for name in "${targets[@]}"; do
    run_target "$name" || failed=1
done
exit $failed
