#!/usr/bin/env bash
# Independent check of our binary X files: writes the media with mediagen in the binary
# encoding and asks assimp (Debian's assimp-utils) to read each mesh. assimp must find the
# same face count and the same bounding box (assimp turns the left-handed file right-handed,
# so its z range is ours negated), and the knot's texture.
# Usage: assimp_check.sh <path of mediagen>
set -euo pipefail
mediagen=$1
if ! command -v assimp >/dev/null; then
    echo "assimp_check: assimp is not installed (Debian package assimp-utils)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ASAN_OPTIONS=detect_leaks=0 "$mediagen" "$work" --binary >"$work/summary.txt"
status=0
while read -r file faces _ _ x0 y0 z0 x1 y1 z1; do
    file=${file%:}
    info=$(assimp info "$work/$file" 2>&1) || { echo "$file: assimp cannot read it"; echo "$info" | grep -i error; status=1; continue; }
    their_faces=$(echo "$info" | awk '/^Faces:/ {print $2}')
    read -r ax0 ay0 az0 <<<"$(echo "$info" | sed -n 's/^Minimum point *(\(.*\))/\1/p')"
    read -r ax1 ay1 az1 <<<"$(echo "$info" | sed -n 's/^Maximum point *(\(.*\))/\1/p')"
    if [ "$their_faces" != "$faces" ]; then
        echo "$file: assimp reads $their_faces faces, we wrote $faces"; status=1
    fi
    if ! awk -v a="$ax0 $ay0 $az0 $ax1 $ay1 $az1" -v b="$x0 $y0 $(awk "BEGIN{print -($z1)}") $x1 $y1 $(awk "BEGIN{print -($z0)}")" '
        BEGIN { n = split(a, p, " "); split(b, q, " ");
                for (i = 1; i <= n; i++) { d = p[i] - q[i]; if (d < 0) d = -d; if (d > 1e-4) exit 1 } }'; then
        echo "$file: assimp box ($ax0 $ay0 $az0) ($ax1 $ay1 $az1), ours ($x0 $y0 $z0) ($x1 $y1 $z1)"; status=1
    fi
    echo "$file: $their_faces faces, box ($ax0 $ay0 $az0) ($ax1 $ay1 $az1)"
done <"$work/summary.txt"

knot_info=$(assimp info "$work/knot.x" 2>&1 || true)
if ! grep -q 'tex.file' <<<"$knot_info"; then
    echo "knot.x: assimp finds no texture"; status=1
fi
[ -s "$work/summary.txt" ] || { echo "mediagen wrote no meshes"; status=1; }
exit $status
