#!/usr/bin/env bash
# The library's program streams for presets 0 to 4 and 13, made by the harness under Wine, read
# by ffprobe: every picture and audio frame, no decoding error, decoding times rising with
# presentation times not before them, the pack header of the preset's kind, the fixed pack
# size of the padded presets, and LPCM as pcm_dvd: check-engine.sh HARNESS_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
source "$root/scripts/env.sh"
out="$WINEPREFIX/drive_c/sim/out/brevalon"
rm -rf "$out" && mkdir -p "$out"
"$root/scripts/wine-run" "$exe" 'C:\sim\out\brevalon' || { echo "harness failed"; exit 1; }
status=0
# preset, pack kind (1 MPEG-1, 2 MPEG-2), fixed pack size or 0
for row in "0 1 0" "1 1 2324" "2 2 0" "3 2 2324" "4 2 2048" "13 2 2048"; do
    read -r preset kind pack <<<"$row"
    file="$out/preset$preset.mpg"
    errors=$(ffmpeg -v error -i "$file" -f null - 2>&1)
    [ -z "$errors" ] || { echo "preset $preset: ffmpeg says: $errors"; status=1; }
    ffprobe -v error -count_frames -show_entries stream=index,codec_type,codec_name,nb_read_frames \
        -of csv=p=0 "$file" >"$file.streams"
    ffprobe -v error -show_entries packet=stream_index,pts,dts -of csv=p=0 "$file" >"$file.packets"
    python3 - "$file" "$preset" "$kind" "$pack" <<'PY' || status=1
import sys
path, preset, kind, pack = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
counts = [int(line) for line in open(path + ".txt")]
streams = [line.strip().split(",") for line in open(path + ".streams") if line.strip()]
media = [s for s in streams if s[2] in ("video", "audio")]
bad = []
names = sorted(s[1] for s in media)
want = sorted(["mpeg1video" if kind == 1 or preset == "13" else "mpeg2video", "mp2"] + (["pcm_dvd"] if len(counts) == 3 else []))
if names != want:
    bad.append("streams %s, not %s" % (names, want))
for s in media:
    if s[1] == "mp2" and int(s[3]) != counts[1]:
        bad.append("%s frames, not %d audio frames" % (s[3], counts[1]))
    if s[2] == "video" and int(s[3]) != counts[0]:
        bad.append("%s pictures, not %d" % (s[3], counts[0]))
last = {}
for line in open(path + ".packets"):
    parts = line.strip().split(",")
    if len(parts) < 3 or "N/A" in parts[1:3]:
        continue
    index, pts, dts = int(parts[0]), int(parts[1]), int(parts[2])
    if pts < dts:
        bad.append("stream %d: PTS %d before DTS %d" % (index, pts, dts))
    if index in last and dts <= last[index]:
        bad.append("stream %d: DTS %d after %d" % (index, dts, last[index]))
    last[index] = dts
data = open(path, "rb").read()
if data[:4] != b"\x00\x00\x01\xba":
    bad.append("no pack header first")
elif kind == 2 and data[4] & 0xC0 != 0x40:
    bad.append("not an MPEG-2 pack header")
elif kind == 1 and data[4] & 0xF0 != 0x20:
    bad.append("not an MPEG-1 pack header")
if pack:
    body = data[:-4] if data.endswith(b"\x00\x00\x01\xb9") else data
    if len(body) % pack or any(body[i:i + 4] != b"\x00\x00\x01\xba" for i in range(0, len(body), pack)):
        bad.append("packs are not all %d bytes" % pack)
if not data.endswith(b"\x00\x00\x01\xb9"):
    bad.append("no end code")
for b in bad[:5]:
    print("preset %s: %s" % (preset, b))
