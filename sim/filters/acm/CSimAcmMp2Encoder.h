#pragma once

#include "CSimAcmEncoder.h"
#include "CSimAvSoundEncoder.h"

// Layer II at the MP2 codec's bit rate, through FFmpeg's encoder.
class CSimAcmMp2Encoder : public CSimAcmEncoder
{
public:
    CSimAcmMp2Encoder(int sampleRate, int channels);

    // False when FFmpeg refuses the rate or channels.
    bool Valid() const { return m_encoder.Valid(); }

    int FrameSamples() const override { return m_encoder.FrameSamples(); }
    int MaxFrameBytes() const override { return m_encoder.MaxFrameBytes(); }
    size_t PendingFrames() const override { return m_encoder.PendingFrames(); }
    bool Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& coded) override;

private:
    CSimAvSoundEncoder m_encoder;
};
