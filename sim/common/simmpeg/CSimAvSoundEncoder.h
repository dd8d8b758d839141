#pragma once

#include "CSimAvEncoder.h"

#include <stddef.h>
#include <stdint.h>

#include <vector>

// Interleaved 16-bit PCM into one of FFmpeg's sound encoders, whole frames of a fixed number
// of samples out: Layer II at the bit rate given, or Microsoft ADPCM in blocks of blockAlign
// bytes. Samples that do not yet fill a frame wait for the next call.
class CSimAvSoundEncoder
{
public:
    CSimAvSoundEncoder(AVCodecID id, int sampleRate, int channels, int bitRate, int blockAlign);

    // False when the encoder refuses the format.
    bool Valid() const { return m_valid; }

    int SampleRate() const { return m_rate; }
    int Channels() const { return m_channels; }
    // Sample frames (one sample per channel) each coded frame carries.
    int FrameSamples() const { return m_frameSamples; }
    // The most bytes one coded frame takes.
    int MaxFrameBytes() const { return m_maxFrameBytes; }
    size_t PendingFrames() const { return m_pending.size() / m_channels; }
    // Each complete coded frame goes to the sink; false when the encoder or sink fails.
    bool Encode(const int16_t* samples, size_t frames, const CSimAvEncoder::Sink& sink);

private:
    CSimAvEncoder m_encoder;
    SimAvPtr<AVFrame> m_frame;
    bool m_valid = false;
    int m_rate;
    int m_channels;
    int m_frameSamples = 0;
    int m_maxFrameBytes = 0;
    std::vector<int16_t> m_pending;
};
