#include "CSimAvDemuxer.h"

#include <algorithm>

namespace
{
const int kBufferSize = 4096;
// Bytes the demuxer needs before it can read the stream's header.
const size_t kOpenBytes = 64;
}

CSimAvDemuxer::CSimAvDemuxer() : m_packet(av_packet_alloc())
{
    SimAvQuiet();
}

CSimAvDemuxer::~CSimAvDemuxer()
{
    Close();
}

void CSimAvDemuxer::Close()
{
    if (m_format != nullptr)
        avformat_close_input(&m_format);
    if (m_io != nullptr) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}

void CSimAvDemuxer::Reset()
{
    Close();
    m_bytes.clear();
    m_base = m_read = 0;
    m_finished = m_starved = false;
}

void CSimAvDemuxer::Feed(const uint8_t* data, size_t size)
{
    m_bytes.insert(m_bytes.end(), data, data + size);
}

void CSimAvDemuxer::Finish()
{
    m_finished = true;
}

int CSimAvDemuxer::ReadPacket(void* opaque, uint8_t* data, int size)
{
    CSimAvDemuxer* self = static_cast<CSimAvDemuxer*>(opaque);
    int64_t available = self->m_base + (int64_t)self->m_bytes.size() - self->m_read;
    if (available <= 0) {
        self->m_starved = !self->m_finished;
        return AVERROR_EOF;
    }
    int take = (int)std::min<int64_t>(available, size);
    auto from = self->m_bytes.begin() + (self->m_read - self->m_base);
    std::copy(from, from + take, data);
    self->m_read += take;
    return take;
}

// Back to where an unfinished packet began: the bytes from there on are still held.
int64_t CSimAvDemuxer::Seek(void* opaque, int64_t offset, int whence)
{
    CSimAvDemuxer* self = static_cast<CSimAvDemuxer*>(opaque);
    if (whence & AVSEEK_SIZE)
        return -1;
    int64_t target = (whence & ~AVSEEK_FORCE) == SEEK_CUR ? self->m_read + offset : offset;
    if ((whence & ~AVSEEK_FORCE) == SEEK_END || target < self->m_base ||
        target > self->m_base + (int64_t)self->m_bytes.size())
        return -1;
    self->m_read = target;
    return target;
}

bool CSimAvDemuxer::Open()
{
    uint8_t* buffer = static_cast<uint8_t*>(av_malloc(kBufferSize));
    m_io = buffer ? avio_alloc_context(buffer, kBufferSize, 0, this, ReadPacket, nullptr, Seek) : nullptr;
    if (m_io == nullptr) {
        av_free(buffer);
        return false;
    }
    m_format = avformat_alloc_context();
    if (m_format == nullptr)
        return false;
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO | AVFMT_FLAG_NOPARSE | AVFMT_FLAG_NOFILLIN;
    if (avformat_open_input(&m_format, nullptr, av_find_input_format("mpeg"), nullptr) < 0) {
        m_format = nullptr; // freed by the failed open
        return false;
    }
    return true;
}

bool CSimAvDemuxer::NextPacket(SimPsPayload& packet)
{
    if (m_format == nullptr) {
        if (m_bytes.size() < kOpenBytes && !m_finished)
            return false;
        if (!Open()) {
            Close();
            m_bytes.clear();
            return false;
        }
    }
    for (;;) {
        int64_t start = avio_tell(m_io);
        m_starved = false;
        int got = av_read_frame(m_format, m_packet.get());
        if (m_starved) {
            // The packet runs past what has arrived: read it again when more is there.
            if (got >= 0)
                av_packet_unref(m_packet.get());
            avio_seek(m_io, start, SEEK_SET);
            return false;
        }
        if (got < 0)
            return false;
        // Bytes well before the next packet are not needed again (a seek back may land up
        // to one buffer before it).
        int64_t keep = std::min(avio_tell(m_io), m_read) - kBufferSize;
        if (keep > m_base) {
            m_bytes.erase(m_bytes.begin(), m_bytes.begin() + (keep - m_base));
            m_base = keep;
        }
        AVStream* stream = m_format->streams[m_packet->stream_index];
        int id = stream->id;
        packet.streamId = (uint8_t)(id >= 0x100 ? id : 0xBD);
        const AVRational clock = {1, 90000};
        packet.hasPts = m_packet->pts != AV_NOPTS_VALUE;
        packet.pts = packet.hasPts ? av_rescale_q(m_packet->pts, stream->time_base, clock) : 0;
        packet.hasDts = m_packet->dts != AV_NOPTS_VALUE;
        packet.dts = packet.hasDts ? av_rescale_q(m_packet->dts, stream->time_base, clock) : 0;
        packet.position = m_packet->pos;
        packet.payload.assign(m_packet->data, m_packet->data + m_packet->size);
        av_packet_unref(m_packet.get());
        if (!packet.payload.empty())
            return true;
    }
}
