#!/usr/bin/env bash
# The Edit menu in the real editor: a textured mesh opened, every point selected, Edit > Flip
# Horizontally changes the pane, Ctrl+Z gives back the very same pixels, Ctrl+Shift+Z and
# Ctrl+Y redo the flip after each undo.
source "$(dirname "$0")/session.sh"
media=$2

start_editor
read -r x y <<<"$(window_origin)"
width=$(xdotool getwindowgeometry "$e2e_window" | awk '/Geometry/ { split($2, g, "x"); print g[1] }')
open_mesh_file "$media/knot.x"
sleep 2

# The pane's picture: the right half of the client area, below the menu bar and the toolbar.
pane() {
    sleep 0.7
    import -window root "$PWD/screen.png" 2>/dev/null || fail "no screenshot"
    png_crop "$PWD/screen.png" "$((width / 2 - 40))x300+$((x + width / 2 + 10))+$((y + 100))" "$PWD/$1.png"
}
same() { below "$(png_difference "$PWD/$1.png" "$PWD/$2.png")" 0.0001; }

xdotool key --clearmodifiers alt+o
sleep 0.5
xdotool key Return   # Select All
pane opened
xdotool key --clearmodifiers alt+e
sleep 0.5
xdotool key h        # Flip Horizontally
pane flipped
same opened flipped && fail "Edit > Flip Horizontally left the pane as it was"
xdotool key --clearmodifiers ctrl+z
pane undone
same opened undone || fail "Ctrl+Z did not give back the pane as it was before the flip"
xdotool key --clearmodifiers ctrl+shift+z
pane redone
same flipped redone || fail "Ctrl+Shift+Z did not redo the flip"
xdotool key --clearmodifiers ctrl+z
xdotool key --clearmodifiers ctrl+y
pane redone_again
same flipped redone_again || fail "Ctrl+Y did not redo the flip"

xdotool key --clearmodifiers Escape
expect_exit 0
echo "PASS"
