#!/usr/bin/env bash
# The program as a terminal and git use it: the usage, an unknown option, a side read from
# a pipe, and git's difftool and external diff on a real repository with blanks in its paths.
# The window is never needed: git runs the terminal variants that the README gives.
#   command_line_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export PATH="$build:$PATH"
export BIVALO_INI="$work/Bivalo.INI"
export COLUMNS=80

# --- usage -------------------------------------------------------------------------------
help=$(bivalo --help) || fail "--help ended with $?"
for told in 'bivalo [SOURCE [TARGET [RESULT]]]' 'bivalo --report' 'Exit status'; do
    grep -qF -- "$told" <<<"$help" || fail "--help does not tell '$told'"
done
status=0
bivalo --report --frobnicate a b >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status"
grep -qF "unknown option '--frobnicate'" "$work/err" || fail "the unknown option is not named"
[ ! -s "$work/out" ] || fail "an unknown option printed a report"

# --- a side from a pipe ------------------------------------------------------------------
printf 'one\ntwo\n' >"$work/file"
printf 'one\ntwo\n' | bivalo --report --format=summary - "$work/file" >"$work/out" || fail "pipe vs same file"
grep -qx 'Files are identical!' "$work/out" || fail "pipe: $(cat "$work/out")"
status=0
printf 'one\nTWO\n' | bivalo --report --format=summary "$work/file" - >"$work/out" || status=$?
[ "$status" -eq 1 ] && grep -qx '1 differences' "$work/out" || fail "pipe as target: $status $(cat "$work/out")"

# --- git -----------------------------------------------------------------------------------
repo="$work/a repo"
mkdir -p "$repo/sub folder"
cd "$repo"
git init -q
git config user.email tester@localhost
git config user.name Tester
printf 'alpha\nbeta\ngamma\n' >"sub folder/my file.txt"
git add . && git commit -qm first
printf 'alpha\nBETA\ngamma\ndelta\n' >"sub folder/my file.txt"
printf 'fresh\n' >"new file.txt"
git add "new file.txt"

# The difftool lines of the README, in their terminal form.
git config difftool.bivalo-report.cmd 'bivalo --report "$LOCAL" "$REMOTE"'
git config difftool.prompt false
git difftool -t bivalo-report >"$work/out" 2>"$work/err" || fail "difftool: $(cat "$work/err")"
grep -qE '2 ! beta +\| 2 ! BETA' "$work/out" || fail "difftool did not compare the pair: $(cat "$work/out")"
grep -qE '\| 4 \+ delta' "$work/out" || fail "difftool lost a line: $(cat "$work/out")"

# git's external diff, on the work tree and on the index (a new file against /dev/null).
git -c diff.external='bivalo --report --git-diff' diff >"$work/out" || fail "ext-diff ended with $?"
grep -qxF 'diff a/sub folder/my file.txt b/sub folder/my file.txt' "$work/out" || fail "ext-diff caption: $(cat "$work/out")"
grep -qE '2 ! beta +\| 2 ! BETA' "$work/out" || fail "ext-diff rows: $(cat "$work/out")"
git -c diff.external='bivalo --report --format=summary --git-diff' diff --cached >"$work/out" \
    || fail "ext-diff of the index ended with $?"
grep -qxF 'diff a/new file.txt b/new file.txt' "$work/out" || fail "ext-diff of a new file: $(cat "$work/out")"
grep -qx 'rows=1 same=0 source_only=0 target_only=1 changed=0' "$work/out" || fail "new file rows: $(cat "$work/out")"
git commit -qam second
git -c diff.external='bivalo --report --format=summary --git-diff' log -p --ext-diff -1 >"$work/out" \
    || fail "ext-diff in git log ended with $?"
[ "$(grep -cE '^[0-9]+ differences$' "$work/out")" -eq 2 ] || fail "ext-diff in git log: $(cat "$work/out")"

# A real conflict: the headless merge of git's three stages writes it with git's markers and
# labels, and through git mergetool (the README's lines) its status leaves the path unmerged.
git checkout -q -b theirs
printf 'alpha\nBETA from theirs\ngamma\ndelta\n' >"sub folder/my file.txt"
git commit -qam theirs
git checkout -q -
printf 'alpha\nBETA from ours\ngamma\ndelta\nepsilon\n' >"sub folder/my file.txt"
git commit -qam ours
git merge -q theirs >/dev/null 2>&1 && fail "git merged what should conflict"
for stage in 1 2 3; do git show ":$stage:sub folder/my file.txt" >"$work/stage$stage"; done
status=0
bivalo --report --merge -L ours -L base -L theirs -o "$work/merged" "$work/stage1" "$work/stage2" "$work/stage3" \
    || status=$?
[ "$status" -eq 1 ] || fail "a conflict ended the merge with $status"
printf 'alpha\n<<<<<<< ours\nBETA from ours\n=======\nBETA from theirs\n>>>>>>> theirs\ngamma\ndelta\nepsilon\n' \
    >"$work/expected"
cmp -s "$work/expected" "$work/merged" || fail "merge result: $(cat "$work/merged")"
git config merge.tool bivalo-report
git config mergetool.bivalo-report.cmd 'bivalo --report --merge -o "$MERGED" "$BASE" "$LOCAL" "$REMOTE"'
git config mergetool.bivalo-report.trustExitCode true
git mergetool --no-prompt >"$work/out" 2>&1 && fail "mergetool took a conflict as resolved"
grep -q 'merge of sub folder/my file.txt failed' "$work/out" || fail "mergetool: $(cat "$work/out")"
git ls-files -u | grep -q 'my file.txt' || fail "the conflict was marked resolved"
git merge --abort
echo "command line and git work"
