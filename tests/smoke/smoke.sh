#!/usr/bin/env bash
# Runs the real program on a virtual X display: its window maps with the title
# "Tintwright" and an icon, the preview strip shows the start-up gradient (red at the left,
# blue two thirds along), and "Exit" ends the process with status 0.
#   smoke.sh PATH/TO/tintwright
set -euo pipefail

if [[ "${1:-}" != --inside-display ]]; then
    program=${1:?usage: smoke.sh PATH/TO/tintwright}
    for tool in xvfb-run xauth xdotool xprop import convert timeout; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
    done
    exec timeout --kill-after=10 90 xvfb-run -a -s "-screen 0 800x600x24" \
        bash "$0" --inside-display "$program"
fi

program=$2
shot=$(mktemp --suffix=.png)
pid=
cleanup() {
    rm -f "$shot"
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
    fi
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

QT_QPA_PLATFORM=xcb "$program" &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintwright$' | head -n 1) ||
    fail "no visible window titled Tintwright appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"
# The icon property starts with the width and height of the icon's first size.
[[ $(xprop -id "$window" -len 8 -f _NET_WM_ICON 32c _NET_WM_ICON) == *"= "[1-9]* ]] ||
    fail "the window has no icon"

# Picture1 stands at (64, 8) and is 241 x 17 pixels; look along the middle of its strip.
colour_at() {
    convert "$shot" -format "%[hex:u.p{$((X + $1)),$((Y + 16))}]" info:
}
left= twoThirds=
for _ in $(seq 1 50); do
    import -window root "$shot"
    left=$(colour_at 68)
    twoThirds=$(colour_at $((64 + 241 * 2 / 3)))
    [[ "$left" == FF0000* && "$twoThirds" =~ ^[0-3][0-9A-F][0-3][0-9A-F]F ]] && break
    sleep 0.1
done
echo "preview: left $left, two thirds along $twoThirds"
[[ "$left" == FF0000* ]] || fail "preview does not start red (got $left)"
[[ "$twoThirds" =~ ^[0-3][0-9A-F][0-3][0-9A-F]F ]] || fail "preview is not blue two thirds along (got $twoThirds)"

# "Exit" is Command4 at (208, 200), 97 x 25 pixels.
xdotool mousemove --window "$window" 256 212 click 1
status=0
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after Exit"
wait "$pid" || status=$?
pid=
[[ $status -eq 0 ]] || fail "the program ended with status $status"
echo "PASS"
