#!/usr/bin/env bash
# git mergetool with the merge window: a real conflict in a temporary repository, resolved by
# keys a user would press, sent by xdotool to the window on a virtual X server. One run takes
# LOCAL's lines and saves: git marks the path resolved with exactly those bytes. Another
# closes with the conflict left: git keeps the path unmerged. Exits 77 (skipped) without
# Xvfb or xdotool.
#   mergetool_window_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v Xvfb >/dev/null || skip "no Xvfb (Debian package xvfb)"
command -v xdotool >/dev/null || skip "no xdotool (Debian package xdotool)"
command -v git >/dev/null || skip "no git"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export BIVALO_INI="$work/Bivalo.INI"
export PATH="$build:$PATH"
export QT_QPA_PLATFORM=xcb
export GIT_CONFIG_GLOBAL=/dev/null GIT_CONFIG_NOSYSTEM=1

# Xvfb picks a free display number and writes it to the descriptor.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(tail -3 "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"

cd "$work"
git init -q repo
cd repo
git config user.email test@example.org
git config user.name Test
git config merge.tool bivalo
git config mergetool.bivalo.cmd 'bivalo --merge -L LOCAL -L BASE -L REMOTE -o "$MERGED" "$BASE" "$LOCAL" "$REMOTE"'
git config mergetool.bivalo.trustExitCode true
git config mergetool.keepBackup false
printf 'alpha\nbeta\ngamma\r\ndelta\n' >file.txt
git add file.txt
git commit -qm base
git checkout -q -b theirs
printf 'alpha\nBETA from theirs\ngamma\r\ndelta\n' >file.txt
git commit -qam theirs
git checkout -q -
printf 'alpha\nBETA from ours\ngamma\r\ndelta\nepsilon' >file.txt
git commit -qam ours

# Starts the merge with a conflict, then sends the keys to the merge window once it shows.
merge_with_keys() {
    git merge -q theirs >/dev/null 2>&1 && fail "git merged what should conflict"
    (
        window=$(xdotool search --sync --name 'merge .*file.txt' | head -1)
        xdotool windowfocus --sync "$window"
        for key in "$@"; do
            sleep 0.3
            xdotool key --clearmodifiers "$key"
        done
    ) >"$work/keys.log" 2>&1 &
    pids+=($!)
    status=0
    timeout 60 git mergetool --no-prompt >"$work/mergetool.log" 2>&1 || status=$?
}

merge_with_keys alt+Left ctrl+s ctrl+q
[ "$status" -eq 0 ] || fail "mergetool ended with $status: $(cat "$work/mergetool.log" "$work/keys.log")"
printf 'alpha\nBETA from ours\ngamma\r\ndelta\nepsilon' | cmp -s - file.txt || fail "merged: $(od -c file.txt)"
[ -z "$(git ls-files -u)" ] || fail "the resolved path stays unmerged"
git commit -qm merged

# Closing with the conflict left: the window asks, Enter answers Yes, and git keeps it unmerged.
git reset -q --hard HEAD~1
merge_with_keys ctrl+q Return
[ "$status" -ne 0 ] || fail "mergetool took a closed window as a resolution"
[ -n "$(git ls-files -u)" ] || fail "the conflict was marked resolved"
git merge --abort
echo "git mergetool resolves through the merge window"
