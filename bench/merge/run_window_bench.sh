#!/usr/bin/env bash
# Times the merge window on the 1 000 000-line triple (big_a.txt as BASE, big_b.txt as LOCAL,
# big_r.txt as REMOTE) in the same run as its baselines: the headless merge and git merge-file
# on the triple, and the compare window's first frame on big_a.txt and big_b.txt. The runs
# alternate, three rounds, each figure its best round. Then one window run times 100 rounds of
# next conflict, next change, take LOCAL and take REMOTE, each with its repaint (the triple's
# two edit sets lie apart: it has no conflict, so next conflict searches every chunk in vain).
# Targets: first frame <= 1.5 s; each key within one frame, 16 ms.
#   bench/merge/run_window_bench.sh [BUILD_DIR]     (default build-rel/, configured as Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
source bench/window_pairs.sh
prepare_pairs "$build" bivalo startup_bench merge_window_bench
base="$pairs/big_a.txt" local="$pairs/big_b.txt" remote="$pairs/big_r.txt"
rounds=3

# Launch to first frame in nanoseconds of a window benchmark that reports first_frame_epoch_ns.
first_frame_ns() {
    local start frame
    rm -f "$BIVALO_INI"
    start=$(date +%s%N)
    frame=$("$@" 2>/dev/null | awk '$1 == "first_frame_epoch_ns" { print $2 }')
    echo $(( frame - start ))
}

best_headless="" best_git="" best_compare="" best_merge=""
for _ in $(seq "$rounds"); do
    best_headless=$(smaller "$best_headless" "$(wall_ns "$build/bivalo" --report --merge -o "$pairs/out" "$base" "$local" "$remote")")
    best_git=$(smaller "$best_git" "$(wall_ns git merge-file -p "$local" "$base" "$remote")")
    best_compare=$(smaller "$best_compare" "$(first_frame_ns "$build/bench/startup/startup_bench" "$base" "$local" 0)")
    best_merge=$(smaller "$best_merge" "$(first_frame_ns "$build/bench/merge/merge_window_bench" "$base" "$local" "$remote" "$pairs/out" 0)")
done
rm -f "$BIVALO_INI"
keys=$("$build/bench/merge/merge_window_bench" "$base" "$local" "$remote" "$pairs/out" 100 2>/dev/null)

echo "== merge window on the 1 000 000-line triple: 100 rounds of keys (one run)"
grep -v epoch <<<"$keys"
awk -v h="$best_headless" -v g="$best_git" -v c="$best_compare" -v m="$best_merge" 'BEGIN {
    printf "== first frame against the baselines (best of %d, alternating)\n", '"$rounds"'
    printf "git_merge_file_s           %.3f\n", g / 1e9
    printf "headless_merge_s           %.3f   (bivalo --report --merge -o)\n", h / 1e9
    printf "compare_first_frame_s      %.3f   (the compare window on BASE and LOCAL)\n", c / 1e9
    printf "merge_first_frame_s        %.3f   (target <= 1.5)\n", m / 1e9 }'
