#pragma once

#include "SimAv.h"

#include <stddef.h>
#include <stdint.h>

#include <functional>

// One of FFmpeg's decoders behind its parser: an elementary stream in pieces of any size
// in, decoded frames out to the sink in presentation order.
class CSimAvDecoder
{
public:
    typedef std::function<bool(AVFrame* frame)> Sink;

    explicit CSimAvDecoder(AVCodecID id);

    // False when this build of FFmpeg has no such decoder.
    bool Valid() const { return m_context && m_parser; }
    // False when the sink fails; damaged data is skipped.
    bool Feed(const uint8_t* data, size_t size, const Sink& sink);
    // What the parser and decoder hold at the end of the stream; then ready for a new one.
    bool Flush(const Sink& sink);
    // Forgets everything held, as after a jump in the stream.
    void Reset();
    // Pictures or frames the decoder refused.
    long Errors() const { return m_errors; }

private:
    bool Decode(const AVPacket* packet, const Sink& sink);

    AVCodecID m_id;
    const AVCodec* m_codec;
    SimAvPtr<AVCodecContext> m_context;
    SimAvPtr<AVCodecParserContext> m_parser;
    SimAvPtr<AVPacket> m_packet;
    SimAvPtr<AVFrame> m_frame;
    long m_errors = 0;
};
