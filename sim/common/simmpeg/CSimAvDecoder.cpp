#include "CSimAvDecoder.h"

CSimAvDecoder::CSimAvDecoder(AVCodecID id)
    : m_id(id), m_codec(avcodec_find_decoder(id)), m_packet(av_packet_alloc()), m_frame(av_frame_alloc())
{
    SimAvQuiet();
    Reset();
}

void CSimAvDecoder::Reset()
{
    m_context.reset();
    m_parser.reset();
    if (m_codec == nullptr)
        return;
    SimAvPtr<AVCodecContext> context(avcodec_alloc_context3(m_codec));
    if (!context || avcodec_open2(context.get(), m_codec, nullptr) < 0)
        return;
    m_parser.reset(av_parser_init(m_id));
    if (m_parser)
        m_context = std::move(context);
}

bool CSimAvDecoder::Feed(const uint8_t* data, size_t size, const Sink& sink)
{
    if (!Valid())
        return true;
    while (size > 0) {
        uint8_t* unit = nullptr;
        int unitSize = 0;
        int used = av_parser_parse2(m_parser.get(), m_context.get(), &unit, &unitSize, data, (int)size,
                                    AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
        if (used < 0)
            return true;
        data += used;
        size -= (size_t)used;
        if (unitSize > 0) {
            m_packet->data = unit;
            m_packet->size = unitSize;
            if (!Decode(m_packet.get(), sink))
                return false;
        }
    }
    return true;
}

bool CSimAvDecoder::Flush(const Sink& sink)
{
    if (!Valid())
        return true;
    uint8_t* unit = nullptr;
    int unitSize = 0;
    av_parser_parse2(m_parser.get(), m_context.get(), &unit, &unitSize, nullptr, 0, AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
    bool ok = true;
    if (unitSize > 0) {
        m_packet->data = unit;
        m_packet->size = unitSize;
        ok = Decode(m_packet.get(), sink);
    }
    ok = ok && Decode(nullptr, sink);
    Reset();
    return ok;
}

bool CSimAvDecoder::Decode(const AVPacket* packet, const Sink& sink)
{
    if (avcodec_send_packet(m_context.get(), packet) < 0) {
        ++m_errors;
        return true;
    }
    for (;;) {
        int got = avcodec_receive_frame(m_context.get(), m_frame.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0) {
            ++m_errors;
            return true;
        }
        bool taken = sink(m_frame.get());
        av_frame_unref(m_frame.get());
        if (!taken)
            return false;
    }
}
