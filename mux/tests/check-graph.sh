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
make -f lavfi -i "$tone" -t 2 -ac 2 -c:a aac -b:a 128k -f adts "$out/tone.aac"

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

python3 - "$out" <<'PY' || status=1
import json, os, struct, subprocess, sys
out = sys.argv[1]
bad = []

def run(*args):
    return subprocess.run(args, capture_output=True, text=True)

def frames(path):
    probe = run("ffprobe", "-v", "error", "-count_frames", "-show_entries",
                "stream=codec_type,codec_name,nb_read_frames:format=format_name", "-of", "json", path).stdout
    info = json.loads(probe or "{}")
    streams = [(s.get("codec_name"), int(s.get("nb_read_frames", "0"))) for s in info.get("streams", [])
               if s.get("codec_type") in ("video", "audio")]
    return info.get("format", {}).get("format_name"), sorted(streams)

def fixture_frames(name):
    return frames(os.path.join(out, name))[1][0][1]

# MPEG-2 CRC-32 of a PSI section
def crc32(data):
    crc = 0xFFFFFFFF
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) if crc & 0x80000000 else crc << 1
            crc &= 0xFFFFFFFF
    return crc

def packets(data):
    for at in range(0, len(data), 188):
        p = data[at:at + 188]
        pid = ((p[1] & 0x1F) << 8) | p[2]
        control = (p[3] >> 4) & 3
        start = 5 + p[4] if control & 2 else 4
        yield at, pid, bool(p[1] & 0x40), p, (start if control & 1 else 188)

def section(p, start):
    at = start + 1 + p[start]
    length = 3 + (((p[at + 1] & 0x0F) << 8) | p[at + 2])
    return p[at:at + length]

# The program: PMT PID, PCR PID, [(stream type, PID, descriptor tags)], and each PES's
# first packet as (position, PID, PTS); PSI sections whose CRC fails are reported.
def read_ts(name, data):
    pmt_pid, pcr_pid, streams, starts, pats, pcrs = None, None, [], [], 0, []
    for at, pid, unit_start, p, start in packets(data):
        if pid == 0 and unit_start:
            sec = section(p, start)
            pats += 1
            if crc32(sec[:-4]) != struct.unpack(">I", sec[-4:])[0]:
                bad.append("%s: PAT CRC fails" % name)
            pmt_pid = ((sec[10] & 0x1F) << 8) | sec[11]
        elif pid == pmt_pid and unit_start:
            sec = section(p, start)
            if crc32(sec[:-4]) != struct.unpack(">I", sec[-4:])[0]:
                bad.append("%s: PMT CRC fails" % name)
            pcr_pid = ((sec[8] & 0x1F) << 8) | sec[9]
            entry, streams = 12 + (((sec[10] & 0x0F) << 8) | sec[11]), []
            while entry + 5 <= len(sec) - 4:
                info = ((sec[entry + 3] & 0x0F) << 8) | sec[entry + 4]
                tags, d = [], entry + 5
                while d < entry + 5 + info:
                    tags.append(sec[d])
                    d += 2 + sec[d + 1]
                streams.append((sec[entry], ((sec[entry + 1] & 0x1F) << 8) | sec[entry + 2], tags))
                entry += 5 + info
        if pid == pcr_pid and p[3] & 0x20 and p[4] and p[5] & 0x10:
            pcrs.append(((p[6] << 25) | (p[7] << 17) | (p[8] << 9) | (p[9] << 1) | (p[10] >> 7)) * 300 + ((p[10] & 1) << 8 | p[11]))
        if pid not in (0, pmt_pid) and unit_start and start + 14 <= 188 and p[start:start + 3] == b"\x00\x00\x01" and p[start + 7] & 0x80:
            q = p[start + 9:start + 14]
            pts = ((q[0] & 0x0E) << 29) | (q[1] << 22) | ((q[2] & 0xFE) << 14) | (q[3] << 7) | (q[4] >> 1)
            starts.append((at, pid, pts))
    return pmt_pid, pcr_pid, streams, starts, pats, pcrs

