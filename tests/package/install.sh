#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: exactly
# the program, its menu entry, its icon and its AppStream metadata; entries that name the
# installed program and icon and pass the validators; PNG icons of the sizes their folders
# claim; a program that carries no run path into the build tree.
#   install.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: install.sh BUILD_DIR}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for tool in desktop-file-validate appstreamcli file readelf; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=io.github.tintwright.Tintwright
expected="bin/tintwright
share/applications/$id.desktop
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/metainfo/$id.metainfo.xml"
actual=$(find "$prefix" -type f -printf '%P\n' | LC_ALL=C sort)
[[ "$actual" == "$expected" ]] ||
    fail "the installed files (>) differ from the expected ones (<):
$(diff <(echo "$expected") <(echo "$actual"))"

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
grep -qx 'Exec=tintwright' "$desktop" || fail "the desktop entry does not start bin/tintwright"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli rejects $id.metainfo.xml"
# The tree check also requires the desktop entry that the metadata launches to be installed.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"

for size in 48 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] ||
        fail "${size}x$size icon is $(file -b "$png")"
done

if readelf -d "$prefix/bin/tintwright" | grep -E 'RPATH|RUNPATH'; then
    fail "the installed program carries a run path"
fi
echo "PASS"
