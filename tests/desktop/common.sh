# What the desktop tests share: `fail MESSAGE` ends the test; `need TOOL...` fails it unless
# every tool is installed.
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
