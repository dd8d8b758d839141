#!/usr/bin/env bash
# The deinterlace filter's snapshots open in tools outside Wine:
# CheckSnapshots.sh TEST_EXE BUILD_DIR NAME
# TEST_EXE's helper WriteSnapshots writes snap.bmp and snap.jpg (320x240) into C:\sim\out\NAME.
set -u
exe=$1
export SUITE_BUILD=$2
name=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/$name"
rm -rf "$out" && mkdir -p "$out"
"$root/scripts/wine-run" "$exe" --helper WriteSnapshots "C:\\sim\\out\\$name" || { echo "helper failed"; exit 1; }
bmp=$(file -b "$out/snap.bmp")
jpg=$(file -b "$out/snap.jpg")
echo "snap.bmp: $bmp"
echo "snap.jpg: $jpg"
status=0
[[ $bmp == *"PC bitmap"*"320 x 240 x 24"* ]] || { echo "BMP not recognised"; status=1; }
[[ $jpg == "JPEG image data"*"320x240"* ]] || { echo "JPEG not recognised"; status=1; }
for f in snap.bmp snap.jpg; do
    errors=$(ffmpeg -v error -i "$out/$f" -f null - 2>&1)
    [ -z "$errors" ] || { echo "ffmpeg on $f: $errors"; status=1; }
done
exit $status
