#pragma once

#include "SimAv.h"

#include <stdint.h>

#include <vector>

// Decoded sound in any of FFmpeg's sample formats, rates and channel layouts into
// interleaved 16-bit samples at one rate and channel count, through swresample.
class CSimAvResampler
{
public:
    CSimAvResampler(int rate, int channels) : m_rate(rate), m_channels(channels) {}

    // Appends the frame's samples, converted, to out; false when swresample refuses it.
    bool Convert(const AVFrame* frame, std::vector<int16_t>& out);

private:
    int m_rate;
    int m_channels;
    SimAvPtr<SwrContext> m_context;
    int m_inRate = 0;
    int m_inFormat = -1;
    AVChannelLayout m_inLayout = {};
};
