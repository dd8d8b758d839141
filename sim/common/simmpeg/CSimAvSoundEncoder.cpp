#include "CSimAvSoundEncoder.h"

#include <string.h>

CSimAvSoundEncoder::CSimAvSoundEncoder(AVCodecID id, int sampleRate, int channels, int bitRate, int blockAlign)
    : m_encoder(id), m_frame(av_frame_alloc()), m_rate(sampleRate), m_channels(channels)
{
    AVCodecContext* c = m_encoder.Context();
    if (c == nullptr || !m_frame || channels < 1)
        return;
    c->sample_rate = sampleRate;
    c->sample_fmt = AV_SAMPLE_FMT_S16;
    av_channel_layout_default(&c->ch_layout, channels);
    c->bit_rate = bitRate;
    c->time_base = AVRational{1, sampleRate};
    if (blockAlign > 0)
        av_opt_set_int(c->priv_data, "block_size", blockAlign, 0);
    if (!m_encoder.Open())
        return;
    m_frameSamples = c->frame_size;
    // A Layer II frame holds 144 x bit rate / rate bytes, one more when padded.
    m_maxFrameBytes = c->block_align > 0 ? c->block_align : (int)(144LL * c->bit_rate / sampleRate + 1);
    m_frame->format = AV_SAMPLE_FMT_S16;
    m_frame->nb_samples = m_frameSamples;
    m_frame->sample_rate = sampleRate;
    m_valid = m_frameSamples > 0 && av_channel_layout_copy(&m_frame->ch_layout, &c->ch_layout) >= 0 &&
              av_frame_get_buffer(m_frame.get(), 0) >= 0;
}

bool CSimAvSoundEncoder::Encode(const int16_t* samples, size_t frames, const CSimAvEncoder::Sink& sink)
{
    if (!m_valid)
        return false;
    m_pending.insert(m_pending.end(), samples, samples + frames * m_channels);
    size_t frameValues = (size_t)m_frameSamples * m_channels;
    while (m_pending.size() >= frameValues) {
        if (av_frame_make_writable(m_frame.get()) < 0)
            return false;
        memcpy(m_frame->data[0], m_pending.data(), frameValues * sizeof(int16_t));
        m_pending.erase(m_pending.begin(), m_pending.begin() + frameValues);
        if (!m_encoder.Encode(m_frame.get(), sink))
            return false;
    }
    return true;
}
