#include "CSimMpvEncoder.h"

#include "CSimBitWriter.h"
#include "CSimDct.h"
#include "CSimMpvTables.h"

#include <math.h>

#include <algorithm>

namespace
{
const uint8_t kSequenceHeader = 0xB3;
const uint8_t kExtension = 0xB5;
const uint8_t kGroup = 0xB8;
const uint8_t kPicture = 0x00;
const uint8_t kSequenceEnd = 0xB7;
const int kPictureTypeI = 1;
// Escaped levels: 8 or 16 bits in MPEG-1, 12 bits in MPEG-2.
const int kMaxLevelMpeg1 = 255;
const int kMaxLevelMpeg2 = 2047;
// Picture encodings tried before the last one is kept.
const int kMaxAttempts = 8;

int BitSize(int value)
{
    int magnitude = value < 0 ? -value : value;
    int size = 0;
    while (magnitude > 0) {
        ++size;
        magnitude >>= 1;
    }
    return size;
}

int RoundToInt(float v)
{
    return (int)floorf(v + 0.5f);
}
}

CSimMpvEncoder::CSimMpvEncoder(const SimMpvSettings& settings) : m_settings(settings)
{
    if (m_settings.gopLength < 1)
        m_settings.gopLength = 1;
}

double CSimMpvEncoder::FrameRate(int frameRateCode)
{
    switch (frameRateCode) {
    case 1: return 24000.0 / 1001;
    case 2: return 24;
    case 3: return 25;
    case 4: return 30000.0 / 1001;
    case 5: return 30;
    case 6: return 50;
    case 7: return 60000.0 / 1001;
    case 8: return 60;
    }
    return 25;
}

bool CSimMpvEncoder::Encode(const SimPicture& picture, std::vector<uint8_t>& out)
{
    bool gopStart = m_pictureCount % m_settings.gopLength == 0;
    bool withSequence = gopStart && (m_settings.headerEveryGop || !m_sequenceSent);
    if (withSequence) {
        WriteSequenceHeader(out);
        m_sequenceSent = true;
    }
    if (gopStart)
        WriteGopHeader(out);

    // The quantiser goes up until the picture fits its share of the rate; at its coarsest,
    // fewer coefficients per block are kept. Both come back slowly while pictures come out
    // well below the share.
    double budget = m_settings.bitRate / FrameRate(m_settings.frameRateCode);
    std::vector<uint8_t> coded;
    for (int attempt = 0;; ++attempt) {
        coded.clear();
        WritePicture(picture, m_qcode, coded);
        if (coded.size() * 8.0 <= budget * 1.25 || attempt == kMaxAttempts)
            break;
        if (m_qcode < 31)
            m_qcode = std::min(31, m_qcode + std::max(1, m_qcode / 4));
        else if (m_coefficients > 1)
            m_coefficients /= 2;
        else
            break;
    }
    if (coded.size() * 8.0 < budget * 0.6) {
        if (m_coefficients < 64)
            m_coefficients = std::min(64, m_coefficients * 2);
        else if (m_qcode > 1)
            --m_qcode;
    }
    out.insert(out.end(), coded.begin(), coded.end());
    ++m_pictureCount;
    return withSequence;
}

void CSimMpvEncoder::End(std::vector<uint8_t>& out)
{
    CSimBitWriter bits(out);
    bits.StartCode(kSequenceEnd);
}

void CSimMpvEncoder::WriteSequenceHeader(std::vector<uint8_t>& out) const
{
    const SimMpvSettings& s = m_settings;
    uint32_t rate = (uint32_t)ceil(s.bitRate / 400.0);
    bool thirty = s.frameRateCode == 4 || s.frameRateCode == 5;
    // MPEG-1 carries the pel aspect of the 625- or 525-line sampling; MPEG-2 says 4:3.
    int aspect = s.mpeg2 ? 2 : (thirty ? 12 : 8);
    CSimBitWriter bits(out);
    bits.StartCode(kSequenceHeader);
    bits.Put(s.width, 12);
    bits.Put(s.height, 12);
    bits.Put(aspect, 4);
    bits.Put(s.frameRateCode, 4);
    bits.Put(rate & 0x3FFFF, 18);
    bits.Put(1, 1);
    bits.Put(s.vbvBufferSize & 0x3FF, 10);
    bits.Put(!s.mpeg2 && s.constrained ? 1 : 0, 1);
    bits.Put(0, 1); // default intra matrix
    bits.Put(0, 1); // default non-intra matrix
    if (!s.mpeg2)
        return;
    bits.StartCode(kExtension);
    bits.Put(1, 4);        // sequence extension
    bits.Put(0x48, 8);     // Main profile at Main level
    bits.Put(0, 1);        // interlaced source
    bits.Put(1, 2);        // 4:2:0
    bits.Put(0, 2);
    bits.Put(0, 2);
    bits.Put((rate >> 18) & 0xFFF, 12);
    bits.Put(1, 1);
    bits.Put((s.vbvBufferSize >> 10) & 0xFF, 8);
    bits.Put(0, 1);
    bits.Put(0, 2);
    bits.Put(0, 5);
}

void CSimMpvEncoder::WriteGopHeader(std::vector<uint8_t>& out) const
{
    int fps = (int)(FrameRate(m_settings.frameRateCode) + 0.5);
    long frame = m_pictureCount;
    int pictures = (int)(frame % fps);
    long seconds = frame / fps;
    CSimBitWriter bits(out);
    bits.StartCode(kGroup);
    bits.Put(0, 1); // no drop-frame count
    bits.Put((seconds / 3600) % 24, 5);
    bits.Put((seconds / 60) % 60, 6);
    bits.Put(1, 1);
    bits.Put(seconds % 60, 6);
    bits.Put(pictures, 6);
    bits.Put(m_settings.closedGop ? 1 : 0, 1);
    bits.Put(0, 1);
}

