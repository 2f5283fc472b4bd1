#!/usr/bin/env bash
# Times the headless three-way merge of the 1 000 000-line triple (the engine pair's big_a.txt
# as BASE, big_b.txt as LOCAL, big_r.txt as REMOTE: two independent sets of about 0.5% of
# edits) against `git merge-file -p` and `diff3 -m` on the same triple, in turn, best of 5,
# and prints bivalo's peak memory against the three files' bytes. Targets: no slower than
# either, memory <= 3x the bytes.
#   bench/merge/run_bench.sh [BUILD_DIR]     (default build/, configured as Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
cmake --build "$build" --target bivalo engine_bench_pairs engine_bench_alternate >/dev/null
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
"$build/bench/engine/engine_bench_pairs" "$files"
export BIVALO_INI="$files/Bivalo.INI"
base="$files/big_a.txt" local="$files/big_b.txt" remote="$files/big_r.txt"

read -r git diff3 bivalo < <("$build/bench/engine/engine_bench_alternate" 5 \
    git merge-file -p "$local" "$base" "$remote" -- diff3 -m "$local" "$base" "$remote" -- \
    "$build/bivalo" --report --merge "$base" "$local" "$remote")
peak=$({ /usr/bin/time -f %M "$build/bivalo" --report --merge -o "$files/merged" "$base" "$local" "$remote" 2>&1 >/dev/null || true; } | tail -1)
bytes=$(( ($(stat -c %s "$base") + $(stat -c %s "$local") + $(stat -c %s "$remote")) / 1024 ))
conflicts=$(grep -c '^<<<<<<< ' "$files/merged" || true)
git_conflicts=$(git merge-file -p "$local" "$base" "$remote" | grep -c '^<<<<<<< ' || true)
printf '%10s %10s %10s %9s %9s %10s %10s %7s %10s %14s\n' git_s diff3_s bivalo_s vs_git vs_diff3 bytes_KiB peak_KiB mem_x conflicts git_conflicts
awk -v g="$git" -v d="$diff3" -v b="$bivalo" -v k="$bytes" -v p="$peak" -v c="$conflicts" -v gc="$git_conflicts" 'BEGIN {
    printf "%10.4f %10.4f %10.4f %9.2f %9.2f %10d %10d %7.2f %10d %14d\n", g, d, b, b / g, b / d, k, p, p / k, c, gc }'
