# Sourced by the window benchmarks. prepare_pairs BUILD_DIR TARGET... builds the targets in
# a Release tree, writes the generated pairs into a temporary folder, $pairs, removed on exit,
# and points the settings file and Qt's platform there.
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
