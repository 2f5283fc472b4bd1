#!/usr/bin/env bash
# Times merging by hand in the window program on the 1 000 000-line pair of bench/engine
# (offscreen platform, Release), with GNU diff's compare time on the same pair measured in the
# same run as the reference. The benchmark itself measures a copy-and-fsync of the target
# against Save All. The pair is written into a temporary folder, which Save All changes.
#   bench/edit/run_bench.sh [BUILD_DIR] [REPEATS]     (default build-rel/, 50 repeats)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
repeats=${2:-50}
source bench/window_pairs.sh
prepare_pairs "$build" edit_bench

start=$(date +%s%N)
diff "$pairs/big_a.txt" "$pairs/big_b.txt" >/dev/null || true
end=$(date +%s%N)
echo "== GNU diff on the same pair"
awk -v ns=$(( end - start )) 'BEGIN { printf "diff_ms                    %.1f\n", ns / 1e6 }'
echo "== merging by hand (each figure from the key to the repainted panes)"
"$build/bench/edit/edit_bench" "$pairs/big_a.txt" "$pairs/big_b.txt" "$repeats"
