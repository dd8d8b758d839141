#include "CSimAcmMp2Encoder.h"

namespace
{
const int kBitRateIndex = 11; // 224 kbit/s in the Layer II table
}

CSimAcmMp2Encoder::CSimAcmMp2Encoder(int sampleRate, int channels)
    : m_encoder(sampleRate, channels, kBitRateIndex, false)
{
    static_assert(kBitRate == 224000, "the bit rate of index 11");
}

int CSimAcmMp2Encoder::FrameSamples() const
{
    return CSimMp2Tables::kFrameSamples;
}

// A frame holds 144 x bit rate / rate bytes, one more when padded.
int CSimAcmMp2Encoder::MaxFrameBytes() const
{
    return 144 * kBitRate / m_encoder.SampleRate() + 1;
}

void CSimAcmMp2Encoder::Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& coded)
{
    std::vector<std::vector<uint8_t>> encoded;
    m_encoder.Encode(samples, frames, encoded);
    for (const std::vector<uint8_t>& frame : encoded)
        coded.insert(coded.end(), frame.begin(), frame.end());
    m_pending = (m_pending + frames) % CSimMp2Tables::kFrameSamples;
}
