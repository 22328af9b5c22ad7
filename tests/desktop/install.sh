#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: exactly
# the programs, the manual page, the menu entry, the icon and the AppStream metadata;
# entries that pass the validators; PNG icons of the sizes their folders claim; programs
# that carry no run path into the build tree.
#   install.sh BUILD_DIR APP_ID
source "$(dirname "$0")/common.sh"
build=$1 id=$2
need desktop-file-validate appstreamcli file readelf
cmake --install "$build" --prefix "$work" >/dev/null

expected="bin/tintwright
bin/tintwright-gen
share/applications/$id.desktop
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/tintwright-gen.1.gz
share/metainfo/$id.metainfo.xml"
actual=$(find "$work" -type f -printf '%P\n' | LC_ALL=C sort)
[[ "$actual" == "$expected" ]] ||
    fail "installed files (>) differ from the expected (<): $(diff <(echo "$expected") <(echo "$actual"))"

desktop=$work/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
grep -qx 'Exec=tintwright' "$desktop" || fail "the desktop entry does not start bin/tintwright"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
# The tree check also requires the desktop entry that the metadata launches.
appstreamcli validate-tree --no-net "$work" || fail "appstreamcli rejects the installed tree"
for size in 48 128 256; do
    png=$work/share/icons/hicolor/${size}x$size/apps/$id.png
    [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] || fail "$png is $(file -b "$png")"
done
! readelf -d "$work"/bin/* | grep -E 'RPATH|RUNPATH' || fail "an installed program has a run path"
echo "PASS"
