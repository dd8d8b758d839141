#include "CSimMp2Encoder.h"

#include "CSimBitWriter.h"

#include <math.h>
#include <string.h>

namespace
{
const double kPi = 3.14159265358979323846;
// Subbands whose peak lies below this level (dB full scale) get no bits.
const double kMaskDb = -96.0;

struct AnalysisMatrix
{
    float m[32][64];
    AnalysisMatrix()
    {
        for (int i = 0; i < 32; ++i)
            for (int k = 0; k < 64; ++k)
                m[i][k] = (float)cos((2 * i + 1) * (k - 16) * kPi / 64.0);
    }
};

const AnalysisMatrix& Matrix()
{
    static const AnalysisMatrix matrix;
    return matrix;
}

// CRC-16 with the polynomial x^16 + x^15 + x^2 + 1 over count bits from the bit offset start.
uint16_t Crc16(const std::vector<uint8_t>& data, size_t start, size_t count, uint16_t crc)
{
    for (size_t i = start; i < start + count; ++i) {
        int bit = (data[i >> 3] >> (7 - (i & 7))) & 1;
        int top = (crc >> 15) & 1;
        crc = (uint16_t)(crc << 1);
        if (top ^ bit)
            crc ^= 0x8005;
    }
    return crc;
}
}

CSimMp2Encoder::CSimMp2Encoder(int sampleRate, int channels, int bitRateIndex, bool crc)
    : m_valid(CSimMp2Tables::RateCode(sampleRate) >= 0 && (channels == 1 || channels == 2) &&
              CSimMp2Tables::BitRate(bitRateIndex) > 0),
      m_sampleRate(sampleRate), m_channels(channels), m_bitRateIndex(bitRateIndex), m_crc(crc),
      m_table(CSimMp2Tables::AllocTable(sampleRate, CSimMp2Tables::BitRate(bitRateIndex), channels))
{
}

void CSimMp2Encoder::Encode(const int16_t* samples, size_t count, std::vector<std::vector<uint8_t>>& frames)
{
    if (!m_valid)
        return;
    for (size_t i = 0; i + m_channels <= count * m_channels; i += m_channels)
        for (int ch = 0; ch < m_channels; ++ch)
            m_pending[ch].push_back(samples[i + ch] / 32768.0f);
    while (m_pending[0].size() >= (size_t)CSimMp2Tables::kFrameSamples) {
        for (int ch = 0; ch < m_channels; ++ch) {
            for (int block = 0; block < 36; ++block)
                AnalyseBlock(ch, &m_pending[ch][block * 32], m_subband[ch][block]);
            m_pending[ch].erase(m_pending[ch].begin(), m_pending[ch].begin() + CSimMp2Tables::kFrameSamples);
        }
        frames.emplace_back();
        EncodeFrame(frames.back());
    }
}

void CSimMp2Encoder::AnalyseBlock(int channel, const float* input32, float output32[32])
{
    float* x = m_history[channel];
    memmove(x + 32, x, 480 * sizeof(float));
    for (int i = 0; i < 32; ++i)
        x[i] = input32[31 - i];
    const double* c = CSimMp2Tables::Window();
    float y[64];
    for (int k = 0; k < 64; ++k) {
        double s = 0;
        for (int j = 0; j < 8; ++j)
            s += c[k + 64 * j] * x[k + 64 * j];
        y[k] = (float)s;
    }
    const AnalysisMatrix& m = Matrix();
    for (int i = 0; i < 32; ++i) {
        float s = 0;
        for (int k = 0; k < 64; ++k)
            s += m.m[i][k] * y[k];
        output32[i] = s;
    }
}

void CSimMp2Encoder::ChooseScaleFactors()
{
    for (int ch = 0; ch < m_channels; ++ch)
        for (int sb = 0; sb < m_table.sblimit; ++sb)
            for (int part = 0; part < 3; ++part) {
                float peak = 0;
                for (int s = part * 12; s < part * 12 + 12; ++s)
                    peak = fabsf(m_subband[ch][s][sb]) > peak ? fabsf(m_subband[ch][s][sb]) : peak;
                int index = 0;
                while (index < 62 && CSimMp2Tables::ScaleFactor(index + 1) >= peak)
                    ++index;
                m_scale[ch][sb][part] = index;
            }
}

