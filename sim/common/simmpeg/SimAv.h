#pragma once

// FFmpeg's libraries for the stand-ins, and owners for the objects they hand out.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

struct SimAvFree
{
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
    void operator()(AVCodecParserContext* p) const { av_parser_close(p); }
    void operator()(AVFrame* p) const { av_frame_free(&p); }
    void operator()(AVPacket* p) const { av_packet_free(&p); }
    void operator()(SwsContext* p) const { sws_freeContext(p); }
    void operator()(SwrContext* p) const { swr_free(&p); }
};

template <class T>
using SimAvPtr = std::unique_ptr<T, SimAvFree>;

// Only FFmpeg's errors reach the stand-ins' standard error, not its advice.
inline void SimAvQuiet()
{
    av_log_set_level(AV_LOG_ERROR);
}
