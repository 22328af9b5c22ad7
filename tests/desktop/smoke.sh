#!/usr/bin/env bash
# Runs the real program on a virtual X display: its window maps with the title
# "Tintwright" and an icon, and "Exit" ends the process with status 0.
#   smoke.sh PATH/TO/tintwright
source "$(dirname "$0")/common.sh"
if [[ "$1" != --inside-display ]]; then
    need xvfb-run xauth xdotool xprop
    exec timeout --kill-after=10 90 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --inside-display "$1"
fi

QT_QPA_PLATFORM=xcb "$2" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintwright$' | head -n 1) ||
    fail "no visible window titled Tintwright appeared"
# The icon property starts with the width and height of the icon's first size.
[[ $(xprop -id "$window" -len 8 -f _NET_WM_ICON 32c _NET_WM_ICON) == *"= "[1-9]* ]] ||
    fail "the window has no icon"

# "Exit" is Command4 at (208, 200), 97 x 25 pixels.
xdotool mousemove --window "$window" 256 212 click 1
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after Exit"
wait "$pid" || fail "the program ended with status $?"
echo "PASS"
