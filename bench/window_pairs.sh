# Sourced by the window benchmarks. prepare_pairs BUILD_DIR TARGET... builds the targets in
# a Release tree, writes the generated pairs into a temporary folder, $pairs, removed on exit,
# and points the settings file and Qt's platform there; wall_ns and smaller time the runs.
prepare_pairs() {
    local build=$1
    shift
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
    cmake --build "$build" --target "$@" engine_bench_pairs >/dev/null
    pairs=$(mktemp -d)
    trap 'rm -rf "$pairs"' EXIT
    "$build/bench/engine/engine_bench_pairs" "$pairs" >/dev/null
    export BIVALO_INI="$pairs/Bivalo.INI"
    export QT_QPA_PLATFORM=offscreen
}

# Wall time of one run in nanoseconds; exit status 1 (differences, conflicts) is fine.
wall_ns() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || [ $? -eq 1 ]
    end=$(date +%s%N)
    echo $(( end - start ))
}

# The smaller of a best so far (empty at first) and a new figure.
smaller() { if [ -z "$1" ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi; }
