#!/usr/bin/env bash
# Times the window program's start-up on the 1 000 000-line pair of bench/engine against GNU
# diff on the same pair in the same run: from just before the process is started until the
# first frame of both panes is painted (offscreen platform), and 1000 pages down the target
# pane. Prints each figure as the best of three runs and the ratio to diff. Target: first
# frame <= 2x diff (the faster of diff's runs before and after). The example pair gives the
# cost of the window without the big load.
#   bench/startup/run_bench.sh [BUILD_DIR]     (default build-rel/, configured as Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
cmake --build "$build" --target startup_bench engine_bench_pairs >/dev/null
pairs=$(mktemp -d)
trap 'rm -rf "$pairs"' EXIT
"$build/bench/engine/engine_bench_pairs" "$pairs" >/dev/null
export BIVALO_INI="$pairs/Bivalo.INI"
export QT_QPA_PLATFORM=offscreen
source_file="$pairs/big_a.txt"
target_file="$pairs/big_b.txt"
bench="$build/bench/startup/startup_bench"

# Best wall time of three runs of diff in nanoseconds; exit status 1 (differences) is fine.
best_diff() {
    local best=""
    for _ in 1 2 3; do
        local start end
        start=$(date +%s%N)
        diff "$1" "$2" >/dev/null || [ $? -eq 1 ]
        end=$(date +%s%N)
        local t=$(( end - start ))
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
    done
    echo "$best"
}

# One run of the benchmark: its report, plus launch_to_first_frame_ns measured from here.
run_startup() {
    rm -f "$BIVALO_INI"
    local start report
    start=$(date +%s%N)
    report=$("$bench" "$@")
    local frame
    frame=$(awk '$1 == "first_frame_epoch_ns" { print $2 }' <<<"$report")
    echo "$report"
    echo "launch_to_first_frame_ns $(( frame - start ))"
}

# The run with the earliest first frame of three.
best_startup() {
    local best="" best_report=""
    for _ in 1 2 3; do
        local report t
        report=$(run_startup "$@")
        t=$(awk '$1 == "launch_to_first_frame_ns" { print $2 }' <<<"$report")
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; best_report=$report; fi
    done
    echo "$best_report"
}

field() { awk -v k="$1" '$1 == k { print $2 }' <<<"$2"; }

diff_ns=$(best_diff "$source_file" "$target_file")
big=$(best_startup "$source_file" "$target_file" 1000)
small=$(best_startup examples/calc_v1.c examples/calc_v2.c 0)
diff_again_ns=$(best_diff "$source_file" "$target_file")

echo "== window program on the 1 000 000-line pair (best of 3)"
grep -v epoch <<<"$big"
echo "== window program on the example pair (window cost without the big load)"
grep -v -e epoch -e page_down <<<"$small"
awk -v d="$diff_ns" -v d2="$diff_again_ns" -v f="$(field launch_to_first_frame_ns "$big")" \
    -v p="$(field page_down_s "$big")" 'BEGIN {
    printf "== against GNU diff on the same pair\n"
    best = d2 < d ? d2 : d
    printf "diff_s (before, after)     %.3f %.3f\n", d / 1e9, d2 / 1e9
    printf "first_frame_s              %.3f\n", f / 1e9
    printf "ratio first frame / diff   %.2f   (target <= 2; against the faster diff)\n", f / best
    printf "page_down_1000_s           %.3f\n", p }'
