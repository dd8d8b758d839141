#include "CSimMsAdpcmEncoder.h"

#include <stdlib.h>

const int16_t CSimMsAdpcmEncoder::kCoefficients[kCoefficientCount][2] = {
    {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232},
};

namespace
{
// How the step grows or shrinks after each 4-bit code (indexed by the code's bits).
const int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
const int kMinimumDelta = 16;
const int kHeaderBytesPerChannel = 7;

int Clamp16(int value)
{
    return value < -32768 ? -32768 : (value > 32767 ? 32767 : value);
}

// Decoders divide with truncation toward zero; the encoder must predict as they do.
int Predict(int sample1, int sample2, int predictor)
{
    return (sample1 * CSimMsAdpcmEncoder::kCoefficients[predictor][0] +
            sample2 * CSimMsAdpcmEncoder::kCoefficients[predictor][1]) / 256;
}

void Put16(uint8_t* at, int value)
{
    at[0] = (uint8_t)(value & 0xFF);
    at[1] = (uint8_t)((value >> 8) & 0xFF);
}
} // namespace

int CSimMsAdpcmEncoder::SamplesPerBlock(int blockAlign, int channels)
{
    return (blockAlign - kHeaderBytesPerChannel * channels) * 2 / channels + 2;
}

CSimMsAdpcmEncoder::CSimMsAdpcmEncoder(int channels, int blockAlign)
    : m_channels(channels), m_blockAlign(blockAlign), m_samplesPerBlock(SamplesPerBlock(blockAlign, channels))
{
}

bool CSimMsAdpcmEncoder::Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& blocks)
{
    m_pending.insert(m_pending.end(), samples, samples + frames * m_channels);
    size_t blockSamples = (size_t)m_samplesPerBlock * m_channels;
    size_t used = 0;
    while (m_pending.size() - used >= blockSamples) {
        size_t at = blocks.size();
        blocks.resize(at + m_blockAlign);
        EncodeBlock(m_pending.data() + used, blocks.data() + at);
        used += blockSamples;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + used);
    return true;
}

void CSimMsAdpcmEncoder::EncodeBlock(const int16_t* frames, uint8_t* block) const
{
    ChannelCode best[2];
    for (int c = 0; c < m_channels; ++c) {
        for (int p = 0; p < kCoefficientCount; ++p) {
            ChannelCode tried = CodeChannel(frames, c, p);
            if (p == 0 || tried.error < best[c].error)
                best[c] = tried;
        }
    }
    // Header: each field for every channel in turn; the older sample comes last.
    uint8_t* at = block;
    for (int c = 0; c < m_channels; ++c)
        *at++ = (uint8_t)best[c].predictor;
    for (int c = 0; c < m_channels; ++c, at += 2)
        Put16(at, best[c].delta);
    for (int c = 0; c < m_channels; ++c, at += 2)
        Put16(at, frames[m_channels + c]);
    for (int c = 0; c < m_channels; ++c, at += 2)
        Put16(at, frames[c]);
    // Codes in sample order, channels interleaved, two to a byte, the first in the high nibble.
    int count = (m_samplesPerBlock - 2) * m_channels;
    for (int i = 0; i < count; i += 2) {
        int first = best[i % m_channels].codes[i / m_channels];
        int second = best[(i + 1) % m_channels].codes[(i + 1) / m_channels];
        *at++ = (uint8_t)(((first & 15) << 4) | (second & 15));
    }
}

CSimMsAdpcmEncoder::ChannelCode CSimMsAdpcmEncoder::CodeChannel(const int16_t* frames, int channel,
                                                               int predictor) const
{
    ChannelCode code;
    code.predictor = predictor;
    code.error = 0;
    int sample2 = frames[channel];
    int sample1 = frames[m_channels + channel];
    // The first step suits the block's average prediction error, so the codes start in range.
    int64_t spread = 0;
    for (int i = 2; i < m_samplesPerBlock; ++i) {
        const int16_t* frame = frames + (size_t)i * m_channels;
        spread += abs(frame[channel] - Predict(frame[-m_channels + channel], frame[-2 * m_channels + channel], predictor));
    }
    int delta = (int)(spread / (m_samplesPerBlock - 2) / 2);
    delta = delta < kMinimumDelta ? kMinimumDelta : (delta > 32767 ? 32767 : delta);
    code.delta = delta;
    code.codes.reserve(m_samplesPerBlock - 2);
    for (int i = 2; i < m_samplesPerBlock; ++i) {
        int sample = frames[(size_t)i * m_channels + channel];
        int predicted = Predict(sample1, sample2, predictor);
        int difference = sample - predicted;
        int rounded = difference >= 0 ? difference + delta / 2 : difference - delta / 2;
        int value = rounded / delta;
        value = value < -8 ? -8 : (value > 7 ? 7 : value);
        int decoded = Clamp16(predicted + value * delta);
        code.codes.push_back(value);
        code.error += (int64_t)(sample - decoded) * (sample - decoded);
        sample2 = sample1;
        sample1 = decoded;
        delta = kAdaptation[value & 15] * delta / 256;
        if (delta < kMinimumDelta)
            delta = kMinimumDelta;
    }
    return code;
}
