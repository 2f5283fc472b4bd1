#!/usr/bin/env bash
# The window program on Qt's Wayland platform under weston's headless compositor: it opens
# a real pair, the compositor's screenshot shows the pair's rows, and the screenshot stays
# in OUT_DIR for a look. Exits 77 (skipped) without weston or Qt's Wayland plugin.
#   wayland_test.sh BUILD_DIR SOURCE_DIR [OUT_DIR]
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
out=${3:-$build/wayland}
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v python3 >/dev/null || skip "no python3 to read the screenshot"
command -v weston >/dev/null || skip "no weston (Debian package weston)"
command -v weston-screenshooter >/dev/null || skip "no weston-screenshooter (Debian package weston)"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "no Qt Wayland platform (Debian package qt6-wayland)"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p -m 700 "$work/runtime" "$out"
export XDG_RUNTIME_DIR="$work/runtime"
export WAYLAND_DISPLAY=bivalo-test
export BIVALO_INI="$work/Bivalo.INI"
unset DISPLAY

# --debug lets the screenshooter in; the pixman renderer draws into memory.
weston --backend=headless-backend.so --use-pixman --width=1280 --height=800 --socket="$WAYLAND_DISPLAY" \
    --idle-time=0 --debug >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.2; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start: $(tail -3 "$work/weston.log")"

QT_QPA_PLATFORM=wayland "$build/bivalo" "$source_dir/examples/calc_v1.c" "$source_dir/examples/calc_v2.c" \
    >"$work/bivalo.log" 2>&1 &
pids+=($!)

# The pair is shown once rows of the difference grey (the light table's) fill the panes.
rows=0
for _ in $(seq 60); do
    sleep 1
    kill -0 "${pids[1]}" 2>/dev/null || fail "the program ended: $(tail -5 "$work/bivalo.log")"
    rm -f "$work"/wayland-screenshot*.png
    (cd "$work" && weston-screenshooter >/dev/null 2>&1) || continue
    shot=$(ls "$work"/wayland-screenshot*.png 2>/dev/null | head -1)
    [ -n "$shot" ] || continue
    rows=$(python3 "$source_dir/tests/program/png_rows.py" "$shot" c8c8c8 200)
    [ "$rows" -ge 40 ] && break
done
[ "$rows" -ge 40 ] || fail "no pair on the screen: $rows pixel rows of difference grey"
white=$(python3 "$source_dir/tests/program/png_rows.py" "$shot" ffffff 200)
[ "$white" -ge 40 ] || fail "no rows of equal lines on the screen: $white"
cp "$shot" "$out/bivalo-wayland.png"
echo "the pair on Wayland: $rows pixel rows of differences, $white of equal lines; $out/bivalo-wayland.png"
