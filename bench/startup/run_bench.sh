#!/usr/bin/env bash
# Times the window program's start-up on the 1 000 000-line pair of bench/engine against GNU
# diff on the same pair in the same run: from just before the process is started until the
# first frame of both panes is painted (offscreen platform), and 1000 pages down the target
# pane. The runs of diff, of the headless report (load and compare without a window) and of
# the window program alternate, five rounds, and each figure is its best round. Target:
# first frame <= 2x diff. Each window run also reports the program's peak memory, set against
# the two files' bytes (target: at most 3x). The example pair gives the cost of the window
# without the big load; the 1 000 000-line pair indented with tabs is run once.
#   bench/startup/run_bench.sh [BUILD_DIR]     (default build-rel/, configured as Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
source bench/window_pairs.sh
prepare_pairs "$build" bivalo startup_bench
source_file="$pairs/big_a.txt"
target_file="$pairs/big_b.txt"
bench="$build/bench/startup/startup_bench"
rounds=5

# One run of the window program: its report, plus launch_to_first_frame_ns measured from here
# and its peak memory against the pair's bytes.
run_window() {
    rm -f "$BIVALO_INI"
    local start report frame peak bytes
    start=$(date +%s%N)
    report=$(/usr/bin/time -f %M -o "$pairs/peak" "$bench" "$@" 2>/dev/null)
    frame=$(awk '$1 == "first_frame_epoch_ns" { print $2 }' <<<"$report")
    grep -v epoch <<<"$report"
    echo "launch_to_first_frame_ns $(( frame - start ))"
    peak=$(tail -1 "$pairs/peak")
    bytes=$(( ($(stat -c %s "$1") + $(stat -c %s "$2")) / 1024 ))
    awk -v p="$peak" -v k="$bytes" 'BEGIN { printf "peak_memory_KiB           %d   (%.2fx the pair'"'"'s %d KiB)\n", p, p / k, k }'
}

field() { awk -v k="$1" '$1 == k { print $2 }' <<<"$2"; }

best_diff="" best_report="" best_frame="" best_window=""
for _ in $(seq "$rounds"); do
    best_diff=$(smaller "$best_diff" "$(wall_ns diff "$source_file" "$target_file")")
    best_report=$(smaller "$best_report" "$(wall_ns "$build/bivalo" --report --format=summary "$source_file" "$target_file")")
    window=$(run_window "$source_file" "$target_file" 0)
    frame=$(field launch_to_first_frame_ns "$window")
    if [ -z "$best_frame" ] || [ "$frame" -lt "$best_frame" ]; then best_frame=$frame; best_window=$window; fi
done
paging=$(run_window "$source_file" "$target_file" 1000)
small=$(run_window examples/calc_v1.c examples/calc_v2.c 0)
tabbed=$(run_window "$pairs/tabbed_a.txt" "$pairs/tabbed_b.txt" 0)

echo "== window program on the 1 000 000-line pair (best of $rounds)"
grep -v page_down <<<"$best_window"
echo "== 1000 pages down in the target pane"
grep page_down <<<"$paging"
echo "== window program on the example pair (the window without the big load)"
grep -v page_down <<<"$small"
echo "== window program on the 1 000 000-line pair indented with tabs (one run)"
grep -v page_down <<<"$tabbed"
awk -v d="$best_diff" -v r="$best_report" -v f="$best_frame" 'BEGIN {
    printf "== against GNU diff on the same pair (best of %d, alternating)\n", '"$rounds"'
    printf "diff_s                     %.3f\n", d / 1e9
    printf "report_s                   %.3f   (bivalo --report: load and compare, no window)\n", r / 1e9
    printf "first_frame_s              %.3f\n", f / 1e9
    printf "ratio first frame / diff   %.2f   (target <= 2)\n", f / d }'
