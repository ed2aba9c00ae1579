#!/usr/bin/env bash
# Opening a textured mesh through the real File menu and the real Open dialog draws the lit,
# textured mesh in the 3D view on the X display; Esc then ends the editor with status 0.
source "$(dirname "$0")/session.sh"
media=$2

start_editor
read -r x y <<<"$(window_origin)"
view_centre() { screen_pixel $((x + 170)) $((y + 330)); }
for _ in $(seq 50); do [ "$(view_centre)" = "0,0,255" ] && break; sleep 0.2; done
[ "$(view_centre)" = "0,0,255" ] || fail "the view is not blue before a mesh is opened"

open_mesh_file "$media/knot.x"

drawn=""
for _ in $(seq 50); do
    sleep 0.2
    drawn=$(view_centre)
    [ "$drawn" != "0,0,255" ] && break
done
[ "$drawn" != "0,0,255" ] || fail "the mesh was not drawn"
# The lit, textured knot covers much of the view in many colours (an untextured or unlit mesh
# would show a handful).
read -r covered colours <<<"$(screen_region_stats $((x + 10)) $((y + 60)) 320 560)"
echo "3D view after Open File: $covered of it covered, $colours colours"
awk "BEGIN { exit !($covered > 0.2) }" || fail "the mesh covers too little of the view: $covered"
[ "$colours" -gt 500 ] || fail "the mesh shows too few colours for its texture: $colours"

xdotool key --clearmodifiers Escape
expect_exit 0
echo "PASS"
