#!/usr/bin/env bash
# In the tests' prefix the windows are unmanaged, so Wine draws the editor's caption itself. Its
# buttons show Marlett's symbols: a flat bar to minimise and a symmetric cross to close, not the
# letters "0" and "r" that stand in for them when the font is missing. File > Exit ends it with
# exit status 0.
source "$(dirname "$0")/session.sh"

start_editor
read -r x y <<<"$(window_origin)"
width=$(xdotool getwindowgeometry --shell "$e2e_window" | sed -n 's/^WIDTH=//p')

# glyph RIGHT: the black pixels of the caption button whose right edge is RIGHT pixels left of
# the window's, as "width height asymmetry" (the share of pixels a left-right mirror changes).
glyph() {
    convert "$PWD/screen.png" -crop "20x22+$((x + width - 20 - $1))+$y" +repage \
        -colorspace Gray -threshold 20% -negate -trim +repage "$PWD/glyph.png"
    echo "$(identify -format '%w %h' "$PWD/glyph.png")" \
        "$(convert "$PWD/glyph.png" \( +clone -flop \) -compose difference -composite \
           -format '%[fx:mean]' info:)"
}
# The caption may be drawn a moment after the window appears.
for _ in $(seq 50); do
    import -window root "$PWD/screen.png" 2>/dev/null || fail "no screenshot"
    read -r w h asymmetry <<<"$(glyph 0)"
    [ "$w" -ge 5 ] && break
    sleep 0.2
done
echo "close glyph: ${w}x$h, asymmetry $asymmetry"
[ "$w" -ge 5 ] && [ "$h" -ge 5 ] && below "$asymmetry" 0.1 || fail "the close button is no cross"
read -r w h _ <<<"$(glyph 40)"
echo "minimise glyph: ${w}x$h"
[ "$w" -ge 4 ] && [ "$h" -le 2 ] || fail "the minimise button is no bar"

# File > Exit.
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
expect_exit 0
echo "PASS"
