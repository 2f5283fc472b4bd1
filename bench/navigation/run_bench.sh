#!/usr/bin/env bash
# Times the panes' moves (next/previous difference, go to line, next bookmark, find of an
# absent word) from the key to the repainted panes on the 1 000 000-line pairs of
# bench/engine, and GNU `grep -c -i -F` for the same absent word on the same source file in
# the same run (runs alternate; best of ROUNDS). Targets: each move <= 16 ms; find <= grep.
#   bench/navigation/run_bench.sh [BUILD_DIR] [ROUNDS]   (default build-rel/, Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
rounds=${2:-5}
source bench/window_pairs.sh
prepare_pairs "$build" navigation_bench
word=absentword
echo "locale: ${LC_ALL:-${LANG:-unset}}"

grep_ms() {
    local start end
    start=$(date +%s%N)
    grep -c -i -F "$word" "$1" >/dev/null || true
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 ))
}

for name in big stretch; do
    a="$pairs/${name}_a.txt"
    b="$pairs/${name}_b.txt"
    echo "== $name pair ($(wc -l <"$a") and $(wc -l <"$b") lines)"
    best_grep=""
    for _ in $(seq "$rounds"); do
        us=$(grep_ms "$a")
        if [ -z "$best_grep" ] || [ "$us" -lt "$best_grep" ]; then best_grep=$us; fi
    done
    "$build/bench/navigation/navigation_bench" "$a" "$b" "$word" "$rounds"
    for _ in $(seq "$rounds"); do
        us=$(grep_ms "$a")
        if [ "$us" -lt "$best_grep" ]; then best_grep=$us; fi
    done
    awk -v g="$best_grep" 'BEGIN { printf "grep -c -i -F (best of runs before and after) %.3f ms\n", g / 1000 }'
done
