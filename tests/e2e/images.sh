# Sourced by the end-to-end sessions: questions about screenshots, answered with ImageMagick.

# png_pixel FILE X Y: the colour at (X, Y) as "r,g,b".
png_pixel() {
    local at="p{$2,$3}"
    convert "$1" -format "%[fx:int(255*$at.r)],%[fx:int(255*$at.g)],%[fx:int(255*$at.b)]" info:
}

# is_view_blue "r,g,b": the 3D view's clear colour, allowing for a viewer's lossy encoding.
is_view_blue() {
    local r g b
    IFS=, read -r r g b <<<"$1"
    [ "$r" -lt 40 ] && [ "$g" -lt 40 ] && [ "$b" -gt 215 ]
}

# png_crop FILE GEOMETRY OUT: the rectangle GEOMETRY ("wxh+x+y") of FILE, as OUT.
png_crop() { convert "$1" -crop "$2" +repage "$3"; }

# png_blue_fraction FILE: the fraction of FILE's pixels in the 3D view's clear blue.
png_blue_fraction() {
    convert "$1" -fuzz 12% -fill black +opaque '#0000FF' -fill white -opaque '#0000FF' \
        -colorspace Gray -format '%[fx:mean]' info:
}

# png_difference A B: the root-mean-square difference of two images of one size, 0 to 1.
png_difference() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }

# png_contrast FILE: the standard deviation of FILE's grey levels, 0 to 1 (0 for a flat image).
png_contrast() { convert "$1" -colorspace Gray -format '%[fx:standard_deviation]' info:; }

# Compares two numbers: below 0.1 0.2 succeeds.
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
