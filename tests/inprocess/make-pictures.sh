#!/bin/sh
# Makes the picture tests' files with ImageMagick, so that their content is
# known: plain colours, a photo-like plasma with ImageMagick's own resizes of
# it as references, fine stripes, a marked corner with recorded orientations,
# and files that must not decode.
set -e
out=$1
mkdir -p "$out"
cd "$out"

# Four quadrants, 64 x 48: red, lime / blue, yellow.
convert -size 32x24 xc:red xc:lime +append \( -size 32x24 xc:blue xc:yellow +append \) \
  -append quadrants.png
convert quadrants.png BMP3:quadrants.bmp
convert quadrants.png quadrants.gif
convert quadrants.png -quality 95 quadrants.jpg
# White at half opacity: over black it is mid grey. A GIF whose right half
# is transparent: black there.
convert -size 40x30 xc:"rgba(255,255,255,0.5)" translucent.png
convert -size 40x30 xc:none -fill red -draw "rectangle 0,0 19,29" transparent.gif

# A photo-like picture, a plasma with fine grain (drawn without a prefilter
# it aliases: plain bilinear sampling stays under 30 dB), and ImageMagick's
# resizes of it to the two views' sizes for a picture of these proportions
# on a 1280 x 1024 screen.
convert -seed 7 -size 2400x1800 plasma:fractal \
  \( -size 2400x1800 xc:gray50 -seed 3 +noise Gaussian -blur 0x0.7 -auto-level \) \
  -compose overlay -composite -quality 92 photo.jpg
convert photo.jpg -resize '767x575!' photo-767x575.png
convert photo.jpg -resize '398x298!' photo-398x298.png

# One-pixel black and white stripes.
convert -size 2x1 xc:black -fill white -draw "point 1,0" stripe-tile.png
convert -size 2400x1800 tile:stripe-tile.png stripes.png

# A red corner at the top left of the stored pixels. ImageMagick changes an
# existing orientation tag without turning the pixels, so the plain JPEG gets
# an Exif block saying "upright" first.
convert -size 300x200 xc:white -fill red -draw "rectangle 0,0 59,39" -quality 95 marked-plain.jpg
{
  printf '\377\330\377\341\000\042Exif\000\000II*\000\010\000\000\000\001\000'
  printf '\022\001\003\000\001\000\000\000\001\000\000\000\000\000\000\000'
  tail -c +3 marked-plain.jpg
} > marked.jpg
convert marked.jpg -orient RightTop marked-6.jpg
convert marked.jpg -orient TopRight marked-2.jpg
convert marked.jpg -orient BottomRight marked-3.jpg
convert marked.jpg -orient BottomLeft marked-4.jpg
convert marked.jpg -orient LeftTop marked-5.jpg
convert marked.jpg -orient RightBottom marked-7.jpg
convert marked.jpg -orient LeftBottom marked-8.jpg

# The kinds of JPEG a decoder may meet, of one small photo: colour, CMYK
# (Adobe's inverted ink), grey, progressive; and a gradient of coded colours,
# 7 x 7 cells of 40 x 30 (red 40 + 7 x column, green 40 + 7 x row, blue 160).
convert photo.jpg -resize 320x240 small.png
convert small.png -quality 92 small.jpg
convert small.png -colorspace CMYK -quality 92 small-cmyk.jpg
convert small.png -colorspace Gray -quality 92 small-gray.jpg
convert small.png -interlace JPEG -quality 92 small-progressive.jpg
convert -size 7x7 xc: -channel R -fx '(40+7*i)/255' -channel G -fx '(40+7*j)/255' \
  -channel B -fx '160/255' +channel -scale 4000%x3000% -quality 92 coded.jpg
convert stripes.png -quality 95 stripes.jpg

# Files with picture names that do not decode.
printf 'This is not a picture.\r\n' > garbage.jpg
: > empty.png
: > empty.jpg
head -c $(( $(wc -c < photo.jpg) / 2 )) photo.jpg > truncated.jpg