// Greedy allocation: the subband whose noise lies highest above the flat threshold gets
// the next step, while the frame has room for it.
void CSimMp2Encoder::AllocateBits(int available)
{
    double smr[2][32];
    for (int ch = 0; ch < m_channels; ++ch)
        for (int sb = 0; sb < m_table.sblimit; ++sb) {
            m_alloc[ch][sb] = 0;
            int loudest = m_scale[ch][sb][0];
            for (int part = 1; part < 3; ++part)
                loudest = m_scale[ch][sb][part] < loudest ? m_scale[ch][sb][part] : loudest;
            smr[ch][sb] = 20 * log10(CSimMp2Tables::ScaleFactor(loudest)) - kMaskDb;
        }
    for (;;) {
        int bestCh = -1, bestSb = -1, bestCost = 0;
        double bestMnr = 1e9;
        for (int ch = 0; ch < m_channels; ++ch)
            for (int sb = 0; sb < m_table.sblimit; ++sb) {
                int a = m_alloc[ch][sb];
                if (a + 1 >= (1 << m_table.nbal[sb]) || smr[ch][sb] <= 0)
                    continue;
                double snr = a == 0 ? 0 : CSimMp2Tables::Class(m_table.classes[sb][a - 1]).snrDb;
                double mnr = snr - smr[ch][sb];
                const SimMp2Class& next = CSimMp2Tables::Class(m_table.classes[sb][a]);
                int cost = next.grouped ? 12 * next.bits : 36 * next.bits;
                if (a == 0)
                    cost += 2 + 18;
                else {
                    const SimMp2Class& now = CSimMp2Tables::Class(m_table.classes[sb][a - 1]);
                    cost -= now.grouped ? 12 * now.bits : 36 * now.bits;
                }
                if (cost <= available && mnr < bestMnr) {
                    bestMnr = mnr;
                    bestCh = ch;
                    bestSb = sb;
                    bestCost = cost;
                }
            }
        if (bestCh < 0)
            return;
        ++m_alloc[bestCh][bestSb];
        available -= bestCost;
    }
}

int CSimMp2Encoder::Quantise(float sample, int scaleIndex, const SimMp2Class& c) const
{
    double x = sample / CSimMp2Tables::ScaleFactor(scaleIndex);
    int code = (int)floor((x * c.levels + c.levels) / 2.0);
    return code < 0 ? 0 : (code >= c.levels ? c.levels - 1 : code);
}

void CSimMp2Encoder::EncodeFrame(std::vector<uint8_t>& frame)
{
    long numerator = 144L * CSimMp2Tables::BitRate(m_bitRateIndex) * 1000;
    int bytes = (int)(numerator / m_sampleRate);
    m_paddingRest += numerator % m_sampleRate;
    int padding = 0;
    if (m_paddingRest >= m_sampleRate) {
        m_paddingRest -= m_sampleRate;
        padding = 1;
    }
    bytes += padding;

    ChooseScaleFactors();
    int allocationBits = 0;
    for (int sb = 0; sb < m_table.sblimit; ++sb)
        allocationBits += m_table.nbal[sb] * m_channels;
    AllocateBits(bytes * 8 - 32 - (m_crc ? 16 : 0) - allocationBits);

    frame.clear();
    size_t crcEnd = 0;
    {
        CSimBitWriter bits(frame);
        bits.Put(0xFFF, 12);
        bits.Put(1, 1);        // MPEG-1
        bits.Put(2, 2);        // Layer II
        bits.Put(m_crc ? 0 : 1, 1);
        bits.Put(m_bitRateIndex, 4);
        bits.Put(CSimMp2Tables::RateCode(m_sampleRate), 2);
        bits.Put(padding, 1);
        bits.Put(0, 1);
        bits.Put(m_channels == 2 ? 0 : 3, 2);
        bits.Put(0, 2);
        bits.Put(0, 4);        // no copyright, copy, no emphasis
        if (m_crc)
            bits.Put(0, 16);
        for (int sb = 0; sb < m_table.sblimit; ++sb)
            for (int ch = 0; ch < m_channels; ++ch)
                bits.Put(m_alloc[ch][sb], m_table.nbal[sb]);
        for (int sb = 0; sb < m_table.sblimit; ++sb)
            for (int ch = 0; ch < m_channels; ++ch)
                if (m_alloc[ch][sb])
                    bits.Put(0, 2); // three scale factors
        crcEnd = (size_t)bits.BitCount();
        for (int sb = 0; sb < m_table.sblimit; ++sb)
            for (int ch = 0; ch < m_channels; ++ch)
                if (m_alloc[ch][sb])
                    for (int part = 0; part < 3; ++part)
                        bits.Put(m_scale[ch][sb][part], 6);
        for (int granule = 0; granule < 12; ++granule)
            for (int sb = 0; sb < m_table.sblimit; ++sb)
                for (int ch = 0; ch < m_channels; ++ch) {
                    int a = m_alloc[ch][sb];
                    if (!a)
                        continue;
                    const SimMp2Class& c = CSimMp2Tables::Class(m_table.classes[sb][a - 1]);
                    int scale = m_scale[ch][sb][granule / 4];
                    int q[3];
                    for (int s = 0; s < 3; ++s)
                        q[s] = Quantise(m_subband[ch][granule * 3 + s][sb], scale, c);
                    if (c.grouped)
                        bits.Put(q[0] + c.levels * (q[1] + c.levels * q[2]), c.bits);
                    else
                        for (int s = 0; s < 3; ++s)
                            bits.Put(q[s], c.bits);
                }
    }
    frame.resize(bytes, 0);
    if (m_crc) {
        uint16_t crc = Crc16(frame, 16, 16, 0xFFFF);
        crc = Crc16(frame, 48, crcEnd - 48, crc);
        frame[4] = (uint8_t)(crc >> 8);
        frame[5] = (uint8_t)crc;
    }
}
