#include "CSimPsMuxer.h"

#include "CSimBitWriter.h"

#include <algorithm>

namespace
{
const uint8_t kPackStart = 0xBA;
const uint8_t kSystemHeader = 0xBB;
const uint8_t kPadding = 0xBE;
const uint8_t kEndCode = 0xB9;
const uint8_t kVideoId = 0xE0;
const uint8_t kAudioId = 0xC0;
// Packs go out this far ahead of the data they carry (0.25 s at 90 kHz).
const int64_t kScrLead = 22500;
const int kTimestampBytes = 5;
}

CSimPsMuxer::CSimPsMuxer(const SimPsSettings& settings) : m_settings(settings)
{
    m_video.id = kVideoId;
    m_audio.id = kAudioId;
}

void CSimPsMuxer::AddVideo(const uint8_t* data, size_t size, int64_t pts, bool keyStart)
{
    m_video.units.push_back({m_video.consumed + m_video.bytes.size(), pts, keyStart});
    m_video.bytes.insert(m_video.bytes.end(), data, data + size);
}

void CSimPsMuxer::AddAudio(const uint8_t* data, size_t size, int64_t pts)
{
    m_audio.units.push_back({m_audio.consumed + m_audio.bytes.size(), pts, false});
    m_audio.bytes.insert(m_audio.bytes.end(), data, data + size);
}

void CSimPsMuxer::Drain(std::vector<SimPack>& packs)
{
    while (Stream* s = NextStream(false))
        EmitPack(*s, packs);
}

void CSimPsMuxer::Finish(std::vector<SimPack>& packs)
{
    while (Stream* s = NextStream(true))
        EmitPack(*s, packs);
    if (packs.empty()) {
        packs.emplace_back();
        packs.back().scr = m_lastScr < 0 ? 0 : m_lastScr;
    }
    CSimBitWriter(packs.back().bytes).StartCode(kEndCode);
}

int CSimPsMuxer::HeaderBytes(bool withSystemHeader) const
{
    int pack = m_settings.mpeg2 ? 14 : 12;
    int streams = (m_settings.hasVideo ? 1 : 0) + (m_settings.hasAudio ? 1 : 0);
    return pack + (withSystemHeader ? 12 + 3 * streams : 0);
}

// What one packet of the stream can carry after the pack header and the packet's own
// header with a time stamp.
int CSimPsMuxer::PayloadCapacity() const
{
    return m_settings.packSize - HeaderBytes(!m_systemHeaderSent) - 6 - PacketHeaderBytes(true);
}

// Pictures go out whole, padding the pack that ends one: a stream cut off where the
// program stops the graph then ends on a complete picture.
bool CSimPsMuxer::WholeUnitsOnly(const Stream& stream) const
{
    return &stream == &m_video || OneUnitPerPacket(stream);
}

bool CSimPsMuxer::OneUnitPerPacket(const Stream& stream) const
{
    return &stream == &m_audio && m_settings.audioFramePerPacket;
}

size_t CSimPsMuxer::PacketPayload(const Stream& stream) const
{
    size_t payload = (size_t)PayloadCapacity();
    if (OneUnitPerPacket(stream) && stream.units.size() > 1)
        payload = std::min(payload, stream.units[1].offset - stream.consumed);
    return std::min(payload, stream.bytes.size());
}

// The stream due next: the one whose oldest byte is the oldest, among those holding a full
// packet (or anything at all when flushing).
CSimPsMuxer::Stream* CSimPsMuxer::NextStream(bool final)
{
    Stream* best = nullptr;
    int64_t bestTime = 0;
    Stream* streams[2] = {&m_video, &m_audio};
    for (Stream* s : streams) {
        if (s->bytes.empty())
            continue;
        if (!final && !WholeUnitsOnly(*s) && (int)s->bytes.size() < PayloadCapacity())
            continue;
        int64_t t = s->units.empty() ? 0 : s->units.front().pts;
        if (best == nullptr || t < bestTime) {
            best = s;
            bestTime = t;
        }
    }
    return best;
}

