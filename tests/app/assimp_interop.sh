#!/usr/bin/env bash
# Mapwell and Assimp agree on 3DS, OBJ and X files: a grid written as OBJ is exported to 3DS by
# Assimp, opened in the editor (Editor3dsInterop), saved again as 3DS and exported as OBJ, binary
# X and text X; `assimp info` must read each with the grid's face count and bounding box.
# Arguments: the Editor test program, scripts/wine-run, the folder to work in.
set -euo pipefail
program=$1 wine_run=$2 folder=$3
mkdir -p "$folder" && cd "$folder"
rm -f assimp.3ds mapwell.3ds mapwell.obj mapwell.mtl mapwell.x mapwell-text.x

columns=5 rows=4   # vertices across and down: (columns-1)*(rows-1)*2 triangles
{
    for ((y = 0; y < rows; ++y)); do
        for ((x = 0; x < columns; ++x)); do
            echo "v $x $y 0"
            echo "vt 0.$((x * 2)) 0.$((y * 3))"
        done
    done
    for ((y = 0; y + 1 < rows; ++y)); do
        for ((x = 0; x + 1 < columns; ++x)); do
            a=$((y * columns + x + 1)) b=$(((y + 1) * columns + x + 1))
            echo "f $a/$a $b/$b $((b + 1))/$((b + 1))"
            echo "f $a/$a $((b + 1))/$((b + 1)) $((a + 1))/$((a + 1))"
        done
    done
} > grid.obj
faces=$(((columns - 1) * (rows - 1) * 2))

assimp export grid.obj assimp.3ds > /dev/null
MAPWELL_INTEROP_FACES=$faces "$wine_run" "$program" \
    --gtest_also_run_disabled_tests --gtest_filter='Editor3dsInterop.*'

summary() { assimp info "$1" | grep -E '^(Faces|Minimum point|Maximum point)'; }
# Assimp turns 3DS files from z up to y up, so a 3DS file compares with Assimp's 3DS file and
# the others with the grid itself.
for pair in mapwell.3ds:assimp.3ds mapwell.obj:grid.obj mapwell.x:grid.obj mapwell-text.x:grid.obj; do
    written=${pair%%:*}
    expected=$(summary "${pair#*:}")
    actual=$(summary "$written")
    echo "$written: $actual"
    if [ "$(echo "$actual" | awk '/^Faces/ {print $2}')" != "$faces" ] || [ "$actual" != "$expected" ]; then
        echo "assimp reads $written differently:" >&2
        echo "$expected" >&2
        exit 1
    fi
done
