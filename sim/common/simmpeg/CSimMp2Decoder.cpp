#include "CSimMp2Decoder.h"

#include "CSimBitReader.h"

#include <math.h>
#include <string.h>

namespace
{
const double kPi = 3.14159265358979323846;

struct SynthesisMatrix
{
    float n[64][32];
    SynthesisMatrix()
    {
        for (int i = 0; i < 64; ++i)
            for (int k = 0; k < 32; ++k)
                n[i][k] = (float)cos((16 + i) * (2 * k + 1) * kPi / 64.0);
    }
};

const SynthesisMatrix& Matrix()
{
    static const SynthesisMatrix matrix;
    return matrix;
}

struct Header
{
    int layer, bitRate, sampleRate, padding, mode, protection;
    size_t Length() const { return (size_t)(144L * bitRate * 1000 / sampleRate + padding); }
};

bool ParseHeader(const uint8_t* p, Header& h)
{
    if (p[0] != 0xFF || (p[1] & 0xF0) != 0xF0)
        return false;
    if (((p[1] >> 3) & 1) != 1) // MPEG-1 only
        return false;
    h.layer = 4 - ((p[1] >> 1) & 3);
    h.protection = !(p[1] & 1);
    h.bitRate = CSimMp2Tables::BitRate(p[2] >> 4);
    h.sampleRate = CSimMp2Tables::RateOfCode((p[2] >> 2) & 3);
    h.padding = (p[2] >> 1) & 1;
    h.mode = p[3] >> 6;
    return h.layer == 2 && h.bitRate > 0 && h.sampleRate > 0;
}

int16_t ToPcm(float v)
{
    int i = (int)floorf(v * 32768.0f + 0.5f);
    return (int16_t)(i < -32768 ? -32768 : (i > 32767 ? 32767 : i));
}
}

void CSimMp2Decoder::Reset()
{
    m_buffer.clear();
    memset(m_v, 0, sizeof(m_v));
}

void CSimMp2Decoder::Feed(const uint8_t* data, size_t size)
{
    m_buffer.insert(m_buffer.end(), data, data + size);
}

bool CSimMp2Decoder::NextFrame(std::vector<int16_t>& samples, int& sampleRate, int& channels)
{
    size_t at = 0;
    Header h = {};
    while (at + 4 <= m_buffer.size() && !ParseHeader(&m_buffer[at], h))
        ++at;
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + at);
    if (m_buffer.size() < 4 || m_buffer.size() < h.Length())
        return false;
    size_t length = h.Length();
    sampleRate = h.sampleRate;
    channels = h.mode == 3 ? 1 : 2;
    const SimMp2AllocTable& table = CSimMp2Tables::AllocTable(h.sampleRate, h.bitRate, channels);
    if (h.mode == 1 || !DecodeFrame(m_buffer.data(), length, channels, table, samples)) {
        ++m_badFrames;
        samples.assign((size_t)CSimMp2Tables::kFrameSamples * channels, 0);
    }
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + length);
    return true;
}

bool CSimMp2Decoder::DecodeFrame(const uint8_t* frame, size_t size, int channels, const SimMp2AllocTable& table,
                                 std::vector<int16_t>& samples)
{
    CSimBitReader bits(frame, size);
    bits.Skip(32);
    if (!(frame[1] & 1))
        bits.Skip(16);
    int alloc[2][32] = {};
    int scfsi[2][32] = {};
    int scale[2][32][3] = {};
    for (int sb = 0; sb < table.sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch)
            alloc[ch][sb] = (int)bits.Get(table.nbal[sb]);
    for (int sb = 0; sb < table.sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch)
            if (alloc[ch][sb])
                scfsi[ch][sb] = (int)bits.Get(2);
    for (int sb = 0; sb < table.sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch) {
            if (!alloc[ch][sb])
                continue;
            int* s = scale[ch][sb];
            switch (scfsi[ch][sb]) {
            case 0: s[0] = bits.Get(6); s[1] = bits.Get(6); s[2] = bits.Get(6); break;
            case 1: s[0] = s[1] = bits.Get(6); s[2] = bits.Get(6); break;
            case 2: s[0] = s[1] = s[2] = bits.Get(6); break;
            case 3: s[0] = bits.Get(6); s[1] = s[2] = bits.Get(6); break;
            }
        }
    samples.resize((size_t)CSimMp2Tables::kFrameSamples * channels);
    for (int granule = 0; granule < 12; ++granule) {
        float subband[2][3][32] = {};
        for (int sb = 0; sb < table.sblimit; ++sb)
            for (int ch = 0; ch < channels; ++ch) {
                int a = alloc[ch][sb];
                if (!a)
                    continue;
                const SimMp2Class& c = CSimMp2Tables::Class(table.classes[sb][a - 1]);
                int q[3];
                if (c.grouped) {
                    int word = (int)bits.Get(c.bits);
                    for (int s = 0; s < 3; ++s) {
                        q[s] = word % c.levels;
                        word /= c.levels;
                    }
                } else {
                    for (int s = 0; s < 3; ++s)
                        q[s] = (int)bits.Get(c.bits);
                }
                double factor = CSimMp2Tables::ScaleFactor(scale[ch][sb][granule / 4]);
                for (int s = 0; s < 3; ++s)
                    subband[ch][s][sb] = (float)(factor * (2.0 * q[s] - c.levels + 1) / c.levels);
            }
        for (int s = 0; s < 3; ++s)
            for (int ch = 0; ch < channels; ++ch) {
                float out[32];
                Synthesise(ch, subband[ch][s], out);
                for (int i = 0; i < 32; ++i)
                    samples[((size_t)(granule * 3 + s) * 32 + i) * channels + ch] = ToPcm(out[i]);
            }
    }
    return !bits.Overrun();
}

void CSimMp2Decoder::Synthesise(int channel, const float subbands[32], float output[32])
{
    float* v = m_v[channel];
    memmove(v + 64, v, 960 * sizeof(float));
    const SynthesisMatrix& m = Matrix();
    for (int i = 0; i < 64; ++i) {
        float s = 0;
        for (int k = 0; k < 32; ++k)
            s += m.n[i][k] * subbands[k];
        v[i] = s;
    }
    const double* c = CSimMp2Tables::Window();
    for (int j = 0; j < 32; ++j) {
        double s = 0;
        for (int i = 0; i < 8; ++i) {
            s += 32.0 * c[i * 64 + j] * v[i * 128 + j];
            s += 32.0 * c[i * 64 + 32 + j] * v[i * 128 + 96 + j];
        }
        output[j] = (float)s;
    }
}
