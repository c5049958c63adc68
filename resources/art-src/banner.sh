#!/usr/bin/env bash
# Draws the main window's banner (212 x 312, baseline JPEG, quality 90) with
# ImageMagick. Run once after changing the drawing; the output is committed.
# Colour is kept at full resolution (1x1): decoders differ in how they
# upsample halved colour, and at 1x1 Windows' decoder as Wine has it and
# libjpeg-turbo give the same pixels.
# Usage: banner.sh OUTPUT.jpg
set -euo pipefail
out=${1:?usage: banner.sh OUTPUT.jpg}
w=212
h=312

# Keypad: 3 x 4 keys in a panel, translucent over the gradient.
keys=""
for row in 0 1 2 3; do
  for col in 0 1 2; do
    x=$((52 + col * 38))
    y=$((128 + row * 30))
    keys+="roundrectangle $x,$y $((x + 28)),$((y + 20)) 4,4 "
  done
done

convert -size ${w}x${h} gradient:'#0b1e4a-#1f5aa8' \
  \( -size ${w}x${h} xc:none -fill 'rgba(255,255,255,0.06)' \
     -draw "circle 190,40 190,150" -draw "circle 10,300 10,390" \) -composite \
  -fill 'rgba(8,18,48,0.55)' -stroke 'rgba(150,190,255,0.55)' -strokewidth 1 \
  -draw "roundrectangle 40,72 171,254 10,10" \
  -fill 'rgba(20,40,40,0.9)' -stroke 'rgba(120,200,220,0.7)' \
  -draw "roundrectangle 52,86 159,112 3,3" \
  -stroke none -fill '#7fe6ff' -font DejaVu-Sans-Mono-Bold -pointsize 13 \
  -annotate +60+104 '- - - - 0 1' \
  -fill 'rgba(255,255,255,0.22)' -stroke 'rgba(255,255,255,0.55)' -draw "$keys" \
  -stroke none -fill '#5dff7a' -draw "circle 62,244 62,247" \
  -fill '#ff5a4a' -draw "circle 76,244 76,247" \
  -fill white -font DejaVu-Sans-Bold -pointsize 15 -gravity north -annotate +0+22 'Vorlen' \
  -fill 'rgba(255,255,255,0.6)' -draw "rectangle 76,46 136,47" \
  -fill white -font DejaVu-Sans-Bold -pointsize 28 -gravity south -annotate +0+22 'KORVAN' \
  -fill '#a9c8f0' -font DejaVu-Sans -pointsize 10 -annotate +0+10 'security control panels' \
  -strip -interlace none -sampling-factor 1x1 -quality 90 "$out"
