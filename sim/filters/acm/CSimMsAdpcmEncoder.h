#pragma once

#include "CSimAcmEncoder.h"

// Microsoft ADPCM (format tag 2) in blocks of nBlockAlign bytes, each opening with a header
// per channel (predictor index, step, the two newest samples) followed by 4-bit codes, high
// nibble first (stereo: the high nibble is the left channel). Each block and channel takes
// whichever of the seven standard predictors reconstructs its samples best, as the system's
// own encoder does. FFmpeg's encoder is not used: it codes every block with the first
// predictor and carries its step over from the block before, which loses a loud or
// high-pitched signal (a full-scale square comes back at 7 dB), and its trellis search
// writes broken blocks for this format.
class CSimMsAdpcmEncoder : public CSimAcmEncoder
{
public:
    enum { kCoefficientCount = 7 };
    // The standard predictor coefficient pairs, in the order the format lists them.
    static const int16_t kCoefficients[kCoefficientCount][2];

    // The decoded samples one block of blockAlign bytes carries per channel.
    static int SamplesPerBlock(int blockAlign, int channels);

    CSimMsAdpcmEncoder(int channels, int blockAlign);

    int FrameSamples() const override { return m_samplesPerBlock; }
    int MaxFrameBytes() const override { return m_blockAlign; }
    size_t PendingFrames() const override { return m_pending.size() / m_channels; }
    bool Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& blocks) override;

private:
    struct ChannelCode
    {
        int predictor;
        int delta;
        std::vector<int> codes; // one signed code per sample after the first two
        int64_t error;
    };

    void EncodeBlock(const int16_t* frames, uint8_t* block) const;
    ChannelCode CodeChannel(const int16_t* frames, int channel, int predictor) const;

    int m_channels;
    int m_blockAlign;
    int m_samplesPerBlock;
    std::vector<int16_t> m_pending;
};
