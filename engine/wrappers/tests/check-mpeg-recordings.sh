#!/usr/bin/env bash
# Reads the MPEG recordings of enginewrappers_mpeg_record_tests with ffprobe and ffmpeg:
# check-mpeg-recordings.sh DIR. Each format's file must be the right container (MPEG-1 system
# or MPEG-2 program stream), carry the preset's picture size, 25 fps and audio sample rate,
# the bit rate in its sequence header (and 4:3 for MPEG-2), I, P and B pictures, keep to that
# rate (no more picture bits than the rate brings in over the pictures' time plus one buffer
# of the size the header gives, for each stream in the file), and decode without a single
# error message; both the file the encoder wrote itself and the one written through the dump
# filter (for MPEG-1 also the one paused and run again).
set -uo pipefail
dir=$1
failed=0

# name, pack kind (1 MPEG-1 system, 2 MPEG-2 program), video codec, width, height, audio rate,
# video bit rate
expected=(
    "mpeg1 1 mpeg1video 352 288 44100 4500000"
    "mpeg2 2 mpeg2video 720 576 44100 4500000"
    "vcd 1 mpeg1video 352 288 44100 1150000"
    "svcd 2 mpeg2video 480 576 44100 2200000"
    "dvd 2 mpeg2video 720 576 48000 4500000"
    "hidvd 2 mpeg2video 720 576 48000 7200000"
)

# The bit rate of the first sequence header (bit_rate_value x 400; our streams need no
# MPEG-2 rate extension).
header_rate() {
    local at bytes
    at=$(LC_ALL=C grep -obUaP '\x00\x00\x01\xB3' "$1" | head -n1 | cut -d: -f1)
    [ -n "$at" ] || { echo none; return; }
    read -r -a bytes <<< "$(od -An -tu1 -j$((at + 8)) -N3 "$1")"
    echo $(( ((bytes[0] << 10) | (bytes[1] << 2) | (bytes[2] >> 6)) * 400 ))
}

# The decoder buffer of the first sequence header in bits (vbv_buffer_size_value x 16384; our
# streams need no MPEG-2 extension bits).
header_buffer() {
    local at bytes
    at=$(LC_ALL=C grep -obUaP '\x00\x00\x01\xB3' "$1" | head -n1 | cut -d: -f1)
    [ -n "$at" ] || { echo 0; return; }
    read -r -a bytes <<< "$(od -An -tu1 -j$((at + 10)) -N2 "$1")"
    echo $(( (((bytes[0] & 0x1F) << 5) | (bytes[1] >> 3)) * 16384 ))
}

check() {
    local file=$1 kind=$2 codec=$3 width=$4 height=$5 rate=$6 bitrate=$7 streams=${8:-1}
    local byte4 want got errors aspect buffer
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
    got=$(header_rate "$file")
    [ "$got" = "$bitrate" ] || { echo "FAIL $file: sequence header rate $got, expected $bitrate"; return 1; }
    buffer=$(header_buffer "$file")
    got=$(ffprobe -v error -select_streams v:0 -show_entries packet=size -of csv=p=0 "$file" |
          awk -v rate="$bitrate" -v buffer="$buffer" -v streams="$streams" '{ bits += 8 * $1; n++ }
              END { limit = rate * n / 25 + buffer * streams
                    printf "%s %d bits in %d pictures, at most %d", (n && bits <= limit) ? "ok" : "over", bits, n, limit }')
    [ "${got%% *}" = ok ] || { echo "FAIL $file: rate not kept: ${got#* }"; return 1; }
    if [ "$kind" = 2 ]; then
        aspect=$(ffprobe -v error -select_streams v:0 -show_entries stream=display_aspect_ratio -of csv=p=0 "$file" |
                 head -n1 | cut -d, -f1)
        [ "$aspect" = "4:3" ] || { echo "FAIL $file: display aspect $aspect, expected 4:3"; return 1; }
    fi
    # Plain values, one a line: the CSV writer adds an empty field and lines for each frame's
    # side data (an MPEG-2 picture carries its pan-scan and time code).
    got=$(ffprobe -v error -select_streams v:0 -show_entries frame=pict_type -of default=nw=1:nk=1 "$file" |
          sort -u | tr -d '\n')
    [ "$got" = "BIP" ] || { echo "FAIL $file: picture types $got, expected B, I and P"; return 1; }
    errors=$(ffmpeg -nostdin -v error -i "$file" -f null - 2>&1)
    [ -z "$errors" ] || { echo "FAIL $file: decoding reported: $errors"; return 1; }
    echo "ok $file: $want, $bitrate bit/s"
}

for row in "${expected[@]}"; do
    set -- $row
    name=$1; shift
    check "$dir/$name-enc.mpg" "$@" || failed=1
    check "$dir/$name-dump.mpg" "$@" || failed=1
    # The recording paused once and run again: two streams one after the other.
    [ "$name" != mpeg1 ] || check "$dir/$name-paused.mpg" "$@" 2 || failed=1
done
exit $failed
