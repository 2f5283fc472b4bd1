#!/usr/bin/env bash
# Times EasyJoin on the 1 000 000-line pair of bench/engine (offscreen platform, Release):
# ">>" pressed on every difference, each press from the click to the repainted panes, with
# the walk over the same differences by F8 alone measured in the same run as the baseline.
# Target: each press <= 16 ms.
#   bench/easyjoin/run_bench.sh [BUILD_DIR]     (default build-rel/)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
source bench/window_pairs.sh
prepare_pairs "$build" easyjoin_bench
echo "== big pair ($(wc -l <"$pairs/big_a.txt") and $(wc -l <"$pairs/big_b.txt") lines)"
"$build/bench/easyjoin/easyjoin_bench" "$pairs/big_a.txt" "$pairs/big_b.txt"
