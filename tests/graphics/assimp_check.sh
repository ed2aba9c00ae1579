#!/usr/bin/env bash
# Independent check of our X files against Debian's assimp (assimp-utils), both ways:
#  1. mediagen writes the media meshes as binary X files; assimp must read each with the same
#     face count and bounding box (assimp turns the left-handed file right-handed, so its z
#     range is ours negated), and find the knot's texture;
#  2. assimp exports each mesh again as an X file of its own making; our reader (xfile_info)
#     must read that with the same face count and bounding box.
# Usage: assimp_check.sh <path of mediagen> <path of xfile_info>
set -euo pipefail
mediagen=$1
xfile_info=$2
if ! command -v assimp >/dev/null; then
    echo "assimp_check: assimp is not installed (Debian package assimp-utils)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=0

# True when the six numbers of $1 and $2 agree to 1e-4.
same_box() {
    awk -v a="$1" -v b="$2" 'BEGIN { n = split(a, p, " "); m = split(b, q, " "); if (n != 6 || m != 6) exit 1;
        for (i = 1; i <= n; i++) { d = p[i] - q[i]; if (d < 0) d = -d; if (d > 1e-4) exit 1 } }'
}

"$mediagen" "$work" --binary >"$work/summary.txt"
[ -s "$work/summary.txt" ] || { echo "mediagen wrote no meshes"; exit 1; }
status=0
while read -r file faces _ _ x0 y0 z0 x1 y1 z1; do
    file=${file%:}
    info=$(assimp info "$work/$file" 2>&1) || { echo "$file: assimp cannot read it"; echo "$info" | grep -i error; status=1; continue; }
    their_faces=$(awk '/^Faces:/ {print $2}' <<<"$info")
    their_box="$(sed -n 's/^Minimum point *(\(.*\))/\1/p' <<<"$info") $(sed -n 's/^Maximum point *(\(.*\))/\1/p' <<<"$info")"
    flipped="$x0 $y0 $(awk "BEGIN{print -($z1)}") $x1 $y1 $(awk "BEGIN{print -($z0)}")"
    echo "$file read by assimp: $their_faces faces, box $their_box"
    [ "$their_faces" = "$faces" ] || { echo "$file: assimp reads $their_faces faces, we wrote $faces"; status=1; }
    same_box "$their_box" "$flipped" || { echo "$file: assimp box $their_box, ours $x0 $y0 $z0 $x1 $y1 $z1"; status=1; }

    assimp export "$work/$file" "$work/assimp-$file" >/dev/null 2>&1 || { echo "$file: assimp cannot export it"; status=1; continue; }
    ours=$("$xfile_info" "$work/assimp-$file") || { echo "assimp-$file: our reader says: $ours"; status=1; continue; }
    echo "assimp-$file read by us: $ours"
    read -r our_faces _ _ b0 b1 b2 b3 b4 b5 <<<"$ours"
    [ "$our_faces" = "$faces" ] || { echo "assimp-$file: we read $our_faces faces, mediagen wrote $faces"; status=1; }
    same_box "$b0 $b1 $b2 $b3 $b4 $b5" "$x0 $y0 $z0 $x1 $y1 $z1" || { echo "assimp-$file: box differs"; status=1; }
done <"$work/summary.txt"

knot_info=$(assimp info "$work/knot.x" 2>&1 || true)
grep -q 'tex.file' <<<"$knot_info" || { echo "knot.x: assimp finds no texture"; status=1; }
exit $status