void CSimPsMuxer::EmitPack(Stream& stream, std::vector<SimPack>& packs)
{
    bool systemHeader = !m_systemHeaderSent;
    size_t payload = PacketPayload(stream);

    // The time stamp belongs to the first unit that starts in this packet.
    bool withPts = false;
    int64_t pts = 0;
    bool keyStart = false;
    int64_t dataTime = stream.units.empty() ? 0 : stream.units.front().pts;
    for (const Unit& u : stream.units) {
        if (u.offset >= stream.consumed + payload)
            break;
        if (u.offset >= stream.consumed) {
            if (!withPts) {
                withPts = true;
                pts = u.pts;
            }
            keyStart = keyStart || u.keyStart;
        }
    }

    int64_t transfer = m_lastScr < 0 ? 0 : (int64_t)m_lastPackBytes * 90000 / ((int64_t)m_settings.muxRate * 50);
    int64_t scr = m_lastScr < 0 ? dataTime - kScrLead : m_lastScr + (transfer > 0 ? transfer : 1);
    if (scr < dataTime - kScrLead)
        scr = dataTime - kScrLead;
    if (scr < 0)
        scr = 0;

    packs.emplace_back();
    SimPack& pack = packs.back();
    pack.scr = scr;
    pack.keyStart = keyStart;
    WritePackHeader(pack.bytes, scr);
    if (systemHeader) {
        WriteSystemHeader(pack.bytes);
        m_systemHeaderSent = true;
    }
    // A gap too small for a padding packet becomes stuffing in the packet header.
    int packetBytes = 6 + PacketHeaderBytes(withPts) + (int)payload;
    int rest = m_settings.packSize - (int)pack.bytes.size() - packetBytes;
    int stuffing = rest > 0 && rest < MinPaddingBytes() ? rest : 0;
    WritePacket(pack.bytes, stream, payload, withPts, pts, stuffing);
    rest -= stuffing;
    if (rest > 0)
        WritePadding(pack.bytes, rest);
    m_lastScr = scr;
    m_lastPackBytes = (int)pack.bytes.size();

    // Keep the unit the next packet starts in.
    while (stream.units.size() > 1 && stream.units[1].offset <= stream.consumed)
        stream.units.pop_front();
    if (stream.bytes.empty())
        stream.units.clear();
}

int CSimPsMuxer::PacketHeaderBytes(bool withPts) const
{
    if (m_settings.mpeg2)
        return 3 + (withPts ? kTimestampBytes : 0);
    return withPts ? kTimestampBytes : 1;
}

int CSimPsMuxer::MinPaddingBytes() const
{
    return m_settings.mpeg2 ? 6 : 7;
}

void CSimPsMuxer::WritePackHeader(std::vector<uint8_t>& out, int64_t scr) const
{
    CSimBitWriter bits(out);
    bits.StartCode(kPackStart);
    uint64_t base = (uint64_t)scr & 0x1FFFFFFFFull;
    if (m_settings.mpeg2) {
        bits.Put(1, 2);
        bits.Put((uint32_t)(base >> 30) & 7, 3);
        bits.Put(1, 1);
        bits.Put((uint32_t)(base >> 15) & 0x7FFF, 15);
        bits.Put(1, 1);
        bits.Put((uint32_t)base & 0x7FFF, 15);
        bits.Put(1, 1);
        bits.Put(0, 9); // SCR extension
        bits.Put(1, 1);
        bits.Put(m_settings.muxRate & 0x3FFFFF, 22);
        bits.Put(3, 2);
        bits.Put(0x1F, 5);
        bits.Put(0, 3); // no pack stuffing
    } else {
        bits.Put(2, 4);
        bits.Put((uint32_t)(base >> 30) & 7, 3);
        bits.Put(1, 1);
        bits.Put((uint32_t)(base >> 15) & 0x7FFF, 15);
        bits.Put(1, 1);
        bits.Put((uint32_t)base & 0x7FFF, 15);
        bits.Put(1, 1);
        bits.Put(1, 1);
        bits.Put(m_settings.muxRate & 0x3FFFFF, 22);
        bits.Put(1, 1);
    }
}

