#pragma once

#include "SimAv.h"

#include <functional>

// One of FFmpeg's encoders: its context is set up through Context() before Open, then
// frames go in and coded packets come out to the sink in the encoder's time base.
class CSimAvEncoder
{
public:
    typedef std::function<bool(AVPacket* packet)> Sink;

    explicit CSimAvEncoder(AVCodecID id);

    // Null when this build of FFmpeg has no such encoder.
    AVCodecContext* Context() { return m_context.get(); }
    const AVCodec* Codec() const { return m_codec; }
    // False when the encoder refuses the settings.
    bool Open();
    // One frame, or null to drain what the encoder still holds. False when the encoder or
    // the sink fails.
    bool Encode(const AVFrame* frame, const Sink& sink);

private:
    const AVCodec* m_codec;
    SimAvPtr<AVCodecContext> m_context;
    SimAvPtr<AVPacket> m_packet;
};
