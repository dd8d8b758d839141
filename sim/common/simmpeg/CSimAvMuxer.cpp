#include "CSimAvMuxer.h"

CSimAvMuxer::CSimAvMuxer(const Settings& settings) : m_settings(settings)
{
    SimAvQuiet();
    if (avformat_alloc_output_context2(&m_format, nullptr, settings.format.c_str(), nullptr) < 0) {
        m_format = nullptr;
        m_failed = true;
        return;
    }
    // The I/O buffer holds one pack, so each pack reaches WritePacket whole.
    int bufferSize = settings.packSize > 0 ? settings.packSize : 4096;
    uint8_t* buffer = static_cast<uint8_t*>(av_malloc(bufferSize));
    m_io = buffer ? avio_alloc_context(buffer, bufferSize, 1, this, nullptr, WritePacket, nullptr) : nullptr;
    if (m_io == nullptr) {
        av_free(buffer);
        m_failed = true;
        return;
    }
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (settings.packSize > 0)
        m_format->packet_size = (unsigned)settings.packSize;
    if (settings.muxRate > 0)
        av_opt_set_int(m_format->priv_data, "muxrate", settings.muxRate, 0);
}

CSimAvMuxer::~CSimAvMuxer()
{
    if (m_io != nullptr) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    avformat_free_context(m_format);
}

int CSimAvMuxer::WritePacket(void* opaque, uint8_t* data, int size)
{
    CSimAvMuxer* self = static_cast<CSimAvMuxer*>(opaque);
    SimPack pack;
    pack.bytes.assign(data, data + size);
    self->m_written.push_back(std::move(pack));
    return size;
}

int CSimAvMuxer::AddStream(const AVCodecContext* encoder)
{
    AVCodecParameters* parameters = avcodec_parameters_alloc();
    if (parameters == nullptr || avcodec_parameters_from_context(parameters, encoder) < 0) {
        avcodec_parameters_free(&parameters);
        return -1;
    }
    int index = AddStream(parameters, encoder->time_base);
    avcodec_parameters_free(&parameters);
    return index;
}

int CSimAvMuxer::AddStream(const AVCodecParameters* parameters, AVRational timeBase)
{
    if (m_failed || m_started)
        return -1;
    AVStream* stream = avformat_new_stream(m_format, nullptr);
    if (stream == nullptr || avcodec_parameters_copy(stream->codecpar, parameters) < 0)
        return -1;
    stream->time_base = timeBase;
    m_timeBases.push_back(timeBase);
    return stream->index;
}

bool CSimAvMuxer::Start()
{
    if (m_failed || m_started || m_format->nb_streams == 0)
        return false;
    m_failed = avformat_write_header(m_format, nullptr) < 0;
    m_started = !m_failed;
    return m_started;
}

bool CSimAvMuxer::Write(int stream, AVPacket* packet)
{
    if (!m_started || m_failed || stream < 0 || stream >= (int)m_timeBases.size())
        return false;
    packet->stream_index = stream;
    av_packet_rescale_ts(packet, m_timeBases[stream], m_format->streams[stream]->time_base);
    if (av_interleaved_write_frame(m_format, packet) < 0)
        m_failed = true;
    return !m_failed;
}

void CSimAvMuxer::Drain(std::vector<SimPack>& packs)
{
    for (SimPack& p : m_written)
        packs.push_back(std::move(p));
    m_written.clear();
}

// FFmpeg's MPEG muxers leave the end code out on purpose (streams then concatenate), so it is
// added here.
bool CSimAvMuxer::Finish(std::vector<SimPack>& packs, bool endCode)
{
    if (m_started && !m_failed) {
        m_failed = av_write_trailer(m_format) < 0;
        avio_flush(m_io);
        m_started = false;
        if (!m_failed && endCode) {
            SimPack end;
            end.bytes = {0x00, 0x00, 0x01, 0xB9};
            m_written.push_back(std::move(end));
        }
    }
    Drain(packs);
    return !m_failed;
}
