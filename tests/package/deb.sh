#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack, checks its control fields and
# that dpkg-shlibdeps gave it the Qt libraries as dependencies, unpacks it into a temporary
# root and runs the program from there on a virtual display (tests/smoke/smoke.sh).
#   deb.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: deb.sh BUILD_DIR}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
    fail "cpack could not build the package: $(cat "$work/cpack.log")"
deb=$(find "$work" -maxdepth 1 -name 'tintwright_*.deb')
[[ -f "$deb" ]] || fail "cpack made no tintwright_*.deb: $(ls "$work")"
dpkg-deb --info "$deb"

field() {
    dpkg-deb --field "$deb" "$1"
}
[[ $(field Section) == devel ]] || fail "the section is '$(field Section)', not devel"
[[ $(field Maintainer) == "Tintwright developers <"*">" ]] ||
    fail "the maintainer is '$(field Maintainer)'"
depends=$(field Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6; do
    [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: '$depends'"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
id=io.github.tintwright.Tintwright
for file in applications/$id.desktop metainfo/$id.metainfo.xml icons/hicolor/48x48/apps/$id.png; do
    [[ -f "$root/usr/share/$file" ]] || fail "the package lacks /usr/share/$file"
done
[[ $(file -b "$root/usr/bin/tintwright") == *", stripped"* ]] ||
    fail "the packaged program is not stripped"
"$(dirname "$0")/../smoke/smoke.sh" "$root/usr/bin/tintwright"
