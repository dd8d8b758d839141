#include "CSimMpvDecoder.h"

#include "CSimBitReader.h"
#include "CSimDct.h"
#include "CSimMpvTables.h"

#include <math.h>
#include <string.h>

namespace
{
const uint8_t kSequenceHeader = 0xB3;
const uint8_t kExtension = 0xB5;
const uint8_t kPicture = 0x00;
const uint8_t kFirstSlice = 0x01;
const uint8_t kLastSlice = 0xAF;
// Pictures larger than any TV format are refused rather than allocated.
const int kMaxDimension = 1920;

// The position just past the next 00 00 01 at or after from, or size when there is none.
size_t FindStartCode(const uint8_t* data, size_t size, size_t from)
{
    for (size_t i = from; i + 3 <= size; ++i) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1)
            return i + 3;
    }
    return size;
}

bool ReadDcSize(CSimBitReader& bits, const SimVlc* table, int& size)
{
    for (int s = 0; s < 12; ++s) {
        if (bits.Peek(table[s].length) == table[s].code) {
            bits.Skip(table[s].length);
            size = s;
            return true;
        }
    }
    return false;
}

uint8_t Clip(float v)
{
    int i = (int)floorf(v + 0.5f);
    return (uint8_t)(i < 0 ? 0 : (i > 255 ? 255 : i));
}
}

void CSimMpvDecoder::Reset()
{
    m_buffer.clear();
    m_inPicture = false;
    m_ready.clear();
}

void CSimMpvDecoder::Feed(const uint8_t* data, size_t size)
{
    m_buffer.insert(m_buffer.end(), data, data + size);
    ProcessUnits(false);
}

void CSimMpvDecoder::Flush()
{
    ProcessUnits(true);
    FinishPicture();
}

bool CSimMpvDecoder::NextPicture(SimPicture& picture)
{
    if (m_ready.empty())
        return false;
    picture = std::move(m_ready.front());
    m_ready.pop_front();
    return true;
}

// A unit runs from its start code to the next one; the last one waits for more data
// unless the stream has ended.
void CSimMpvDecoder::ProcessUnits(bool atEnd)
{
    size_t begin = FindStartCode(m_buffer.data(), m_buffer.size(), 0);
    size_t consumed = begin >= 3 ? begin - 3 : 0;
    while (begin < m_buffer.size()) {
        size_t next = FindStartCode(m_buffer.data(), m_buffer.size(), begin + 1);
        if (next >= m_buffer.size() && !atEnd)
            break;
        size_t end = next >= m_buffer.size() ? m_buffer.size() : next - 3;
        HandleUnit(m_buffer[begin], m_buffer.data() + begin + 1, end - begin - 1);
        consumed = end;
        begin = next;
    }
    if (begin >= m_buffer.size() && atEnd)
        consumed = m_buffer.size();
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + consumed);
}

void CSimMpvDecoder::HandleUnit(uint8_t code, const uint8_t* body, size_t size)
{
    if (code >= kFirstSlice && code <= kLastSlice) {
        if (m_inPicture && m_intraPicture)
            DecodeSlice(code - 1, body, size);
        return;
    }
    if (code != kExtension)
        FinishPicture();
    if (code == kSequenceHeader)
        ParseSequenceHeader(body, size);
    else if (code == kExtension)
        ParseExtension(body, size);
    else if (code == kPicture)
        StartPicture(body, size);
}

