#include "CSimPsParser.h"

namespace
{
const uint8_t kPackStart = 0xBA;
const uint8_t kSystemHeader = 0xBB;
const uint8_t kPadding = 0xBE;
const uint8_t kEndCode = 0xB9;
const uint8_t kFirstStream = 0xBC;
}

void CSimPsParser::Reset()
{
    m_buffer.clear();
    m_bufferOffset = 0;
    m_packOpen = false;
    m_packs.clear();
}

void CSimPsParser::Feed(const uint8_t* data, size_t size)
{
    m_buffer.insert(m_buffer.end(), data, data + size);
    size_t before = 0;
    do {
        before = m_buffer.size();
    } while (ParseUnit() && m_buffer.size() < before);
}

void CSimPsParser::Finish()
{
    ClosePack(m_bufferOffset + m_buffer.size());
}

bool CSimPsParser::NextPack(SimPsPackInfo& pack)
{
    if (m_packs.empty())
        return false;
    pack = m_packs.front();
    m_packs.pop_front();
    return true;
}

bool CSimPsParser::ParseUnit()
{
    const std::vector<uint8_t>& b = m_buffer;
    size_t skip = 0;
    while (skip + 4 <= b.size() && !(b[skip] == 0 && b[skip + 1] == 0 && b[skip + 2] == 1 && b[skip + 3] >= kPackStart))
        ++skip;
    if (skip > 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + skip);
        m_bufferOffset += skip;
    }
    if (b.size() < 4)
        return false;
    uint8_t code = b[3];
    size_t length = 0;
    if (code == kPackStart) {
        if (b.size() < 14)
            return false;
        bool mpeg2 = (b[4] & 0xC0) == 0x40;
        length = mpeg2 ? 14 + (b[13] & 7) : 12;
        if (b.size() < length)
            return false;
        ClosePack(m_bufferOffset);
        m_packOpen = true;
        m_pack = SimPsPackInfo();
        m_pack.offset = m_bufferOffset;
        m_pack.mpeg2 = mpeg2;
        if (mpeg2)
            m_pack.scr = ((int64_t)((b[4] >> 3) & 7) << 30) | ((int64_t)(b[4] & 3) << 28) | ((int64_t)b[5] << 20) |
                         ((int64_t)(b[6] >> 3) << 15) | ((int64_t)(b[6] & 3) << 13) | ((int64_t)b[7] << 5) |
                         (b[8] >> 3);
        else
            m_pack.scr = ReadTimestamp(&b[4]);
    } else if (code == kEndCode) {
        length = 4;
        ClosePack(m_bufferOffset + 4);
    } else {
        if (b.size() < 6)
            return false;
        length = 6 + ((size_t)b[4] << 8 | b[5]);
        if (b.size() < length)
            return false;
        if (code != kSystemHeader && code != kPadding && code >= kFirstStream)
            ParsePes(length);
    }
    if (b.size() < length)
        return false;
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + length);
    m_bufferOffset += length;
    return true;
}

// A video packet whose payload starts a sequence or I picture marks its pack.
void CSimPsParser::ParsePes(size_t length)
{
    const uint8_t* p = m_buffer.data();
    if (!m_packOpen || (p[3] & 0xF0) != 0xE0)
        return;
    size_t at = 6;
    if ((p[6] & 0xC0) == 0x80) {
        if (length < 9)
            return;
        at = 9 + p[8];
    } else {
        while (at < length && p[at] == 0xFF)
            ++at;
        if (at < length && (p[at] & 0xC0) == 0x40)
            at += 2;
        if (at < length && (p[at] & 0xF0) == 0x20)
            at += 5;
        else if (at < length && (p[at] & 0xF0) == 0x30)
            at += 10;
        else
            ++at;
    }
    if (at <= length && StartsKeyPicture(p + at, length - at))
        m_pack.keyStart = true;
}

void CSimPsParser::ClosePack(uint64_t end)
{
    if (!m_packOpen)
        return;
    m_pack.length = (uint32_t)(end - m_pack.offset);
    m_packs.push_back(m_pack);
    m_packOpen = false;
}

// A sequence header, GOP header or I picture starting in the payload.
bool CSimPsParser::StartsKeyPicture(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + 5 < size; ++i) {
        if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1)
            continue;
        uint8_t code = data[i + 3];
        if (code == 0xB3 || code == 0xB8)
            return true;
        if (code == 0x00 && ((data[i + 5] >> 3) & 7) == 1)
            return true;
    }
    return false;
}

int64_t CSimPsParser::ReadTimestamp(const uint8_t* p)
{
    return ((int64_t)((p[0] >> 1) & 7) << 30) | ((int64_t)p[1] << 22) | ((int64_t)(p[2] >> 1) << 15) |
           ((int64_t)p[3] << 7) | (p[4] >> 1);
}
