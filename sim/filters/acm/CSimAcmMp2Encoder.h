#pragma once

#include "CSimAcmEncoder.h"
#include "CSimMp2Encoder.h"

// MPEG-1 Layer II at 224 kbit/s for the stand-in's MP2 codec, through the shared encoder.
class CSimAcmMp2Encoder : public CSimAcmEncoder
{
public:
    enum { kBitRate = 224000 };

    CSimAcmMp2Encoder(int sampleRate, int channels);

    bool Valid() const { return m_encoder.Valid(); }

    int FrameSamples() const override;
    int MaxFrameBytes() const override;
    size_t PendingFrames() const override { return m_pending; }
    void Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& coded) override;

private:
    CSimMp2Encoder m_encoder;
    size_t m_pending = 0;
};
