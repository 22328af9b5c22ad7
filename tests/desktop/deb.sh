#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it as dpkg and a desktop see it: its
# dependencies; exactly the installed files it should hold, entries that pass the
# validators, stripped programs without a run path; and the unpacked program running on a
# virtual display.
#   deb.sh BUILD_DIR APP_ID
source "$(dirname "$0")/common.sh"
build=$1 id=$2
need cpack dpkg-deb dpkg-shlibdeps file readelf desktop-file-validate appstreamcli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
    fail "cpack could not build the package: $(cat "$work/cpack.log")"
deb=$(find "$work" -maxdepth 1 -name 'tintwright_*.deb')
depends=$(dpkg-deb --field "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6 fonts-dejavu-extra; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

root=$work/root/usr
dpkg-deb -x "$deb" "$work/root"
expected="bin/tintwright
bin/tintwright-gen
share/applications/$id.desktop
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/tintwright-gen.1.gz
share/metainfo/$id.metainfo.xml"
actual=$(find "$root" -type f -printf '%P\n' | LC_ALL=C sort)
[[ "$actual" == "$expected" ]] || fail "files (>) differ: $(diff <(echo "$expected") <(echo "$actual"))"
desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
# The tree check also requires the desktop entry that the metadata launches.
appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli rejects the tree"
for program in "$root"/bin/*; do
    [[ $(file -b "$program") == *", stripped"* ]] || fail "$program is not stripped"
    ! readelf -d "$program" | grep -E 'RPATH|RUNPATH' || fail "$program has a run path"
done
"$(dirname "$0")/smoke.sh" "$root/bin/tintwright"
