#!/usr/bin/env bash
# The editor starts with a blue 3D view in the left half that reaches the real X display,
# and Esc ends it with exit status 0.
source "$(dirname "$0")/session.sh"

start_editor
sleep 2
read -r x y <<<"$(window_origin)"
left=$(screen_pixel $((x + 100)) $((y + 300)))
echo "3D view pixel: $left"
[ "$left" = "0,0,255" ] || fail "the 3D view is not blue on the screen: $left"

xdotool key --clearmodifiers Escape
expect_exit 0
echo "PASS"
