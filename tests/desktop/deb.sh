#!/usr/bin/env bash
# Builds the Debian package with CPack, checks its control fields and the dependencies
# dpkg-shlibdeps found, unpacks it and runs the program from there on a virtual display.
#   deb.sh BUILD_DIR APP_ID
source "$(dirname "$0")/common.sh"
build=$1 id=$2
need cpack dpkg-deb dpkg-shlibdeps file
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
    fail "cpack could not build the package: $(cat "$work/cpack.log")"
deb=$(find "$work" -maxdepth 1 -name 'tintwright_*.deb')
[[ -f "$deb" ]] || fail "cpack made no tintwright_*.deb"
field() {
    dpkg-deb --field "$deb" "$1"
}
[[ $(field Section) == devel ]] || fail "the section is '$(field Section)', not devel"
[[ $(field Maintainer) == "Tintwright developers <"*">" ]] || fail "maintainer '$(field Maintainer)'"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6; do
    [[ ", $(field Depends)," == *", $library"[\ ,]* ]] || fail "Depends lacks $library"
done

dpkg-deb -x "$deb" "$work/root"
for file in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/48x48/apps/$id.png share/man/man1/tintwright-gen.1.gz bin/tintwright-gen; do
    [[ -f "$work/root/usr/$file" ]] || fail "the package lacks /usr/$file"
done
[[ $(file -b "$work/root/usr/bin/tintwright") == *", stripped"* ]] || fail "not stripped"
"$(dirname "$0")/smoke.sh" "$work/root/usr/bin/tintwright"
