#!/bin/sh
# make_pictures.sh DIR: photo-sized test pictures for bench/pictures (kept out of git):
# 3000x2000 plasma with grain as JPEG in each sampling, grey and with restarts, the
# same at 12 and 1 megapixels, and as 24-bit RGB PackBits TIFF in one-row strips.
set -e
dir=${1:?usage: make_pictures.sh DIR}
mkdir -p "$dir"
cd "$dir"
convert-im6.q16 -seed 7 -size 3000x2000 plasma:fractal -blur 0x2 -attenuate 0.4 +noise Gaussian -depth 8 src.ppm
cjpeg -quality 90 -sample 2x2 src.ppm > c420.jpg
cjpeg -quality 75 -optimize -sample 2x2 src.ppm > c420q75.jpg
cjpeg -quality 90 -sample 2x2 -restart 2 src.ppm > c420r.jpg
cjpeg -quality 90 -sample 2x1 src.ppm > c422.jpg
cjpeg -quality 90 -sample 1x1 src.ppm > c444.jpg
cjpeg -quality 97 -sample 1x1 src.ppm > c444q97.jpg
cjpeg -quality 90 -grayscale src.ppm > grey.jpg
cjpeg -quality 90 -grayscale -restart 1 src.ppm > greyr.jpg
convert-im6.q16 src.ppm -compress None src.tif
tiffcp -c packbits -r 1 src.tif rgb-packbits-rows.tif
convert-im6.q16 -seed 5 -size 4000x3000 plasma:fractal -blur 0x2 -attenuate 0.4 +noise Gaussian -depth 8 big.ppm
cjpeg -quality 90 -sample 2x2 big.ppm > big420.jpg
cjpeg -quality 85 -sample 2x1 big.ppm > big422.jpg
convert-im6.q16 -seed 9 -size 1200x900 plasma:fractal -blur 0x2 -depth 8 small.ppm
cjpeg -quality 90 -sample 2x2 small.ppm > small420.jpg
cjpeg -quality 90 -sample 1x1 small.ppm > small444.jpg
cjpeg -quality 80 -sample 2x1 -restart 1 small.ppm > small422r.jpg
cjpeg -quality 90 -grayscale small.ppm > smallgrey.jpg
convert-im6.q16 small.ppm -colors 256 small.gif
rm src.ppm src.tif big.ppm small.ppm