# The PCR comes at least every 40 ms: the period of every preset with a mux rate; without one
# (presets 5, 8 and 9) it rides on each picture's first packet, 40 ms apart at 25 per second.
def check_ts(name, want, types, pmt, video_pid):
    path = os.path.join(out, name)
    if not os.path.exists(path):
        bad.append("%s: not written" % name)
        return None
    data = open(path, "rb").read()
    if len(data) % 188 or any(data[i] != 0x47 for i in range(0, len(data), 188)):
        bad.append("%s: not whole 188-byte packets with their sync byte" % name)
        return None
    errors = run("ffmpeg", "-v", "error", "-i", path, "-f", "null", "-").stderr.strip()
    if errors:
        bad.append("%s: ffmpeg says %s" % (name, errors[:200]))
    got = frames(path)
    if got != ("mpegts", sorted(want)):
        bad.append("%s: reads as %s, not mpegts with %s" % (name, got, sorted(want)))
    pmt_pid, pcr_pid, streams, starts, pats, pcrs = read_ts(name, data)
    gaps = [b - a for a, b in zip(pcrs, pcrs[1:])]
    if len(pcrs) < 40 or max(gaps) > 27000 * 41:
        bad.append("%s: %d PCRs, the longest gap %.1f ms" % (name, len(pcrs), max(gaps or [0]) / 27000))
    if pmt_pid != pmt or pcr_pid != video_pid or not streams or streams[0][1] != video_pid:
        bad.append("%s: PMT PID %s, PCR PID %s, streams %s" % (name, pmt_pid, pcr_pid, streams))
    # (stream type, whether it carries the AC-3 descriptor 0x6A)
    got_types = [(t, 0x6A in tags) for t, _, tags in streams]
    if got_types != types:
        bad.append("%s: stream types %s, not %s" % (name, got_types, types))
    if pats < 15:
        bad.append("%s: only %d PATs in two seconds" % (name, pats))
    return data, streams, starts

mp2, ac3 = fixture_frames("tone.mp2"), fixture_frames("tone.ac3")
# preset: (PMT PID, video PID) from the preset table
table = {5: (0x1000, 0x100), 8: (0x100, 0x200), 9: (0x1000, 0x100), 10: (0x100, 0x200), 11: (0x30, 0x31),
         12: (0x30, 0x31), 18: (0x100, 0x810), 19: (0x100, 0x810)}
for preset, (pmt, video) in table.items():
    ac3_type = (0x81, False) if preset in (11, 12) else (0x06, True)
    check_ts("ts_preset%d.ts" % preset, [("mpeg2video", 50), ("mp2", mp2), ("ac3", ac3)],
             [(0x02, False), (0x03, False), ac3_type], pmt, video)

# H.264 and AAC: every picture one frame (3600 at 90 kHz) after the one before
read = check_ts("ts_h264_aac.ts", [("h264", 50), ("aac", fixture_frames("tone.aac"))], [(0x1B, False), (0x0F, False)],
                0x1000, 0x100)
if read:
    times = sorted(pts for _, pid, pts in read[2] if pid == 0x100)
    steps = sorted(set(b - a for a, b in zip(times, times[1:])))
    if steps != [3600]:
        bad.append("ts_h264_aac.ts: video PTS steps %s, not 3600" % steps)
if os.path.exists(os.path.join(out, "ts_pcm.ts")) and os.path.getsize(os.path.join(out, "ts_pcm.ts")):
    bad.append("ts_pcm.ts: written although PCM has no place in it")

def records(paths, size):
    data = b"".join(open(p, "rb").read() for p in paths)
    return [struct.unpack_from("<QQI", data, i) + ((struct.unpack_from("<I", data, i + 20)[0],) if size == 32 else ())
            for i in range(0, len(data) - size + 1, size)]

def i_picture(payload):
    at = payload.find(b"\x00\x00\x01\x00")
    return b"\x00\x00\x01\xb3" in payload or b"\x00\x00\x01\xb8" in payload or (at >= 0 and at + 5 < len(payload) and (payload[at + 5] >> 3) & 7 == 1)

