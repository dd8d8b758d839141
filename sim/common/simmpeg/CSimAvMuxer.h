#pragma once

#include "SimAv.h"

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// One unit of a multiplexed stream as the muxer writes it: for the MPEG muxers one pack.
struct SimPack
{
    std::vector<uint8_t> bytes;
};

// One of FFmpeg's muxers writing into memory: streams are added from their encoders'
// settings, packets go in with the encoder's time base, and what the muxer has written
// comes out as packs of its pack size.
class CSimAvMuxer
{
public:
    struct Settings
    {
        std::string format;  // FFmpeg's muxer name
        int packSize = 2048; // 0: the muxer's own
        int muxRate = 0;     // bit/s, 0: from the streams
    };

    explicit CSimAvMuxer(const Settings& settings);
    ~CSimAvMuxer();
    CSimAvMuxer(const CSimAvMuxer&) = delete;
    CSimAvMuxer& operator=(const CSimAvMuxer&) = delete;

    // The stream's index, or -1 when the muxer refuses it.
    int AddStream(const AVCodecContext* encoder);
    int AddStream(const AVCodecParameters* parameters, AVRational timeBase);
    // After the last AddStream: false when the muxer refuses the streams.
    bool Start();
    // One packet in the time base it was added with; false on a refused packet.
    bool Write(int stream, AVPacket* packet);
    // What the muxer has written since the last call.
    void Drain(std::vector<SimPack>& packs);
    // Everything held, then, when asked, the stream's end code as a unit of its own; false
    // when the muxer failed.
    bool Finish(std::vector<SimPack>& packs, bool endCode);

private:
    static int WritePacket(void* opaque, uint8_t* data, int size);

    Settings m_settings;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
    std::vector<AVRational> m_timeBases;
    std::vector<SimPack> m_written;
    bool m_started = false;
    bool m_failed = false;
};