void CSimMpvDecoder::ParseSequenceHeader(const uint8_t* body, size_t size)
{
    CSimBitReader bits(body, size);
    int width = (int)bits.Get(12);
    int height = (int)bits.Get(12);
    if (bits.Overrun() || width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return;
    m_width = (width + 15) & ~15;
    m_height = (height + 15) & ~15;
    // An MPEG-2 stream follows its sequence header with an extension; until one comes the
    // stream counts as MPEG-1.
    m_mpeg2 = false;
}

void CSimMpvDecoder::ParseExtension(const uint8_t* body, size_t size)
{
    CSimBitReader bits(body, size);
    if (bits.Get(4) == 1) // the sequence extension
        m_mpeg2 = true;
}

void CSimMpvDecoder::StartPicture(const uint8_t* body, size_t size)
{
    if (m_width == 0)
        return;
    CSimBitReader bits(body, size);
    bits.Skip(10);
    m_intraPicture = bits.Get(3) == 1;
    m_inPicture = true;
    if (m_intraPicture) {
        if (m_current.width != m_width || m_current.height != m_height)
            m_current.Allocate(m_width, m_height);
    }
}

void CSimMpvDecoder::FinishPicture()
{
    if (!m_inPicture)
        return;
    m_inPicture = false;
    if (m_intraPicture) {
        m_last = m_current;
        m_haveLast = true;
    }
    if (m_haveLast)
        m_ready.push_back(m_last);
}

void CSimMpvDecoder::DecodeSlice(int row, const uint8_t* body, size_t size)
{
    int mbWidth = m_width / 16;
    if (row >= m_height / 16)
        return;
    CSimBitReader bits(body, size);
    int qcode = (int)bits.Get(5);
    while (bits.Get(1) == 1)
        bits.Skip(8);
    // Both standards reconstruct QF * W * code / 8 with the linear scale, the only one our
    // encoder makes.
    int quant = qcode;
    int dc[3] = {128, 128, 128};
    int mbx = -1;
    while (bits.BitsLeft() > 8) {
        int increment = 0;
        while (bits.Peek(11) == 0x8) { // macroblock escape: 33 more
            bits.Skip(11);
            increment += 33;
        }
        if (bits.Get(1) != 1) { // only increments of 1 appear in an intra-only picture
            ++m_errors;
            return;
        }
        mbx += increment + 1;
        if (mbx >= mbWidth)
            return;
        if (bits.Get(1) != 1) { // intra with a new quantiser: '01' + 5 bits
            if (bits.Get(1) != 1) {
                ++m_errors;
                return;
            }
            quant = (int)bits.Get(5);
        }
        float pixels[64];
        for (int b = 0; b < 6; ++b) {
            int component = b < 4 ? 0 : b - 3;
            if (!DecodeBlock(bits, component, quant, dc[component], pixels)) {
                ++m_errors;
                return;
            }
            PutBlock(pixels, mbx, row, b);
        }
    }
}

bool CSimMpvDecoder::DecodeBlock(CSimBitReader& bits, int component, int quant, int& dcPredictor, float out[64])
{
    int size = 0;
    if (!ReadDcSize(bits, component == 0 ? CSimMpvTables::kDcLumaSize : CSimMpvTables::kDcChromaSize, size))
        return false;
    int diff = 0;
    if (size > 0) {
        int raw = (int)bits.Get(size);
        diff = raw >= (1 << (size - 1)) ? raw : raw - (1 << size) + 1;
    }
    dcPredictor += diff;
    float coefficients[64] = {};
    coefficients[0] = dcPredictor * 8.0f;
    int index = 0;
    for (;;) {
        if (bits.Overrun())
            return false;
        if (bits.Peek(2) == 0x2) {
            bits.Skip(2);
            break;
        }
        int run = 0;
        int level = 0;
        if (bits.Peek(6) == 0x1) {
            bits.Skip(6);
            run = (int)bits.Get(6);
            if (m_mpeg2) {
                level = (int)bits.Get(12);
                if (level >= 2048)
                    level -= 4096;
            } else {
                level = (int)bits.Get(8);
                if (level == 0)
                    level = (int)bits.Get(8);
                else if (level == 128)
                    level = (int)bits.Get(8) - 256;
                else if (level > 128)
                    level -= 256;
            }
        } else {
            const SimRunLevelCode* found = nullptr;
            for (int i = 0; i < CSimMpvTables::kAcCodeCount; ++i) {
                const SimRunLevelCode& c = CSimMpvTables::kAcCodes[i];
                if (bits.Peek(c.length) == c.code) {
                    found = &c;
                    break;
                }
            }
            if (found == nullptr)
                return false;
            bits.Skip(found->length);
            run = found->run;
            level = bits.Get(1) ? -found->level : found->level;
        }
        index += run + 1;
        if (index > 63)
            return false;
        int position = CSimMpvTables::kZigzag[index];
        coefficients[position] = level * CSimMpvTables::kIntraMatrix[position] * quant / 8.0f;
    }
    CSimDct::Inverse(coefficients, out);
    return true;
}

void CSimMpvDecoder::PutBlock(const float pixels[64], int mbx, int mby, int block)
{
    if (block < 4) {
        int x0 = mbx * 16 + (block & 1) * 8;
        int y0 = mby * 16 + (block >> 1) * 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                m_current.y[(size_t)(y0 + y) * m_width + x0 + x] = Clip(pixels[y * 8 + x]);
        return;
    }
    std::vector<uint8_t>& plane = block == 4 ? m_current.cb : m_current.cr;
    int cw = m_width / 2;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            plane[(size_t)(mby * 8 + y) * cw + mbx * 8 + x] = Clip(pixels[y * 8 + x]);
}
