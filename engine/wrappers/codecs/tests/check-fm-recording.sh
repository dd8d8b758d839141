#!/usr/bin/env bash
# An FM recording of the InterVideo chain reads in ffprobe as Layer II in an MPEG system stream:
# check-fm-recording.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../../../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/fm"
rm -rf "$out" && mkdir -p "$out"
"$root/scripts/wine-run" "$exe" --helper RecordFm 'C:\sim\out\fm\fm.mpg' || { echo "helper failed"; exit 1; }
format=$(ffprobe -v error -show_entries format=format_name -of csv=p=0 "$out/fm.mpg")
streams=$(ffprobe -v error -show_entries stream=codec_name,sample_rate,channels,bit_rate -of compact=p=0:nk=1 "$out/fm.mpg")
echo "format: $format"
echo "$streams"
status=0
[[ $format == mpeg* ]] || { echo "not an MPEG stream"; status=1; }
grep -qx 'mp2|44100|2|224000' <<<"$streams" || { echo "no Layer II 44100 Hz stereo 224 kbit/s"; status=1; }
errors=$(ffmpeg -v error -i "$out/fm.mpg" -f null - 2>&1)
[ -z "$errors" ] || { echo "ffmpeg: $errors"; status=1; }
exit $status
