#!/usr/bin/env bash
# The window and the report on a large pair against GNU diff on the same pair, in one run:
# the pair is COPIES copies of bench/engine's 1 000 000-line pair laid end to end (14: two
# files of about 500 MB, 13 million lines, the 1 GB pair; 28: the 2 GB pair). ROUNDS rounds,
# the runs alternating; each figure is its best round. Prints GNU diff's wall time, the
# report's wall time and peak memory, and the window's first frame, shown pair, longest
# event-loop pause and peak memory (targets: report and shown pair <= diff, first frame
# <= 0.3 s, pause <= 50 ms, peak <= 2.5x the pair's bytes), then the window's CPU time over
# 10 idle seconds and the timer events it handled (target: none a profiler can see), and a
# save of the target's rows under another name with its longest event-loop pause. Needs free
# disk for the pair.
#   [ROUNDS=3] bench/load/run_bench.sh [BUILD_DIR [COPIES]]     (default build-rel/, 14)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
copies=${2:-14}
source bench/window_pairs.sh
prepare_pairs "$build" bivalo load_bench
for side in a b; do
    for _ in $(seq "$copies"); do cat "$pairs/big_$side.txt"; done >"$pairs/huge_$side.txt"
done
source_file="$pairs/huge_a.txt"
target_file="$pairs/huge_b.txt"
rm -f "$pairs"/big_* "$pairs"/tabbed_* "$pairs"/stretch_*
bytes=$(( ($(stat -c %s "$source_file") + $(stat -c %s "$target_file")) / 1024 ))
rounds=${ROUNDS:-3}

peak_of() { /usr/bin/time -f %M -o "$pairs/peak" "$@" >"$pairs/out" 2>/dev/null || [ $? -eq 1 ]; tail -1 "$pairs/peak"; }
field() { awk -v k="$1" '$1 == k { print $2 }' "$pairs/out"; }
smaller_float() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }

best_diff="" best_report="" report_peak="" best_frame="" best_shown="" best_pause="" window_peak=""
for _ in $(seq "$rounds"); do
    best_diff=$(smaller "$best_diff" "$(wall_ns diff "$source_file" "$target_file")")
    best_report=$(smaller "$best_report" "$(wall_ns "$build/bivalo" --report --format=summary "$source_file" "$target_file")")
    report_peak=$(peak_of "$build/bivalo" --report --format=summary "$source_file" "$target_file")
    rm -f "$BIVALO_INI"
    window_peak=$(peak_of "$build/bench/load/load_bench" "$source_file" "$target_file" 0)
    best_frame=$(smaller_float "$best_frame" "$(field first_frame_s)")
    best_shown=$(smaller_float "$best_shown" "$(field pair_shown_s)")
    best_pause=$(smaller "$best_pause" "$(field longest_pause_ms)")
done
rm -f "$BIVALO_INI"
"$build/bench/load/load_bench" "$source_file" "$target_file" 10 >"$pairs/out"
awk -v d="$best_diff" -v r="$best_report" -v rp="$report_peak" -v f="$best_frame" -v s="$best_shown" \
    -v p="$best_pause" -v wp="$window_peak" -v k="$bytes" -v c="$copies" 'BEGIN {
    printf "== %d copies of the 1 000 000-line pair: %d KiB in all (best of '"$rounds"', alternating)\n", c, k
    printf "diff_s                     %.3f\n", d / 1e9
    printf "report_s                   %.3f   (%.2fx diff)\n", r / 1e9, r / d
    printf "report_peak_KiB            %d   (%.2fx the pair)\n", rp, rp / k
    printf "window_first_frame_s       %.3f\n", f
    printf "window_pair_shown_s        %.3f   (%.2fx diff)\n", s, s * 1e9 / d
    printf "window_longest_pause_ms    %d\n", p
    printf "window_peak_KiB            %d   (%.2fx the pair, last round)\n", wp, wp / k }'
grep -E "^(idle_cpu_s|idle_wakeups|save_s|save_longest_pause_ms) " "$pairs/out"
