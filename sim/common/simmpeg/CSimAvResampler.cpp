#include "CSimAvResampler.h"

bool CSimAvResampler::Convert(const AVFrame* frame, std::vector<int16_t>& out)
{
    if (!m_context || frame->sample_rate != m_inRate || frame->format != m_inFormat ||
        av_channel_layout_compare(&frame->ch_layout, &m_inLayout) != 0) {
        AVChannelLayout outLayout;
        av_channel_layout_default(&outLayout, m_channels);
        SwrContext* context = nullptr;
        if (swr_alloc_set_opts2(&context, &outLayout, AV_SAMPLE_FMT_S16, m_rate, const_cast<AVChannelLayout*>(&frame->ch_layout),
                                (AVSampleFormat)frame->format, frame->sample_rate, 0, nullptr) < 0 ||
            swr_init(context) < 0) {
            swr_free(&context);
            m_context.reset();
            return false;
        }
        m_context.reset(context);
        m_inRate = frame->sample_rate;
        m_inFormat = frame->format;
        av_channel_layout_uninit(&m_inLayout);
        av_channel_layout_copy(&m_inLayout, &frame->ch_layout);
    }
    int room = swr_get_out_samples(m_context.get(), frame->nb_samples);
    if (room < 0)
        return false;
    size_t at = out.size();
    out.resize(at + (size_t)room * m_channels);
    uint8_t* target = reinterpret_cast<uint8_t*>(out.data() + at);
    int made = swr_convert(m_context.get(), &target, room, const_cast<const uint8_t**>(frame->extended_data),
                           frame->nb_samples);
    out.resize(at + (size_t)(made > 0 ? made : 0) * m_channels);
    return made >= 0;
}
