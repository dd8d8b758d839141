#!/usr/bin/env bash
# The image library's PCX, TGA and TIF files, at 24 and 8 bits, open in ffprobe with their size
# and decode in ffmpeg with the picture's top-left quadrant red and bottom-right white:
# check-pictures.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/pictures"
rm -rf "$out" && mkdir -p "$out"
"$root/scripts/wine-run" "$exe" --helper SavePictures 'C:\sim\out\pictures' || { echo "helper failed"; exit 1; }
status=0
for row in "full.pcx pcx" "eight.pcx pcx" "full.tga targa" "eight.tga targa" "full.tif tiff" "eight.tif tiff"; do
    read -r name codec <<<"$row"
    stream=$(ffprobe -v error -show_entries stream=codec_name,width,height -of csv=p=0 "$out/$name")
    [ "$stream" = "$codec,32,32" ] || { echo "$name: '$stream', not $codec 32 x 32"; status=1; }
    rgb=$(ffmpeg -v error -i "$out/$name" -f rawvideo -pix_fmt rgb24 - | od -An -v -tx1 | tr -d ' \n')
    [ "${rgb:0:6}" = ff0000 ] || { echo "$name: top-left ${rgb:0:6}, not red"; status=1; }
    [ "${rgb: -6}" = ffffff ] || { echo "$name: bottom-right ${rgb: -6}, not white"; status=1; }
done
[ $status = 0 ] && echo "six pictures read"
exit $status
