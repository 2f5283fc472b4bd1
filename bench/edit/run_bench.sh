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
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
cmake --build "$build" --target edit_bench engine_bench_pairs >/dev/null
pairs=$(mktemp -d)
trap 'rm -rf "$pairs"' EXIT
"$build/bench/engine/engine_bench_pairs" "$pairs" >/dev/null
export BIVALO_INI="$pairs/Bivalo.INI"
export QT_QPA_PLATFORM=offscreen

start=$(date +%s%N)
diff "$pairs/big_a.txt" "$pairs/big_b.txt" >/dev/null || true
end=$(date +%s%N)
echo "== GNU diff on the same pair"
awk -v ns=$(( end - start )) 'BEGIN { printf "diff_ms                    %.1f\n", ns / 1e6 }'
echo "== merging by hand (each figure from the key to the repainted panes)"
"$build/bench/edit/edit_bench" "$pairs/big_a.txt" "$pairs/big_b.txt" "$repeats"
