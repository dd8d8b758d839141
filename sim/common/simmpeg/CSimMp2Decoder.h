#pragma once

#include "CSimMp2Tables.h"

#include <stddef.h>
#include <stdint.h>

#include <vector>

// Decodes MPEG-1 Layer II frames (stereo, dual channel or mono) to 16-bit PCM. A frame
// that cannot be read (joint stereo, a bad header or allocation) decodes to silence of
// the frame's length, so the sound keeps its time.
class CSimMp2Decoder
{
public:
    // Takes stream bytes in pieces of any size.
    void Feed(const uint8_t* data, size_t size);
    // The next frame's interleaved samples with its rate and channel count.
    bool NextFrame(std::vector<int16_t>& samples, int& sampleRate, int& channels);
    void Reset();
    long BadFrames() const { return m_badFrames; }

private:
    bool DecodeFrame(const uint8_t* frame, size_t size, int channels, const SimMp2AllocTable& table,
                     std::vector<int16_t>& samples);
    void Synthesise(int channel, const float subbands[32], float output[32]);

    std::vector<uint8_t> m_buffer;
    float m_v[2][1024] = {};
    long m_badFrames = 0;
};
