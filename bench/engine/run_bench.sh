#!/usr/bin/env bash
# Times `bivalo --report --format=summary` against GNU diff on the generated pairs, side by
# side in one run (the two in turn, best of several runs), and prints the wall-time ratio
# and bivalo's peak memory against the two files' bytes, both as measured and net of the process's fixed cost (the peak of
# `bivalo --version`, measured in the same run). Targets: ratio <= 1 on every pair,
# memory <= 3x the bytes. With a BASELINE bivalo program (another build), it is timed in
# the same turns and its figures are printed beside. Last, the HTML page of the 1 000 000-line
# pair against GNU diff on the same pair (best of 5 each, in turn): target ratio <= 2. Then a
# UTF-16 LE copy (with BOM) of the 1 000 000-line pair against the UTF-8 pair (best of 5 each,
# in turn): target time ratio <= 2 and peak memory <= 3x the UTF-16 files' bytes.
#   bench/engine/run_bench.sh [BUILD_DIR [BASELINE]]     (default build/, configured as Release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
baseline=${2:-}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF >/dev/null
cmake --build "$build" --target bivalo engine_bench_pairs engine_bench_alternate >/dev/null
pairs=$(mktemp -d)
trap 'rm -rf "$pairs"' EXIT
"$build/bench/engine/engine_bench_pairs" "$pairs"
export BIVALO_INI="$pairs/Bivalo.INI"

# Best wall times of diff, bivalo and the baseline, run in turn: 31 runs each on the small
# pairs, 5 on the large ones.
best_times() {
    local runs=$1 a=$2 b=$3
    local report=(--report --format=summary "$a" "$b")
    if [ -n "$baseline" ]; then
        "$build/bench/engine/engine_bench_alternate" "$runs" diff "$a" "$b" -- "$build/bivalo" "${report[@]}" \
            -- "$baseline" "${report[@]}"
    else
        "$build/bench/engine/engine_bench_alternate" "$runs" diff "$a" "$b" -- "$build/bivalo" "${report[@]}"
    fi
}

peak_kib() {
    { /usr/bin/time -f %M "$@" 2>&1 >/dev/null || true; } | tail -1
}

base=$(peak_kib "$build/bivalo" --version)
echo "fixed cost of a bivalo process (peak of --version): $base KiB"
printf '%-12s %10s %10s %7s %10s %10s %7s %7s' pair diff_s bivalo_s ratio bytes_KiB peak_KiB mem_x net_x
if [ -n "$baseline" ]; then printf ' %10s %7s %10s' baseline_s ratio baseline_peak_KiB; fi
printf '\n'
for name in big disjoint repetitive long tabbed; do
    a="$pairs/${name}_a.txt"
    b="$pairs/${name}_b.txt"
    runs=31
    if [ "$(stat -c %s "$a")" -gt $((8 << 20)) ]; then runs=5; fi
    read -r d v o < <(best_times "$runs" "$a" "$b")
    peak=$(peak_kib "$build/bivalo" --report --format=summary "$a" "$b")
    bytes=$(( ($(stat -c %s "$a") + $(stat -c %s "$b")) / 1024 ))
    awk -v n="$name" -v d="$d" -v v="$v" -v k="$bytes" -v p="$peak" -v b="$base" 'BEGIN {
        printf "%-12s %10.4f %10.4f %7.2f %10d %10d %7.2f %7.2f", n, d, v, v / d, k, p, p / k, (p - b) / k }'
    if [ -n "$baseline" ]; then
        awk -v o="$o" -v d="$d" -v p="$(peak_kib "$baseline" --report --format=summary "$a" "$b")" 'BEGIN {
            printf " %10.4f %7.2f %10d", o, o / d, p }'
    fi
    printf '\n'
done

a="$pairs/big_a.txt"
b="$pairs/big_b.txt"
read -r d v < <("$build/bench/engine/engine_bench_alternate" 5 diff "$a" "$b" -- "$build/bivalo" --report --format=html "$a" "$b")
"$build/bivalo" --report --format=html "$a" "$b" >"$pairs/page.html" || true
page=$(( $(stat -c %s "$pairs/page.html") / 1024 ))
printf '\n%-12s %10s %10s %7s %10s\n' page diff_s html_s ratio page_KiB
awk -v d="$d" -v v="$v" -v p="$page" 'BEGIN { printf "%-12s %10.4f %10.4f %7.2f %10d\n", "big", d, v, v / d, p }'

utf16() { { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$1"; } >"$2"; }
utf16 "$a" "$pairs/utf16_a.txt"
utf16 "$b" "$pairs/utf16_b.txt"
read -r u w < <("$build/bench/engine/engine_bench_alternate" 5 "$build/bivalo" --report --format=summary "$a" "$b" \
    -- "$build/bivalo" --report --format=summary "$pairs/utf16_a.txt" "$pairs/utf16_b.txt")
peak=$(peak_kib "$build/bivalo" --report --format=summary "$pairs/utf16_a.txt" "$pairs/utf16_b.txt")
bytes=$(( ($(stat -c %s "$pairs/utf16_a.txt") + $(stat -c %s "$pairs/utf16_b.txt")) / 1024 ))
printf '\n%-12s %10s %10s %7s %10s %10s %7s\n' pair utf8_s utf16_s ratio bytes_KiB peak_KiB mem_x
awk -v u="$u" -v w="$w" -v k="$bytes" -v p="$peak" 'BEGIN {
    printf "%-12s %10.4f %10.4f %7.2f %10d %10d %7.2f\n", "big utf16", u, w, w / u, k, p, p / k }'
