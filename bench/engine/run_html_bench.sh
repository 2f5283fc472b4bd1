#!/usr/bin/env bash
# Times `bivalo --report --format=html` against GNU diff on the 1 000 000-line pair, in
# turn in one run (best of 5 each, output to /dev/null), and prints the ratio and the
# page's size. Target: ratio <= 2.
#   bench/engine/run_html_bench.sh [BUILD_DIR]     (default build/, configured as Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
cmake --build "$build" --target bivalo engine_bench_pairs engine_bench_alternate >/dev/null
pairs=$(mktemp -d)
trap 'rm -rf "$pairs"' EXIT
"$build/bench/engine/engine_bench_pairs" "$pairs"
export BIVALO_INI="$pairs/Bivalo.INI"
a="$pairs/big_a.txt"
b="$pairs/big_b.txt"
read -r d v < <("$build/bench/engine/engine_bench_alternate" 5 diff "$a" "$b" -- \
    "$build/bivalo" --report --format=html "$a" "$b")
"$build/bivalo" --report --format=html "$a" "$b" >"$pairs/page.html" || true
page=$(( $(stat -c %s "$pairs/page.html") / 1024 ))
printf '%-12s %10s %10s %7s %10s\n' pair diff_s html_s ratio page_KiB
awk -v d="$d" -v v="$v" -v p="$page" 'BEGIN { printf "%-12s %10.4f %10.4f %7.2f %10d\n", "big", d, v, v / d, p }'
