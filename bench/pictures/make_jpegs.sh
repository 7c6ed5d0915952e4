#!/bin/sh
# make_jpegs.sh DIR: photo-sized JPEG test files for bench/pictures (kept out
# of git): 3000x2000 plasma with grain, in each sampling, grey, with restarts.
set -e
dir=${1:?usage: make_jpegs.sh DIR}
mkdir -p "$dir"
cd "$dir"
convert-im6.q16 -seed 7 -size 3000x2000 plasma:fractal -blur 0x2 -attenuate 0.4 +noise Gaussian -depth 8 src.ppm
cjpeg -quality 90 -sample 2x2 src.ppm > c420.jpg
cjpeg -quality 75 -optimize -sample 2x2 src.ppm > c420q75.jpg
cjpeg -quality 90 -sample 2x2 -restart 2 src.ppm > c420r.jpg
cjpeg -quality 90 -sample 2x1 src.ppm > c422.jpg
cjpeg -quality 90 -sample 1x1 src.ppm > c444.jpg
cjpeg -quality 90 -grayscale src.ppm > grey.jpg
cjpeg -quality 90 -grayscale -restart 1 src.ppm > greyr.jpg
rm src.ppm
