#!/usr/bin/env bash
# Reads the MPEG recordings of enginewrappers_mpeg_record_tests with ffprobe and ffmpeg:
# check-mpeg-recordings.sh DIR. Each format's file must be the right container (MPEG-1 system
# or MPEG-2 program stream), carry the preset's picture size, 25 fps and audio sample rate,
# and decode without a single error message; both the file the encoder wrote itself and the
# one written through the dump filter.
set -uo pipefail
dir=$1
failed=0

# name, pack kind (1 MPEG-1 system, 2 MPEG-2 program), video codec, width, height, audio rate
expected=(
    "mpeg1 1 mpeg1video 352 288 44100"
    "mpeg2 2 mpeg2video 720 576 44100"
    "vcd 1 mpeg1video 352 288 44100"
    "svcd 2 mpeg2video 480 576 44100"
    "dvd 2 mpeg2video 720 576 48000"
    "hidvd 2 mpeg2video 720 576 48000"
)

check() {
    local file=$1 kind=$2 codec=$3 width=$4 height=$5 rate=$6
    local byte4 want got errors
    byte4=$(od -An -tu1 -j4 -N1 "$file" | tr -d ' ')
    if [ "$kind" = 1 ]; then [ $((byte4 & 0xF0)) -eq 32 ]; else [ $((byte4 & 0xC0)) -eq 64 ]; fi ||
        { echo "FAIL $file: pack header byte $byte4 is not an MPEG-$kind pack"; return 1; }
    want="format_name=mpeg|video $codec ${width}x$height 25/1|audio mp2 $rate 2"
    got="format_name=$(ffprobe -v error -show_entries format=format_name -of default=nw=1:nk=1 "$file")"
    got+="|$(ffprobe -v error -select_streams v:0 -show_entries stream=codec_name,width,height,r_frame_rate \
            -of csv=p=0 "$file" | head -n1 | awk -F, '{print "video", $1, $2 "x" $3, $4}')"
    got+="|$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name,sample_rate,channels \
            -of csv=p=0 "$file" | awk -F, '{print "audio", $1, $2, $3}')"
    [ "$got" = "$want" ] || { echo "FAIL $file: $got, expected $want"; return 1; }
    errors=$(ffmpeg -nostdin -v error -i "$file" -f null - 2>&1)
    [ -z "$errors" ] || { echo "FAIL $file: decoding reported: $errors"; return 1; }
    echo "ok $file: $got"
}

for row in "${expected[@]}"; do
    set -- $row
    name=$1; shift
    check "$dir/$name-enc.mpg" "$@" || failed=1
    check "$dir/$name-dump.mpg" "$@" || failed=1
done
exit $failed
