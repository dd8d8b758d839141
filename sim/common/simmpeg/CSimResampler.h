#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

// Linear resampling of interleaved 16-bit sound, carrying its position across blocks, and
// mapping the channel count (one channel doubles, two mix down).
class CSimResampler
{
public:
    CSimResampler(int fromRate, int toRate, int toChannels) : m_from(fromRate), m_to(toRate), m_channels(toChannels) {}

    void Process(const int16_t* in, size_t frames, int inChannels, std::vector<int16_t>& out);

private:
    int m_from;
    int m_to;
    int m_channels;
    double m_position = 0; // in input frames, relative to the block's first frame
    int16_t m_last[2] = {};
    bool m_haveLast = false;
};
