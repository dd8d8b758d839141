#!/usr/bin/env bash
# The multiplexer in Wine's graph: elementary streams made here with FFmpeg, muxed by
# gantrix_graph_tests under Wine, and its outputs read back with ffprobe: every picture and
# frame, no decoding error, decoding times rising with presentation times not before them,
# the streams and pack size each preset asks for, segments that open alone with their list,
# and audio that waited for the video: check-graph.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/gantrix-graph"
rm -rf "$out" && mkdir -p "$out"

make() { ffmpeg -v error -y "$@" || { echo "ffmpeg could not make a fixture: $*"; exit 1; }; }
picture="testsrc=size=352x288:rate=25"
make -f lavfi -i "$picture" -t 2 -c:v mpeg2video -b:v 2M -g 12 -bf 2 -f mpeg2video "$out/mpeg2.m2v"
make -f lavfi -i "$picture" -t 2 -c:v mpeg1video -b:v 1M -g 12 -bf 2 -f mpeg1video "$out/mpeg1.m1v"
make -f lavfi -i "$picture" -t 2 -c:v libx264 -g 12 -bf 2 -pix_fmt yuv420p -f h264 "$out/video.264"
make -f lavfi -i "testsrc=size=720x576:rate=25" -t 4 -c:v mpeg2video -b:v 8M -minrate 8M -maxrate 8M \
    -bufsize 1835k -g 12 -bf 2 -f mpeg2video "$out/big.m2v"
tone="sine=frequency=440:sample_rate=48000"
make -f lavfi -i "$tone" -t 2 -ac 2 -c:a mp2 -b:a 192k -f mp2 "$out/tone.mp2"
make -f lavfi -i "$tone" -t 3 -ac 2 -c:a mp2 -b:a 192k -f mp2 "$out/long.mp2"
make -f lavfi -i "$tone" -t 4 -ac 2 -c:a mp2 -b:a 192k -f mp2 "$out/tone4.mp2"
make -f lavfi -i "$tone" -t 2 -ac 2 -c:a ac3 -b:a 192k -f ac3 "$out/tone.ac3"
make -f lavfi -i "$tone" -t 2 -ac 2 -f s16le "$out/tone.pcm"

status=0
"$root/scripts/wine-run" "$exe" --gtest_color=no || status=1

python3 - "$out" <<'PY' || status=1
import json, os, subprocess, sys
out = sys.argv[1]
bad = []

def run(*args):
    return subprocess.run(args, capture_output=True, text=True)

# (codec_type, codec_name, frames) of each stream
def frames(path):
    probe = run("ffprobe", "-v", "error", "-count_frames", "-show_entries",
                "stream=codec_type,codec_name,nb_read_frames", "-of", "json", path).stdout
    streams = json.loads(probe or "{}").get("streams", [])
    return [[s.get("codec_type"), s.get("codec_name"), s.get("nb_read_frames", "0")] for s in streams]

def fixture_frames(name):
    return int(frames(os.path.join(out, name))[0][2])

def packets(path):
    rows = {}
    for line in run("ffprobe", "-v", "error", "-show_entries", "packet=stream_index,pts,dts,duration",
                    "-of", "csv=p=0", path).stdout.split():
        parts = line.split(",")
        if "N/A" in parts[1:3]:
            continue
        rows.setdefault(int(parts[0]), []).append((int(parts[1]), int(parts[2])))
    return rows

def check(name, want, pack=0, mpeg1=False, decode=True):
    path = os.path.join(out, name)
    if not os.path.exists(path):
        bad.append("%s: not written" % name)
        return
    errors = run("ffmpeg", "-v", "error", "-i", path, "-f", "null", "-").stderr.strip() if decode else ""
    if errors:
        bad.append("%s: ffmpeg says %s" % (name, errors[:200]))
    got = sorted((s[1], int(s[2])) for s in frames(path) if s[0] in ("video", "audio"))
    if got != sorted(want):
        bad.append("%s: streams and frames %s, not %s" % (name, got, sorted(want)))
    for index, rows in packets(path).items():
        for (pts, dts), (_, before) in zip(rows[1:], rows):
            if pts < dts or dts <= before:
                bad.append("%s: stream %d: PTS %d DTS %d after DTS %d" % (name, index, pts, dts, before))
                break
    data = open(path, "rb").read()
    if data[:4] != b"\x00\x00\x01\xba" or (mpeg1 and data[4] & 0xF0 != 0x20) or (not mpeg1 and data[4] & 0xC0 != 0x40):
        bad.append("%s: not opened by a pack header of its kind" % name)
    if pack:
        body = data[:-4] if data.endswith(b"\x00\x00\x01\xb9") else data
        if len(body) % pack or any(body[i:i + 4] != b"\x00\x00\x01\xba" for i in range(0, len(body), pack)):
            bad.append("%s: packs are not all %d bytes" % (name, pack))