# One record per picture and per audio frame, in rising order; a picture's record names where
# its group's I picture begins, an audio frame's where the frame begins.
def check_index(name, video, audio, pictures, audio_frames, at_i_picture, at_audio_frame):
    if len(video) != pictures or len(audio) != audio_frames:
        bad.append("%s: %d video and %d audio records, not %d and %d" % (name, len(video), len(audio), pictures, audio_frames))
    for kind, rows in (("video", video), ("audio", audio)):
        if any(b[0] < a[0] for a, b in zip(rows, rows[1:])):
            bad.append("%s: %s records not in rising order" % (name, kind))
    if not all(at_i_picture(r[0]) for r in video):
        bad.append("%s: a video record names no I picture" % name)
    if sum(1 for r in video if r[3] == 1) < 2:
        bad.append("%s: fewer than two I pictures indexed" % name)
    missed = [r for r in audio if not at_audio_frame(r)]
    if missed:
        bad.append("%s: %d audio records miss their frame, first at %d" % (name, len(missed), missed[0][0]))

# Program stream: the pack at a record's position
side = open(os.path.join(out, "side.mpg"), "rb").read()
def pack(position):
    end = side.find(b"\x00\x00\x01\xba", position + 4)
    return side[position:end if end > 0 else len(side)] if side[position:position + 4] == b"\x00\x00\x01\xba" else b""
audio_pts = {}
def ps_audio(record):
    body = pack(record[0])
    at = body.find(b"\x00\x00\x01\xc0")
    return at >= 0
check_index("side.mpg", records([os.path.join(out, "side.vdx")], 32), records([os.path.join(out, "side.adx")], 20),
            50, mp2, lambda position: i_picture(pack(position)), ps_audio)

# Transport segments: each opens alone, with PAT and PMT ahead of its first PES; the side
# files' positions count through the segments in order.
segments = sorted(f for f in os.listdir(out) if f.startswith("tsplit0") and f.endswith(".ts"))
if len(segments) < 3:
    bad.append("only %d transport segments" % len(segments))
whole = b""
for segment in segments:
    path = os.path.join(out, segment)
    data = open(path, "rb").read()
    whole += data
    kinds = sorted(s[0] for s in frames(path)[1])
    if frames(path)[0] != "mpegts" or kinds != ["mp2", "mpeg2video"]:
        bad.append("%s: reads as %s" % (segment, frames(path)))
    errors = run("ffmpeg", "-v", "error", "-i", path, "-f", "null", "-").stderr.strip()
    if errors:
        bad.append("%s: ffmpeg says %s" % (segment, errors[:200]))
    seen = set()
    for at, pid, unit_start, p, start in packets(data):
        if pid in (0, 0x1000):
            seen.add(pid)
        elif pid in (0x100, 0x101) and unit_start:
            if seen != {0, 0x1000}:
                bad.append("%s: a PES before the PAT and PMT" % segment)
            break
offsets = {}
def ts_audio(record):
    p = whole[record[0]:record[0] + 188]
    if len(p) < 188 or p[0] != 0x47 or not p[1] & 0x40 or ((p[1] & 0x1F) << 8 | p[2]) != 0x101:
        return False
    start = 5 + p[4] if p[3] & 0x20 else 4
    q = p[start + 9:start + 14]
    pts = ((q[0] & 0x0E) << 29) | (q[1] << 22) | ((q[2] & 0xFE) << 14) | (q[3] << 7) | (q[4] >> 1)
    return offsets.setdefault("audio", pts - record[1]) == pts - record[1]
def ts_video(position):
    p = whole[position:position + 188]
    return len(p) == 188 and p[1] & 0x40 and ((p[1] & 0x1F) << 8 | p[2]) == 0x100 and i_picture(p)
check_index("tsplit", records(sorted(os.path.join(out, f) for f in os.listdir(out) if f.startswith("tsplit0") and f.endswith(".vdx")), 32),
            records(sorted(os.path.join(out, f) for f in os.listdir(out) if f.startswith("tsplit0") and f.endswith(".adx")), 20),
            100, fixture_frames("tone4.mp2"), ts_video, ts_audio)

for b in bad[:16]:
    print(b)
sys.exit(1 if bad else 0)
PY
[ $status = 0 ] && echo "graph outputs read back"
exit $status
