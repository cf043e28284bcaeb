#!/bin/sh
# Draws the icons of the viewer's Google Earth documents: ar0.png … ar350.png, a yellow arrow
# pointing to the boat's heading (0 = north, clockwise, every 10 degrees), and buoi.png, the
# orange mark. Needs ImageMagick; run it here to draw them again: ./make-icons.sh
set -eu
cd "$(dirname "$0")"
for a in $(seq 0 10 350); do
    points=$(awk -v a="$a" 'BEGIN {
        r = a * 3.14159265358979 / 180
        n = split("0,-14 9,11 0,5 -9,11", p, " ")
        for (i = 1; i <= n; i++) {
            split(p[i], q, ",")
            printf "%.2f,%.2f ", q[1] * cos(r) - q[2] * sin(r) + 16, q[1] * sin(r) + q[2] * cos(r) + 16
        }
    }')
    convert -size 32x32 xc:none -fill '#ffd400' -stroke black -strokewidth 1.5 \
        -draw "polygon $points" -strip "ar$a.png"
done
convert -size 32x32 xc:none -fill '#ff6a00' -stroke black -strokewidth 1.5 \
    -draw "circle 16,16 16,7" -fill '#ffd0a0' -stroke none -draw "circle 13,13 13,10" -strip buoi.png
