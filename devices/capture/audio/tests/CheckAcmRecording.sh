#!/usr/bin/env bash
# The card's sound recorded through the ACM Wrapper at 22050 Hz opens outside Wine as a PCM
# AVI audio stream of that rate: CheckAcmRecording.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../../../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/acm"
rm -rf "$out" && mkdir -p "$out"
"$root/scripts/wine-run" "$exe" --helper RecordCardAudio 'C:\sim\out\acm\audio.avi' 22050
code=$?
[ $code -eq 0 ] || { echo "recording helper failed ($code)"; exit 1; }
probe=$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name,sample_rate,channels,bits_per_sample \
        -of default=noprint_wrappers=1 "$out/audio.avi")
echo "$probe"
errors=$(ffmpeg -v error -i "$out/audio.avi" -f null - 2>&1)
status=0
[[ $probe == *"codec_name=pcm_s16le"* ]] || { echo "not 16-bit PCM"; status=1; }
[[ $probe == *"sample_rate=22050"* ]] || { echo "not the chosen sample rate"; status=1; }
[[ $probe == *"channels=2"* ]] || { echo "not the card's two channels"; status=1; }
[ -z "$errors" ] || { echo "decoding errors: $errors"; status=1; }
exit $status
