#pragma once

#include "SimAv.h"

#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <vector>

struct SimPsPayload
{
    uint8_t streamId = 0;   // 0xE0-0xEF video, 0xC0-0xDF audio, 0xBD private stream 1
    bool hasPts = false;
    int64_t pts = 0;        // 90 kHz
    bool hasDts = false;
    int64_t dts = 0;        // 90 kHz; the PTS where the packet carries no DTS of its own
    int64_t position = 0;   // of the packet's start code in the stream
    std::vector<uint8_t> payload;
};

// FFmpeg's program-stream demuxer over bytes as they arrive: PES payloads with their time
// stamps, in stream order, each given out only once it has arrived whole.
class CSimAvDemuxer
{
public:
    CSimAvDemuxer();
    ~CSimAvDemuxer();
    CSimAvDemuxer(const CSimAvDemuxer&) = delete;
    CSimAvDemuxer& operator=(const CSimAvDemuxer&) = delete;

    void Feed(const uint8_t* data, size_t size);
    // After the last byte: what is left is read too.
    void Finish();
    bool NextPacket(SimPsPayload& packet);
    // Forgets the stream, as after a jump.
    void Reset();

private:
    bool Open();
    void Close();
    static int ReadPacket(void* opaque, uint8_t* data, int size);
    static int64_t Seek(void* opaque, int64_t offset, int whence);

    std::deque<uint8_t> m_bytes; // from stream offset m_base on
    int64_t m_base = 0;
    int64_t m_read = 0;          // the next offset ReadPacket gives out
    bool m_finished = false;
    bool m_starved = false;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
    SimAvPtr<AVPacket> m_packet;
};
