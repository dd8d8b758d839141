#!/usr/bin/env bash
# Reads the recordings of tvgraph_record_tests with ffprobe: check-tv-recordings.sh DIR.
# DIR/manifest.txt has one line per file: name, container, video codec ("-" for sound only),
# picture size, sound rate, the seconds the recording ran and, optionally, the video stream's
# FOURCC. Each file must be that container with that picture and sound, decode without an
# error, and hold time: its packets' time stamps span more than nothing, and the sound covers
# the span of the picture to within a second. The seconds it ran are only shown: how much of
# them a loaded machine gets into the file is no fault of the recording.
set -uo pipefail
dir=$1
manifest=$dir/manifest.txt
[ -s "$manifest" ] || { echo "FAIL no recordings listed in $manifest"; exit 1; }
failures=0
count=0

probe() { ffprobe -v error "$@" -of default=nw=1:nk=1 "$file" | head -n1; }
# "first last" presentation time of a stream's packets, the last one's duration included.
span() {
    ffprobe -v error -select_streams "$1" -show_entries packet=pts_time,duration_time -of csv=p=0 "$file" |
        awk -F, '$1 != "N/A" { e = $1 + ($2 == "N/A" ? 0 : $2); if (!n++ || $1 < lo) lo = $1; if (e > hi) hi = e }
                 END { if (n) printf "%.3f %.3f\n", lo, hi }'
}

while read -r name container codec size rate seconds tag; do
    [ -n "$name" ] || continue
    tag=${tag%$'\r'}
    count=$((count + 1))
    file=$dir/$name
    want="$container $codec $size $rate"
    got="$(probe -show_entries format=format_name)"
    # A sound-only file names its sound codec where a picture's size would stand.
    if [ "$codec" = - ]; then
        got+=" - $(probe -select_streams a:0 -show_entries stream=codec_name)"
    else
        got+=" $(probe -select_streams v:0 -show_entries stream=codec_name)"
        got+=" $(probe -select_streams v:0 -show_entries stream=width)x$(probe -select_streams v:0 -show_entries stream=height)"
    fi
    got+=" $(probe -select_streams a:0 -show_entries stream=sample_rate)"
    if [ -n "$tag" ]; then
        want+=" $tag"
        got+=" $(probe -select_streams v:0 -show_entries stream=codec_tag_string)"
    fi
    duration=$(probe -show_entries format=duration)
    if [ "$got" != "$want" ]; then
        echo "FAIL $name: $got, expected $want"; failures=$((failures + 1)); continue
    fi
    sound=$(span a:0)
    picture=$sound
    [ "$codec" = - ] || picture=$(span v:0)
    if ! awk -v p="$picture" -v s="$sound" 'BEGIN { split(p, v, " "); split(s, a, " ")
            ok = p != "" && s != "" && v[2] > v[1] && a[1] - v[1] <= 1 && v[2] - a[2] <= 1; exit !ok }'; then
        echo "FAIL $name: picture spans ${picture:-nothing}, sound ${sound:-nothing}"; failures=$((failures + 1)); continue
    fi
    errors=$(ffmpeg -nostdin -v error -i "$file" -f null - 2>&1 | head -n3)
    if [ -n "$errors" ]; then
        echo "FAIL $name: decoding reports $errors"; failures=$((failures + 1)); continue
    fi
    echo "ok $name: $got, $duration s of $seconds s"
done < "$manifest"
echo "$((count - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
