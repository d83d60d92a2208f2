#!/usr/bin/env bash
# Regenerates Tallyfold's own pictures: the 300 x 50 banner of its window (and the same at twice
# the size for dense screens) and its icon in 32 x 32 and 64 x 64, and the desktop's icons of
# the installed program in an icons/ folder beside the kit folder.
#
#   make-kit.sh        write into ../kit/ and ../icons/ beside this script
#   make-kit.sh DIR    write into DIR and DIR/../icons/ instead
#
# Needs ImageMagick 6 `convert` and the DejaVu fonts of fonts-dejavu-core. Nothing is
# downloaded; reruns with the same tool versions give the same bytes.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here/../kit}
font_bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
font_plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

command -v convert >/dev/null || { echo "make-kit: 'convert' not found" >&2; exit 2; }
for f in "$font_bold" "$font_plain"; do
    [[ -r $f ]] || { echo "make-kit: font $f missing (fonts-dejavu-core)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
icons=$(cd "$out/.." && pwd)/icons
rm -rf "$icons"
mkdir -p "$icons"

# No time stamps or text chunks, so that reruns give equal bytes.
png_opts=(-depth 8 -strip -define 'png:exclude-chunk=date,time,tIME')

# The icon, drawn at 256 x 256 and scaled down: a blue tile with a page whose folded corner
# shows, and on the page the running numbers 1 2 3 under a tag line.
convert -size 256x256 xc:none \
    \( -size 224x224 gradient:'#3d7bd9'-'#163f86' \
       \( -size 224x224 xc:black -fill white -draw "roundrectangle 0,0 223,223 40,40" \) \
       -alpha off -compose CopyOpacity -composite \) -geometry +16+16 -compose Over -composite \
    -fill '#0d2a5c' -draw "polygon 70,52 166,52 198,84 198,212 70,212" \
    -fill '#ffffff' -draw "polygon 66,46 162,46 194,78 194,206 66,206" \
    -fill '#c9d8f2' -draw "polygon 162,46 162,78 194,78" \
    -fill '#e0872b' -draw "roundrectangle 84,76 146,92 6,6" \
    -fill '#163f86' -font "$font_bold" -pointsize 50 -annotate +78+178 '123' \
    "$work/icon-256.png"
# The desktop's menus and docks ask for the sizes of the hicolor theme; the window takes two.
for size in 16 24 32 48 64 128 256; do
    convert "$work/icon-256.png" -filter Lanczos -resize "${size}x${size}" \
        "${png_opts[@]}" "PNG32:$icons/$size.png"
done
cp "$icons/32.png" "$out/tallyfold.png"
cp "$icons/64.png" "$out/tallyfold-64.png"

# The banner: the icon, the name and what the program does, on a plaque with a clear margin
# around it: the window is a little wider than the banner, and its first option button starts
# just below the plaque. banner@2x.png draws the same at twice the size for dense screens.
banner() {
    local k=$1 file=$2
    convert "$work/icon-256.png" -filter Lanczos -resize "$((36 * k))x$((36 * k))" \
        "$work/icon-36.png"
    convert -size "$((288 * k))x$((42 * k))" gradient:'#ffffff'-'#d6e2f3' \
        \( -size "$((288 * k))x$((42 * k))" xc:black -fill white \
           -draw "roundrectangle 0,0 $((288 * k - 1)),$((42 * k - 1)) $((6 * k)),$((6 * k))" \) \
        -alpha off -compose CopyOpacity -composite \
        -fill none -stroke '#a9bcda' -strokewidth "$k" \
        -draw "roundrectangle $(half "$k"),$(half "$k") $(half $((573 * k))),$(half $((81 * k))) $((6 * k)),$((6 * k))" \
        "$work/plaque.png"
    convert -size "$((300 * k))x$((50 * k))" xc:none \
        "$work/plaque.png" -geometry "+$((8 * k))+0" -compose Over -composite \
        "$work/icon-36.png" -geometry "+$((14 * k))+$((3 * k))" -compose Over -composite \
        -stroke none -fill '#163f86' -font "$font_bold" -pointsize $((18 * k)) \
        -annotate "+$((58 * k))+$((20 * k))" 'Tallyfold' \
        -fill '#4a5a72' -font "$font_plain" -pointsize $((9 * k)) \
        -annotate "+$((59 * k))+$((34 * k))" "every file of a folder, numbered 1, 2, 3 ..." \
        "${png_opts[@]}" "PNG32:$file"
}
# Half of a whole number, written as the drawing commands take it: 0.5, 1, 286.5 ...
half() {
    if (($1 % 2)); then echo "$(($1 / 2)).5"; else echo "$(($1 / 2))"; fi
}
banner 1 "$out/banner.png"
banner 2 "$out/banner@2x.png"
