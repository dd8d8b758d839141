#include "CSimAvEncoder.h"

CSimAvEncoder::CSimAvEncoder(AVCodecID id) : m_codec(avcodec_find_encoder(id)), m_packet(av_packet_alloc())
{
    SimAvQuiet();
    if (m_codec != nullptr)
        m_context.reset(avcodec_alloc_context3(m_codec));
}

bool CSimAvEncoder::Open()
{
    return m_context && m_packet && avcodec_open2(m_context.get(), m_codec, nullptr) >= 0;
}

bool CSimAvEncoder::Encode(const AVFrame* frame, const Sink& sink)
{
    if (!m_context || !avcodec_is_open(m_context.get()))
        return false;
    int sent = avcodec_send_frame(m_context.get(), frame);
    if (sent < 0 && sent != AVERROR_EOF)
        return false;
    for (;;) {
        int got = avcodec_receive_packet(m_context.get(), m_packet.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0)
            return false;
        bool taken = sink(m_packet.get());
        av_packet_unref(m_packet.get());
        if (!taken)
            return false;
    }
}