void CSimPsMuxer::WriteSystemHeader(std::vector<uint8_t>& out) const
{
    int streams = (m_settings.hasVideo ? 1 : 0) + (m_settings.hasAudio ? 1 : 0);
    CSimBitWriter bits(out);
    bits.StartCode(kSystemHeader);
    bits.Put(6 + 3 * streams, 16);
    bits.Put(1, 1);
    bits.Put(m_settings.muxRate & 0x3FFFFF, 22);
    bits.Put(1, 1);
    bits.Put(m_settings.hasAudio ? 1 : 0, 6);
    bits.Put(0, 1); // variable rate
    bits.Put(0, 1); // not constrained
    bits.Put(1, 1); // audio and video locked to the system clock
    bits.Put(1, 1);
    bits.Put(1, 1);
    bits.Put(m_settings.hasVideo ? 1 : 0, 5);
    bits.Put(0xFF, 8);
    if (m_settings.hasVideo) {
        bits.Put(kVideoId, 8);
        bits.Put(3, 2);
        bits.Put(1, 1); // 1024-byte units
        bits.Put(m_settings.videoBufferKb & 0x1FFF, 13);
    }
    if (m_settings.hasAudio) {
        bits.Put(kAudioId, 8);
        bits.Put(3, 2);
        bits.Put(0, 1); // 128-byte units
        bits.Put((m_settings.audioBufferKb * 8) & 0x1FFF, 13);
    }
}

void CSimPsMuxer::WritePacket(std::vector<uint8_t>& out, Stream& stream, size_t payload, bool withPts,
                              int64_t pts, int stuffing) const
{
    size_t length = PacketHeaderBytes(withPts) + stuffing + payload;
    out.push_back(0);
    out.push_back(0);
    out.push_back(1);
    out.push_back(stream.id);
    out.push_back((uint8_t)(length >> 8));
    out.push_back((uint8_t)length);
    if (m_settings.mpeg2) {
        out.push_back(0x81); // original
        out.push_back(withPts ? 0x80 : 0x00);
        out.push_back((uint8_t)((withPts ? kTimestampBytes : 0) + stuffing));
        if (withPts)
            WriteTimestamp(out, 2, pts);
        out.insert(out.end(), (size_t)stuffing, 0xFF);
    } else {
        out.insert(out.end(), (size_t)stuffing, 0xFF);
        if (withPts)
            WriteTimestamp(out, 2, pts);
        else
            out.push_back(0x0F);
    }
    out.insert(out.end(), stream.bytes.begin(), stream.bytes.begin() + payload);
    stream.bytes.erase(stream.bytes.begin(), stream.bytes.begin() + payload);
    stream.consumed += payload;
}

void CSimPsMuxer::WritePadding(std::vector<uint8_t>& out, int length) const
{
    out.push_back(0);
    out.push_back(0);
    out.push_back(1);
    out.push_back(kPadding);
    out.push_back((uint8_t)((length - 6) >> 8));
    out.push_back((uint8_t)(length - 6));
    if (m_settings.mpeg2) {
        out.insert(out.end(), (size_t)(length - 6), 0xFF);
    } else {
        out.push_back(0x0F);
        out.insert(out.end(), (size_t)(length - 7), 0xFF);
    }
}

void CSimPsMuxer::WriteTimestamp(std::vector<uint8_t>& out, int prefix, int64_t t)
{
    uint64_t v = (uint64_t)t & 0x1FFFFFFFFull;
    out.push_back((uint8_t)((prefix << 4) | ((v >> 29) & 0x0E) | 1));
    out.push_back((uint8_t)(v >> 22));
    out.push_back((uint8_t)(((v >> 14) & 0xFE) | 1));
    out.push_back((uint8_t)(v >> 7));
    out.push_back((uint8_t)(((v << 1) & 0xFE) | 1));
}
