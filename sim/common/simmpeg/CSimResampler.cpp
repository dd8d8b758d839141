#include "CSimResampler.h"

void CSimResampler::Process(const int16_t* in, size_t frames, int inChannels, std::vector<int16_t>& out)
{
    if (frames == 0)
        return;
    // Frame -1 is the previous block's last, so each block joins the one before.
    auto sample = [&](long frame, int channel) -> double {
        int c = channel < inChannels ? channel : inChannels - 1;
        if (frame < 0)
            return m_haveLast ? m_last[c] : in[c];
        return in[(size_t)frame * inChannels + c];
    };
    auto mixed = [&](long frame, int channel) -> double {
        if (m_channels == 1 && inChannels == 2)
            return (sample(frame, 0) + sample(frame, 1)) / 2;
        return sample(frame, channel);
    };
    double step = (double)m_from / m_to;
    while (m_position < (double)frames - 1) {
        long base = m_position < 0 ? -1 : (long)m_position;
        double t = m_position - base;
        for (int c = 0; c < m_channels; ++c) {
            double v = mixed(base, c) * (1 - t) + mixed(base + 1, c) * t;
            out.push_back((int16_t)(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)));
        }
        m_position += step;
    }
    m_position -= (double)frames;
    for (int c = 0; c < inChannels && c < 2; ++c)
        m_last[c] = in[(frames - 1) * inChannels + c];
    m_haveLast = true;
}
