#!/usr/bin/env bash
# An AVI recording of the stand-in multiplexer opens in a tool outside Wine:
# CheckAvi.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/avi"
rm -rf "$out" && mkdir -p "$out"
"$root/scripts/wine-run" "$exe" --helper RecordAvi 'C:\sim\out\avi\a.avi' || { echo "helper failed"; exit 1; }
# Both streams, as ffprobe names them, and a decode without a complaint.
streams=$(ffprobe -v error -show_entries stream=codec_type,codec_name,width,height,sample_rate,channels \
          -of compact=p=0:nk=1 "$out/a.avi")
echo "$streams"
status=0
grep -qx 'pcm_s16le|audio|44100|2' <<<"$streams" || { echo "no PCM stream of 44100 Hz stereo"; status=1; }
grep -qx 'rawvideo|video|320|240' <<<"$streams" || { echo "no 320x240 picture stream"; status=1; }
errors=$(ffmpeg -v error -i "$out/a.avi" -f null - 2>&1)
[ -z "$errors" ] || { echo "ffmpeg: $errors"; status=1; }
exit $status
