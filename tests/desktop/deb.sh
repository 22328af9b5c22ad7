#!/usr/bin/env bash
# Builds the Debian packages with CPack and checks them as dpkg and a desktop see them: their
# dependencies (tintwright-gen's with no Qt or X library); exactly the installed files each
# holds, a copyright file with the MIT licence among them; entries that pass the validators,
# stripped programs without a run path; and the unpacked window running on a virtual display.
# Without the window, tintwright-gen's package must be the only one.
#   deb.sh BUILD_DIR APP_ID VERSION WINDOW(ON|OFF)
source "$(dirname "$0")/common.sh"
build=$1 id=$2 version=$3 window=$4
need cpack dpkg-deb dpkg-shlibdeps file readelf strings desktop-file-validate appstreamcli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
    fail "cpack could not build the packages: $(cat "$work/cpack.log")"
gen=$work/tintwright-gen_${version}_amd64.deb app=$work/tintwright_${version}_amd64.deb
debs=$(find "$work" -maxdepth 1 -name '*.deb' | wc -l)
[[ $debs == $([[ $window == ON ]] && echo 2 || echo 1) ]] || fail "cpack made $debs packages"
for deb in "$gen" "$app"; do # as the README's install commands name them
    grep -q "build/[a-z]*/${deb##*/}" "$(dirname "$0")/../../README.md" || fail "README: $deb"
done

# `check DEB DEPENDS FILE...` fails unless the package's Depends names every package in
# DEPENDS and it holds exactly the FILEs; it unpacks the package into root/.
check() {
    depends=$(dpkg-deb --field "$1" Depends)
    for package in $2; do
        [[ ", $depends," == *", $package"[\ ,]* ]] || fail "$1 lacks $package: $depends"
    done
    files=$(dpkg-deb --contents "$1" | awk '!/\/$/ { sub("^./usr/", "", $6); print $6 }')
    [[ $(LC_ALL=C sort <<<"$files") == "$(printf '%s\n' "${@:3}")" ]] || fail "$1 holds $files"
    dpkg-deb -x "$1" "$work/root"
}
root=$work/root/usr

check "$gen" "libc6" bin/tintwright-gen \
    lib/cmake/TintwrightGen/{TintwrightAddGradient,TintwrightGenConfig}.cmake \
    lib/cmake/TintwrightGen/TintwrightGenConfigVersion.cmake \
    lib/cmake/TintwrightGen/TintwrightGenTargets{-relwithdebinfo,}.cmake \
    share/doc/tintwright-gen/copyright \
    share/man/man1/tintwright-gen.1.gz
! dpkg-deb --field "$gen" Depends | grep -Ei '(^|, )(libqt|libx|libgl|libegl|libwayland|libpng)' ||
    fail "tintwright-gen depends on Qt, X or an image library"
if [[ $window == ON ]]; then
    check "$app" "libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6 fonts-dejavu-extra" \
        bin/tintwright share/applications/$id.desktop share/doc/tintwright/copyright \
        share/icons/hicolor/{128x128,256x256,48x48}/apps/$id.png \
        share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml
    [[ $(dpkg-deb --field "$app" Recommends) == "tintwright-gen (= $version)" ]] ||
        fail "tintwright does not recommend tintwright-gen $version"
    desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
    # The window gives the entry's name as its desktop file name, a UTF-16 string literal.
    strings -e l "$root/bin/tintwright" | grep -qx "$id" || fail "the window does not name $id"
    # The tree check also requires the desktop entry that the metadata launches.
    appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli rejects the tree"
fi
for copyright in "$root"/share/doc/*/copyright; do
    grep -qx 'License: Expat' "$copyright" || fail "$copyright names no MIT (Expat) licence"
done
for program in "$root"/bin/*; do
    [[ $(file -b "$program") == *", stripped"* ]] || fail "$program is not stripped"
    ! readelf -d "$program" | grep -E 'RPATH|RUNPATH' || fail "$program has a run path"
done
[[ $window == OFF ]] || "$(dirname "$0")/smoke.sh" "$root/bin/tintwright"
