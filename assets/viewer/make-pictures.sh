#!/bin/sh
# Draws the pictures of the viewer's window. Needs ImageMagick and the DejaVu fonts; run it
# here to draw them again: ./make-pictures.sh
#   compass.png        83 x 83   the compass rose, turned by the window to the chart's orientation
#   brenvologo.png     120 x 72  the class flag on its halyard (shown before the start)
#   blue_p.png         120 x 72  the class flag with the preparatory flag below it
#   up_f, up_t, stop_f, stop_t, dn_f, dn_t, plus, minus .png   24 x 16   play buttons
#                      (the _t twin is the pressed one)
#   usa.png, jpn.png   34 x 23   the language switch
#   logo.png           80 x 80   the logo of the overview panel
#   splash.png         333 x 381 the splash picture
set -eu
cd "$(dirname "$0")"
SANS=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# Compass: a pale disc with a navy ring, ticks every 10 degrees (longer every 30), the four
# letters and a red north pointer. The middle stays clear for the wind direction.
ticks=$(awk 'BEGIN {
    for (a = 0; a < 360; a += 10) {
        r = a * 3.14159265358979 / 180
        inner = (a % 30 == 0) ? 33 : 36
        printf "line %.2f,%.2f %.2f,%.2f ", 41 + inner * sin(r), 41 - inner * cos(r), 41 + 39 * sin(r), 41 - 39 * cos(r)
    }
}')
convert -size 83x83 xc:none -fill '#eef7ff' -stroke '#1b2f6b' -strokewidth 2 -draw "circle 41,41 41,2" \
    -stroke '#1b2f6b' -strokewidth 1 -draw "$ticks" \
    -stroke none -fill '#d01010' -draw "polygon 41,4 36,16 46,16" \
    -font "$BOLD" -pointsize 11 -fill '#d01010' -annotate +37+28 'N' \
    -fill '#1b2f6b' -annotate +64+46 'E' -annotate +37+69 'S' -annotate +11+46 'W' \
    -depth 8 -strip compass.png

# Flags on a halyard: the class flag (white, a red sail over blue waves, "orvane") on top and,
# for the preparatory signal, the blue P flag (blue with a white square) below it.
classflag="fill white stroke '#333333' stroke-width 1 rectangle 22,6 82,40
    fill '#d01010' stroke none polygon 44,10 44,30 62,30
    fill '#1b2f6b' polygon 36,33 70,33 66,37 40,37"
convert -size 120x72 xc:'#f4f4f4' -stroke '#777777' -strokewidth 3 -draw "line 14,2 14,70" \
    -stroke '#999999' -strokewidth 1 -draw "line 14,6 22,6 line 14,40 22,40" \
    -draw "$classflag" -font "$BOLD" -pointsize 8 -fill '#1b2f6b' -stroke none -annotate +86+26 'orvane' \
    -depth 8 -strip brenvologo.png
convert -size 120x72 xc:'#f4f4f4' -stroke '#777777' -strokewidth 3 -draw "line 14,2 14,70" \
    -stroke '#999999' -strokewidth 1 -draw "line 14,6 22,6 line 14,40 22,40 line 14,44 22,44" \
    -draw "$classflag" \
    -fill '#1040c0' -stroke '#333333' -strokewidth 1 -draw "rectangle 22,44 60,68" \
    -fill white -stroke none -draw "rectangle 34,51 48,61" \
    -font "$BOLD" -pointsize 8 -fill '#1b2f6b' -annotate +86+26 'orvane' -annotate +66+60 'P' \
    -depth 8 -strip blue_p.png

# Play buttons: forward (up, as the time bar runs upwards), stop, backward (down), one second
# on and back. The pressed twin is orange and sunken.
button() { # name, drawing, pressed?
    if [ "$3" = 1 ]; then bg='#ffb040'; edge='#7a4a00'; else bg='#e8e8e8'; edge='#808080'; fi
    convert -size 24x16 xc:"$bg" -fill none -stroke "$edge" -strokewidth 1 -draw "rectangle 0,0 23,15" \
        -fill '#202020' -stroke none -draw "$2" -depth 8 -strip "$1.png"
}
button up_f "polygon 12,3 18,12 6,12" 0
button up_t "polygon 12,3 18,12 6,12" 1
button stop_f "rectangle 8,4 15,11" 0
button stop_t "rectangle 8,4 15,11" 1
button dn_f "polygon 6,4 18,4 12,13" 0
button dn_t "polygon 6,4 18,4 12,13" 1
button plus "rectangle 11,3 12,12 rectangle 7,7 16,8" 0
button minus "rectangle 7,7 16,8" 0

# Language switch: the flag of the language a click switches to.
stripes=""
for i in 0 2 4 6 8 10 12; do
    y0=$(( i * 23 / 13 )); y1=$(( (i + 1) * 23 / 13 ))
    stripes="$stripes rectangle 0,$y0 33,$y1"
done
convert -size 34x23 xc:white -fill '#b22234' -draw "$stripes" -fill '#3c3b6e' -draw "rectangle 0,0 14,12" \
    -fill none -stroke '#555555' -draw "rectangle 0,0 33,22" -depth 8 -strip usa.png
convert -size 34x23 xc:white -fill '#bc002d' -draw "circle 17,11 17,4" \
    -fill none -stroke '#555555' -draw "rectangle 0,0 33,22" -depth 8 -strip jpn.png

# Logo: a sail over the sea in a round badge, the program's name below.
convert -size 80x80 xc:none -fill '#1b2f6b' -draw "circle 40,34 40,4" \
    -fill white -draw "polygon 42,10 42,48 64,48" -fill '#ffd400' -draw "polygon 38,16 38,48 20,48" \
    -fill '#5fb0ff' -draw "polygon 14,52 66,52 60,58 20,58" \
    -font "$BOLD" -pointsize 13 -fill '#1b2f6b' -annotate +15+76 'orvane' -depth 8 -strip logo.png

# Splash: sky over sea, two sails, the title.
convert -size 333x381 gradient:'#bfe6ff'-'#ffffff' \
    -fill '#1b5f9e' -draw "rectangle 0,250 333,381" -fill '#3f87c6' -draw "rectangle 0,250 333,262" \
    -fill white -stroke '#1b2f6b' -strokewidth 2 -draw "polygon 170,60 170,230 250,230" \
    -fill '#ffd400' -draw "polygon 162,80 162,230 95,230" \
    -stroke '#1b2f6b' -draw "line 166,50 166,240" -fill '#d01010' -draw "polygon 90,236 260,236 240,252 110,252" \
    -stroke none -font "$BOLD" -pointsize 34 -fill white -annotate +88+310 'orvane' \
    -font "$SANS" -pointsize 15 -annotate +94+338 'race viewer  2007' \
    -depth 8 -strip splash.png
