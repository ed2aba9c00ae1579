# Sourced by the end-to-end sessions: drives the real mapwell.exe on the X display with xdotool
# and checks what the display shows with ImageMagick.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/wine-session"
source "$here/images.sh"

e2e_exe=$1
e2e_pid=""
e2e_window=""

fail() { echo "FAIL: $*" >&2; [ -n "$e2e_pid" ] && kill "$e2e_pid" 2>/dev/null; exit 1; }

# Prints the first window whose name matches the pattern $1, waiting up to $2 tenths of a
# second for it; prints nothing when none came.
wait_for_window() {
    local found=""
    for _ in $(seq "$2"); do
        found=$(xdotool search --name "$1" 2>/dev/null | head -1)
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}

# Starts the editor in the current folder and waits for its main window "Mapwell".
start_editor() {
    wine "$e2e_exe" >/dev/null 2>&1 &
    e2e_pid=$!
    e2e_window=$(wait_for_window '^Mapwell$' 300)
    [ -n "$e2e_window" ] || fail "no window named Mapwell appeared"
    xdotool windowfocus --sync "$e2e_window" 2>/dev/null || true
}

# File > Open File, and the file at the Linux path $1 typed into the "Open Mesh File" dialog.
open_mesh_file() {
    xdotool key --clearmodifiers alt+f
    sleep 0.5
    xdotool key Return
    [ -n "$(wait_for_window '^Open Mesh File$' 100)" ] || fail "File > Open File showed no \"Open Mesh File\" dialog"
    sleep 0.5
    xdotool type --delay 20 "$(winepath -w "$1")"
    xdotool key Return
}

# The window's client origin on the screen, as "x y".
window_origin() {
    xdotool getwindowgeometry "$e2e_window" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'
}

# The colour at screen point (x, y) of a fresh screenshot, as "r,g,b".
screen_pixel() {
    import -window root "$PWD/screen.png" 2>/dev/null || fail "no screenshot"
    png_pixel "$PWD/screen.png" "$1" "$2"
}

# Of the screen rectangle w x h at (x, y), as "fraction colours": the fraction of pixels that
# are not the view's clear blue, and the number of distinct colours.
screen_region_stats() {
    import -window root "$PWD/screen.png" 2>/dev/null || fail "no screenshot"
    local region="$PWD/region.png"
    convert "$PWD/screen.png" -crop "$3x$4+$1+$2" +repage "$region"
    local colours not_blue
    colours=$(convert "$region" -format '%k' info:)
    not_blue=$(convert "$region" -fill black -opaque '#0000FF' -fill white +opaque black \
               -colorspace Gray -format '%[fx:mean]' info:)
    echo "$not_blue $colours"
}

# Waits up to $2 seconds for the editor to end and checks its exit status is $1.
expect_exit() {
    local want=$1 seconds=${2:-15} status
    for _ in $(seq $((seconds * 10))); do
        kill -0 "$e2e_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$e2e_pid" 2>/dev/null && fail "the editor did not end"
    wait "$e2e_pid"; status=$?
    e2e_pid=""
    [ "$status" -eq "$want" ] || fail "exit status $status, expected $want"
}
