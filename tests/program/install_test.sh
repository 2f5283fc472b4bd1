#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a desktop expects: the
# launcher that finds the window program relative to itself, the desktop entry, icon,
# metadata and manual page; the validators run when they are installed.
#   install_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1
app_id=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/some prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/bivalo libexec/bivalo/bivalo-window share/applications/$app_id.desktop \
            share/icons/hicolor/scalable/apps/$app_id.svg share/metainfo/$app_id.metainfo.xml \
            share/man/man1/bivalo.1 share/doc/bivalo/README.md; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/bivalo" ] && [ -x "$prefix/libexec/bivalo/bivalo-window" ] || fail "programs not executable"
[ ! -e "$prefix/bin/bivalo-window" ] || fail "the window program is installed as a command"

entry="$prefix/share/applications/$app_id.desktop"
grep -qx 'Exec=bivalo %F' "$entry" || fail "desktop entry does not start bivalo with the files"
grep -qx 'Icon=[^/]*' "$entry" || fail "desktop entry's icon is not a theme name"
grep -q 'Categories=Development;Utility;' "$entry" || fail "desktop entry's categories"
grep -q 'MimeType=.*text/plain;' "$entry" || fail "desktop entry's types"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" || fail "the icon is no SVG"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$prefix/share/metainfo/$app_id.metainfo.xml" \
    || fail "metadata does not name the desktop entry"
grep -q 'docs/main_window.png</image>' "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "metadata has no screenshot"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" | { grep -E 'error|warning' && exit 1 || true; }
else
    echo "desktop-file-validate is not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null \
        || { appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"; fail "metadata"; }
else
    echo "appstreamcli is not installed: metadata not validated"
fi

# The manual page formats cleanly and tells the options, the exit status and the settings.
if command -v groff >/dev/null; then
    warnings=$(groff -man -Tutf8 -ww -z "$prefix/share/man/man1/bivalo.1" 2>&1)
    [ -z "$warnings" ] || fail "manual page warnings: $warnings"
    page=$(groff -man -Tascii -P-cbou "$prefix/share/man/man1/bivalo.1" 2>/dev/null)
    for told in --report --ignore-blanks --tab-size= --format=rows --git-diff --help --version \
                'EXIT STATUS' BIVALO_INI Bivalo.INI difftool.bivalo.cmd; do
        grep -qF -- "$told" <<<"$page" || fail "manual page does not tell $told"
    done
else
    echo "groff is not installed: manual page not checked"
fi

# The installed tree works where it is, also moved: the report, and the window program found
# from the launcher (it keeps running until it is stopped; a launcher that cannot find it
# ends at once with status 2).
moved="$work/moved"
mv "$prefix" "$moved"
export BIVALO_INI="$work/Bivalo.INI"
[ "$("$moved/bin/bivalo" --version)" = "Bivalo $version" ] || fail "installed --version"
printf 'a\nb\n' >"$work/one"
printf 'a\nc\n' >"$work/two"
status=0
"$moved/bin/bivalo" --report --format=summary "$work/one" "$work/two" >/dev/null || status=$?
[ "$status" -eq 1 ] || fail "installed report ended with $status"
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$moved/bin/bivalo" "$work/one" "$work/two" 2>"$work/window.err" || status=$?
[ "$status" -eq 124 ] || { cat "$work/window.err" >&2; fail "the window program did not run (status $status)"; }
echo "installed tree complete"