void CSimMpvEncoder::WritePicture(const SimPicture& picture, int qcode, std::vector<uint8_t>& out) const
{
    const bool mpeg2 = m_settings.mpeg2;
    CSimBitWriter bits(out);
    bits.StartCode(kPicture);
    bits.Put((uint32_t)(m_pictureCount % m_settings.gopLength) & 0x3FF, 10);
    bits.Put(kPictureTypeI, 3);
    bits.Put(0xFFFF, 16); // vbv_delay: variable rate
    bits.Put(0, 1);
    if (mpeg2) {
        bits.StartCode(kExtension);
        bits.Put(8, 4);       // picture coding extension
        bits.Put(0xFFFF, 16); // no motion vectors
        bits.Put(0, 2);       // 8-bit DC
        bits.Put(3, 2);       // frame picture
        bits.Put(1, 1);       // top field first
        bits.Put(1, 1);       // frame DCT only
        bits.Put(0, 1);
        bits.Put(0, 1);       // linear quantiser scale
        bits.Put(0, 1);       // AC table zero
        bits.Put(0, 1);       // zigzag scan
        bits.Put(0, 1);
        bits.Put(1, 1);
        bits.Put(1, 1);       // progressive frame
        bits.Put(0, 1);
    }
    // MPEG-2's linear scale doubles the code; both standards then reconstruct
    // QF * W * code / 8, so one quantiser serves both.
    int mbWidth = m_settings.width / 16;
    int mbHeight = m_settings.height / 16;
    for (int mby = 0; mby < mbHeight; ++mby) {
        bits.StartCode((uint8_t)(mby + 1));
        bits.Put(qcode, 5);
        bits.Put(0, 1);
        int dc[3] = {128, 128, 128};
        for (int mbx = 0; mbx < mbWidth; ++mbx) {
            bits.Put(1, 1); // address increment 1
            bits.Put(1, 1); // intra, no new quantiser
            WriteMacroblock(bits, picture, mbx, mby, qcode, dc);
        }
    }
    bits.Align();
}

void CSimMpvEncoder::WriteMacroblock(CSimBitWriter& bits, const SimPicture& picture, int mbx, int mby, int quant,
                                     int dcPredictor[3]) const
{
    float block[64];
    for (int b = 0; b < 4; ++b) {
        int x0 = mbx * 16 + (b & 1) * 8;
        int y0 = mby * 16 + (b >> 1) * 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                block[y * 8 + x] = picture.y[(size_t)(y0 + y) * picture.width + x0 + x];
        WriteBlock(bits, block, 0, quant, dcPredictor[0]);
    }
    int cw = picture.width / 2;
    for (int c = 1; c <= 2; ++c) {
        const std::vector<uint8_t>& plane = c == 1 ? picture.cb : picture.cr;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                block[y * 8 + x] = plane[(size_t)(mby * 8 + y) * cw + mbx * 8 + x];
        WriteBlock(bits, block, c, quant, dcPredictor[c]);
    }
}

void CSimMpvEncoder::WriteBlock(CSimBitWriter& bits, const float pixels[64], int component, int quant,
                                int& dcPredictor) const
{
    float coefficients[64];
    CSimDct::Forward(pixels, coefficients);

    int dc = RoundToInt(coefficients[0] / 8.0f);
    dc = dc < 0 ? 0 : (dc > 255 ? 255 : dc);
    int diff = dc - dcPredictor;
    dcPredictor = dc;
    int size = BitSize(diff);
    const SimVlc& sizeCode = component == 0 ? CSimMpvTables::kDcLumaSize[size] : CSimMpvTables::kDcChromaSize[size];
    bits.Put(sizeCode.code, sizeCode.length);
    if (size > 0)
        bits.Put(diff > 0 ? diff : diff + (1 << size) - 1, size);

    int maxLevel = m_settings.mpeg2 ? kMaxLevelMpeg2 : kMaxLevelMpeg1;
    int run = 0;
    for (int i = 1; i < m_coefficients; ++i) {
        int position = CSimMpvTables::kZigzag[i];
        float step = CSimMpvTables::kIntraMatrix[position] * quant / 8.0f;
        int level = RoundToInt(coefficients[position] / step);
        if (level == 0) {
            ++run;
            continue;
        }
        level = level > maxLevel ? maxLevel : (level < -maxLevel ? -maxLevel : level);
        const SimRunLevelCode* code = CSimMpvTables::FindAc(run, level < 0 ? -level : level);
        if (code != nullptr) {
            bits.Put(code->code, code->length);
            bits.Put(level < 0 ? 1 : 0, 1);
        } else {
            WriteEscape(bits, run, level);
        }
        run = 0;
    }
    bits.Put(0x2, 2); // end of block
}

void CSimMpvEncoder::WriteEscape(CSimBitWriter& bits, int run, int level) const
{
    bits.Put(0x1, 6);
    bits.Put(run, 6);
    if (m_settings.mpeg2) {
        bits.Put((uint32_t)level & 0xFFF, 12);
    } else if (level >= -127 && level <= 127) {
        bits.Put((uint32_t)level & 0xFF, 8);
    } else if (level > 0) {
        bits.Put(0x00, 8);
        bits.Put(level, 8);
    } else {
        bits.Put(0x80, 8);
        bits.Put((uint32_t)level & 0xFF, 8);
    }
}
