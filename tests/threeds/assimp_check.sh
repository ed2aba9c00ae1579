#!/usr/bin/env bash
# Debian's assimp and Mapwell's 3DS reader/writer agree on each other's files.
#   assimp_check.sh <threeds_tool> <work folder>
# 1. A grid written by Mapwell opens in `assimp info` with the same face count and bounding box
#    (assimp's 3DS importer turns the file's z-up axes into y-up: (x, y, z) -> (x, z, -y)).
# 2. A grid made here as an OBJ file and exported by `assimp export` to 3DS is read by
#    Mapwell's reader as its scanning rules say: all vertices, faces and texture coordinates,
#    the bounding box of the OBJ, both material names without textures (Assimp writes the
#    texture map after the specular colour, which ends a material block for this reader), and
#    no face material (Assimp nests it in the face list, which is passed over).
set -euo pipefail
tool=$1
work=$2
mkdir -p "$work"
cd "$work"
rm -f ./*.3ds chunks.tst

failures=0
expect() { # what, expected, actual
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: expected '$2', got '$3'"
        failures=$((failures + 1))
    else
        echo "ok: $1 = $3"
    fi
}
field() { # output, key -> the rest of the line that starts with key
    printf '%s\n' "$1" | awk -v key="$2" '$1 == key { $1 = ""; sub(/^ /, ""); print; exit }'
}
assimp_point() { # info output, "Minimum"|"Maximum" -> "x y z" with 6 decimals
    printf '%s\n' "$1" | awk -v which="$2" '$1 == which && $2 == "point" {
        gsub(/[()]/, ""); printf "%.6f %.6f %.6f\n", $3, $4, $5 }'
}
y_up() { # "x y z" of the file -> "x z -y" as assimp reports it
    echo "$1" | awk '{ y = -$2; if (y == 0) y = 0; printf "%.6f %.6f %.6f\n", $1, $3, y }'
}

# 1. Mapwell writes, assimp reads.
"$tool" write mapwell_grid.3ds 12 9
ours=$("$tool" read mapwell_grid.3ds)
info=$(assimp info mapwell_grid.3ds 2>&1)
expect "assimp faces of Mapwell's file" "$(field "$ours" faces)" \
    "$(printf '%s\n' "$info" | awk '$1 == "Faces:" { print $2 }')"
read -r x0 y0 z0 <<<"$(field "$ours" min)"
read -r x1 y1 z1 <<<"$(field "$ours" max)"
expect "assimp minimum point" "$(y_up "$x0 $y1 $z0")" "$(assimp_point "$info" Minimum)"
expect "assimp maximum point" "$(y_up "$x1 $y0 $z1")" "$(assimp_point "$info" Maximum)"

# 2. Assimp writes, Mapwell reads.
columns=7
rows=5
awk -v C=$columns -v R=$rows 'BEGIN {
    print "mtllib grid.mtl"; print "o grid"
    for (j = 0; j < R; j++) for (i = 0; i < C; i++) printf "v %g %g %g\n", i * 1.5 - 3, j * 0.75, (i * j) % 5 * 0.5
    for (j = 0; j < R; j++) for (i = 0; i < C; i++) printf "vt %g %g\n", i / (C - 1), j / (R - 1)
    print "usemtl skin"
    for (j = 0; j < R - 1; j++) for (i = 0; i < C - 1; i++) {
        a = j * C + i + 1; b = a + 1; c = a + C; d = c + 1
        printf "f %d/%d %d/%d %d/%d\n", a, a, b, b, c, c
        printf "f %d/%d %d/%d %d/%d\n", b, b, d, d, c, c
    } }' >grid.obj
printf 'newmtl skin\nKd 1 1 1\nmap_Kd skin.bmp\n' >grid.mtl
assimp export grid.obj assimp_grid.3ds >/dev/null
obj_bounds=$(awk '$1 == "v" { for (k = 2; k <= 4; k++) {
        if (n == 0 || $k < lo[k]) lo[k] = $k; if (n == 0 || $k > hi[k]) hi[k] = $k }; n++ }
    END { printf "%.6f %.6f %.6f|%.6f %.6f %.6f\n", lo[2], lo[3], lo[4], hi[2], hi[3], hi[4] }' grid.obj)
ours=$("$tool" read assimp_grid.3ds)
expect "read result" 1 "$(field "$ours" result)"
expect "vertices" $((columns * rows)) "$(field "$ours" vertices)"
expect "faces" $(((columns - 1) * (rows - 1) * 2)) "$(field "$ours" faces)"
expect "texture coordinates" $((columns * rows)) "$(field "$ours" texcoords)"
expect "minimum" "${obj_bounds%|*}" "$(field "$ours" min)"
expect "maximum" "${obj_bounds#*|}" "$(field "$ours" max)"
expect "materials" 2 "$(field "$ours" materials)"
expect "first material" "0 'DefaultMaterial_0' ''" "$(field "$ours" material)"
expect "second material" "material 1 'skin_1' ''" \
    "$(printf '%s\n' "$ours" | grep "^material 1 ")"
expect "material index" -1 "$(field "$ours" material_index)"
expect "has texture" 0 "$(field "$ours" has_texture)"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
