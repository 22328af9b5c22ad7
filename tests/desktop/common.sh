# Shared by the desktop tests: `fail MESSAGE` ends the test, `need TOOL...` fails unless
# every tool is installed, and `$work` is a temporary folder removed on exit.
set -euo pipefail
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
