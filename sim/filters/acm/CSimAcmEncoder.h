#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

// A codec of the ACM Wrapper stand-in: interleaved 16-bit PCM in, whole frames of a fixed
// number of samples out. Samples that do not yet fill a frame wait for the next call.
class CSimAcmEncoder
{
public:
    virtual ~CSimAcmEncoder() = default;

    // Sample frames (one sample per channel) each coded frame carries.
    virtual int FrameSamples() const = 0;
    // The most bytes one coded frame takes.
    virtual int MaxFrameBytes() const = 0;
    virtual size_t PendingFrames() const = 0;
    // Each complete coded frame is appended to coded; false when the codec fails.
    virtual bool Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& coded) = 0;
};
