#pragma once

#include "CSimMp2Tables.h"

#include <stddef.h>
#include <stdint.h>

#include <vector>

// An MPEG-1 Layer II audio encoder: the 32-band analysis filter bank, three scale factors
// per subband and frame, and bits allocated greedily against a flat masking threshold.
// Stereo streams code both channels independently (mode 00); one channel is mode 11.
class CSimMp2Encoder
{
public:
    // bitRateIndex 1-14 (11 = 224 kbit/s); crc adds the header's CRC word.
    CSimMp2Encoder(int sampleRate, int channels, int bitRateIndex, bool crc);

    // False for a rate, channel count or bit rate the layer cannot carry.
    bool Valid() const { return m_valid; }
    // Takes interleaved 16-bit samples; each complete frame is appended to frames.
    void Encode(const int16_t* samples, size_t count, std::vector<std::vector<uint8_t>>& frames);
    int SampleRate() const { return m_sampleRate; }
    int Channels() const { return m_channels; }

private:
    void AnalyseBlock(int channel, const float* input32, float output32[32]);
    void EncodeFrame(std::vector<uint8_t>& frame);
    void ChooseScaleFactors();
    void AllocateBits(int available);
    int Quantise(float sample, int scaleIndex, const SimMp2Class& c) const;

    bool m_valid;
    int m_sampleRate;
    int m_channels;
    int m_bitRateIndex;
    bool m_crc;
    const SimMp2AllocTable& m_table;
    long m_paddingRest = 0;

    std::vector<float> m_pending[2];
    float m_history[2][512] = {};
    float m_subband[2][36][32] = {};
    int m_scale[2][32][3] = {};
    int m_alloc[2][32] = {};
};
