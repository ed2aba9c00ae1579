#!/usr/bin/env bash
# The editor, copied into an empty folder with no media folder anywhere above it and started
# there, shows its 700 x 700 window with a blue 3D view in the left half on the real X display;
# the close box's Alt+F4 ends it with exit status 0.
source "$(dirname "$0")/session.sh"

alone=$(mktemp -d)
trap 'rm -rf "$alone"' EXIT
cp "$e2e_exe" "$alone/mapwell.exe"
cd "$alone" && e2e_exe=$alone/mapwell.exe

start_editor
sleep 2
read -r x y <<<"$(window_origin)"
size=$(xdotool getwindowgeometry "$e2e_window" | awk '/Geometry/ { print $2 }')
echo "window: $size"
[ "$size" = "700x700" ] || fail "the window is $size, not 700x700"
left=$(screen_pixel $((x + 100)) $((y + 300)))
echo "3D view pixel: $left"
[ "$left" = "0,0,255" ] || fail "the 3D view is not blue on the screen: $left"
right=$(screen_pixel $((x + 520)) $((y + 400)))
[ "$right" != "0,0,255" ] || fail "the right half is blue too: no texture pane"

xdotool key --clearmodifiers alt+F4
expect_exit 0
echo "PASS"