sys.exit(1 if bad else 0)
PY
done
# Segments cut by the engine: each opens alone with its pack and system header and holds the
# pictures up to the next cut; every picture's index record names the pack where its group's I
# picture starts.
python3 - "$out" <<'PY' || status=1
import os, struct, subprocess, sys
out = sys.argv[1]
bad = []
def pictures(path):
    errors = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"], capture_output=True, text=True).stderr
    if errors:
        bad.append("%s: %s" % (os.path.basename(path), errors.strip()[:200]))
    probe = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v", "-show_entries",
                            "stream=nb_read_frames", "-of", "csv=p=0", path], capture_output=True, text=True).stdout
    data = open(path, "rb").read()
    stuffing = data[13] & 7
    if data[:4] != b"\x00\x00\x01\xba" or data[14 + stuffing:18 + stuffing] != b"\x00\x00\x01\xbb":
        bad.append("%s: no pack and system header first" % os.path.basename(path))
    return int(probe.strip().rstrip(",") or 0)
counts = [pictures(os.path.join(out, "split.mpg.%d.mpg" % n)) for n in range(3)]
if counts != [10, 20, 20]:
    bad.append("segments hold %s pictures, not [10, 20, 20]" % counts)
whole = open(os.path.join(out, "split.mpg"), "rb").read()
index = open(os.path.join(out, "split.mpg.vdx"), "rb").read()
records = [index[i:i + 32] for i in range(0, len(index), 32)]
if len(records) != 50 or sum(1 for r in records if struct.unpack_from("<QQII", r)[3] == 1) != 5:
    bad.append("%d video index records, not one for each of 50 pictures with 5 I pictures" % len(records))
for record in records:
    position, pts, size, kind = struct.unpack_from("<QQII", record)
    pack = whole[position:position + 2048]
    at = pack.find(b"\x00\x00\x01\x00")
    if pack[:4] != b"\x00\x00\x01\xba" or (b"\x00\x00\x01\xb3" not in pack and (at < 0 or (pack[at + 5] >> 3) & 7 != 1)):
        bad.append("index record at %d names no pack with an I picture" % position)
if pictures(os.path.join(out, "stopped.mpg.0.mpg")) != 10 or os.path.exists(os.path.join(out, "stopped.mpg.1.mpg")):
    bad.append("without a next file the output did not stop after the first segment")
for b in bad[:6]:
    print(b)
sys.exit(1 if bad else 0)
PY
# MPEG-1 video and 24 kHz MPEG audio in a transport stream: stream types 0x01 and 0x04 in a
# program map whose CRC checks.
python3 - "$out/low.ts" <<'PY' || status=1
import subprocess, struct, sys
path = sys.argv[1]
data = open(path, "rb").read()
bad = []
errors = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"], capture_output=True, text=True).stderr
if errors or len(data) % 188:
    bad.append("low.ts: %d bytes; ffmpeg says %s" % (len(data), errors.strip()[:200]))
def crc32(block):
    crc = 0xFFFFFFFF
    for byte in block:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) & 0xFFFFFFFF if crc & 0x80000000 else (crc << 1) & 0xFFFFFFFF
    return crc
types = None
for at in range(0, len(data), 188):
    p = data[at:at + 188]
    if ((p[1] & 0x1F) << 8 | p[2]) == 0x1000 and p[1] & 0x40:
        s = p[5 + p[4]:]
        s = s[:3 + ((s[1] & 0x0F) << 8 | s[2])]
        if crc32(s[:-4]) != struct.unpack(">I", s[-4:])[0]:
            bad.append("low.ts: PMT CRC fails")
        entry, types = 12 + ((s[10] & 0x0F) << 8 | s[11]), []
        while entry + 5 <= len(s) - 4:
            types.append(s[entry])
            entry += 5 + ((s[entry + 3] & 0x0F) << 8 | s[entry + 4])
        break
if types != [0x01, 0x04]:
    bad.append("low.ts: stream types %s, not [1, 4]" % types)
for b in bad:
    print(b)
sys.exit(1 if bad else 0)
PY
[ $status = 0 ] && echo "six program streams and three segments read"
exit $status
