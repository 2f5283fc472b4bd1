#!/usr/bin/env bash
# Times EasyJoin on the 1 000 000-line pair of bench/engine (offscreen platform, Release):
# ">>" pressed on every difference, each press from the click to the repainted panes, with
# the walk over the same differences by F8 alone measured in the same run as the baseline.
# Target: each press <= 16 ms.
#   bench/easyjoin/run_bench.sh [BUILD_DIR]     (default build-rel/)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-rel}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
cmake --build "$build" --target easyjoin_bench engine_bench_pairs >/dev/null
pairs=$(mktemp -d)
trap 'rm -rf "$pairs"' EXIT
"$build/bench/engine/engine_bench_pairs" "$pairs" >/dev/null
export BIVALO_INI="$pairs/Bivalo.INI"
export QT_QPA_PLATFORM=offscreen
echo "== big pair ($(wc -l <"$pairs/big_a.txt") and $(wc -l <"$pairs/big_b.txt") lines)"
"$build/bench/easyjoin/easyjoin_bench" "$pairs/big_a.txt" "$pairs/big_b.txt"