mp2 = fixture_frames("tone.mp2")
check("mpeg2_mp2.mpg", [("mpeg2video", 50), ("mp2", mp2)])
check("mpeg1_mp2.mpg", [("mpeg1video", 50), ("mp2", mp2)], mpeg1=True)
# Small H.264 pictures share packets, and FFmpeg guesses the times of those that carry
# none: with B pictures its guess repeats a decoding time at the end. The times the packets
# do carry are checked.
check("h264_mp2.mpg", [("h264", 50), ("mp2", mp2)], decode=False)
check("failed.mpg", [("mpeg2video", 50), ("mp2", mp2)])
ac3 = fixture_frames("tone.ac3")
# 2 s of 48 kHz stereo: 1200 LPCM frames of 80 samples, which ffprobe reads as its own packets
path = os.path.join(out, "dvd_ac3_pcm.mpg")
check("dvd_ac3_pcm.mpg", [("mpeg2video", 50), ("ac3", ac3)] + [(s[1], int(s[2])) for s in frames(path) if s[1] == "pcm_dvd"], pack=2048)
if not any(s[1] == "pcm_dvd" for s in frames(path)):
    bad.append("dvd_ac3_pcm.mpg: no pcm_dvd stream")

# Segments: each opens alone with both streams; the list names them with their sizes.
segments = sorted(f for f in os.listdir(out) if f.startswith("split0") and f.endswith(".mpg"))
if len(segments) < 3:
    bad.append("only %d segments: %s" % (len(segments), segments))
for segment in segments:
    path = os.path.join(out, segment)
    kinds = sorted(s[0] for s in frames(path))
    if kinds != ["audio", "video"]:
        bad.append("%s: streams %s" % (segment, kinds))
    errors = run("ffmpeg", "-v", "error", "-i", path, "-f", "null", "-").stderr.strip()
    if errors:
        bad.append("%s: ffmpeg says %s" % (segment, errors[:200]))
listing = open(os.path.join(out, "split.mzl"), "rb").read().decode()
want = "DZMP\r\n" + "".join("%s; %d\r\n" % (s, os.path.getsize(os.path.join(out, s))) for s in segments)
if listing != want:
    bad.append("split.mzl is %r, not %r" % (listing[:300], want[:300]))

# Sync: audio began a second before the video; what was held back is missing, and the
# audio left starts with the video, within one audio frame (2160 at 90 kHz).
path = os.path.join(out, "sync.mpg")
long_frames = fixture_frames("long.mp2")
audio = [int(s[2]) for s in frames(path) if s[0] == "audio"]
if not audio or not (long_frames - 50 <= audio[0] <= long_frames - 30):
    bad.append("sync.mpg: %s audio frames of %d, not about a second fewer" % (audio, long_frames))
rows = packets(path)
streams = [s[0] for s in frames(path)]
if len(rows) == 2:
    video = rows[streams.index("video")]
    sound = rows[streams.index("audio")]
    if sound[0][0] < video[0][1] - 2160:
        bad.append("sync.mpg: audio at %d, before the video's %d" % (sound[0][0], video[0][1]))
    if sound[0][0] > min(p for p, _ in video) + 2160:
        bad.append("sync.mpg: audio at %d, after the first picture's %d" % (sound[0][0], min(p for p, _ in video)))

for b in bad[:12]:
    print(b)
sys.exit(1 if bad else 0)
PY
[ $status = 0 ] && echo "graph outputs read back"
exit $status
