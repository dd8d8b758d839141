#include "MuxEngine.h"

extern "C" {
#include <libavutil/bswap.h>
#include <libavutil/crc.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/opt.h>
}

#include <string.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace
{

enum
{
    kReadPiece = 4096,
    kTicksPer90kHz = 300,
    kTsPacket = 188,
    kLastPid = 0x1FFE
};

// The time of a unit that is no frame: a stream header.
const uint64_t kNoTime = ~static_cast<uint64_t>(0);
// No I picture has begun yet.
const uint64_t kNoPosition = ~static_cast<uint64_t>(0);

// The reading faces carry no engine of their own, so the handler finds its stream here.
std::mutex g_streamsLock;
std::map<MuxBufStream*, MuxEngine::Stream*> g_streams;

const char* MuxerName(const MuxSettings& settings)
{
    if (settings.outputKind == MUX_OUTPUT_MPEG2_TRANSPORT)
        return "mpegts";
    switch (settings.muxType) {
    case MUX_PRESET_MPEG1:
        return "mpeg";
    case MUX_PRESET_VCD:
        return "vcd";
    case MUX_PRESET_SVCD:
        return "svcd";
    case MUX_PRESET_DVD_MPEG2:
    case MUX_PRESET_DVD_MPEG1:
        return (settings.flags & MUX_FLAG_NAV_PACKS) ? "dvd" : "vob";
    default:
        return settings.outputKind == MUX_OUTPUT_MPEG1_SYSTEM ? "mpeg" : "vob";
    }
}

AVCodecID CodecOf(const MuxStreamSettings& settings, bool mpeg1)
{
    switch (settings.codec) {
    case MUX_CODEC_MPEG_VIDEO:
        return mpeg1 ? AV_CODEC_ID_MPEG1VIDEO : AV_CODEC_ID_MPEG2VIDEO;
    case MUX_CODEC_H264:
        return AV_CODEC_ID_H264;
    case MUX_CODEC_MPEG_AUDIO:
        return AV_CODEC_ID_MP2;
    case MUX_CODEC_AC3:
        return AV_CODEC_ID_AC3;
    case MUX_CODEC_LPCM:
        return AV_CODEC_ID_PCM_DVD;
    case MUX_CODEC_AAC:
        return AV_CODEC_ID_AAC;
    }
    if (settings.streamKind == MUX_STREAM_VIDEO)
        return mpeg1 ? AV_CODEC_ID_MPEG1VIDEO : AV_CODEC_ID_MPEG2VIDEO;
    return AV_CODEC_ID_MP2;
}

const int kAacRates[13] = {96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000, 7350};

// The sampling rate of an MPEG audio frame's header, or 0.
int MpegAudioRate(const uint8_t* header)
{
    static const int kRates[3] = {44100, 48000, 32000};
    int version = (header[1] >> 3) & 3;
    int index = (header[2] >> 2) & 3;
    if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0 || version == 1 || index == 3)
        return 0;
    return kRates[index] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
}

// MPEG video whose first sequence header has no sequence extension before its first picture.
bool IsMpeg1Video(const uint8_t* data, int size, bool* known)
{
    bool sequence = false;
    for (int at = 0; at + 4 < size; ++at) {
        if (data[at] != 0 || data[at + 1] != 0 || data[at + 2] != 1)
            continue;
        int code = data[at + 3];
        if (code == 0xB3) {
            sequence = true;
        } else if (sequence && code == 0xB5 && (data[at + 4] >> 4) == 1) {
            *known = true;
            return false;
        } else if (sequence && code == 0x00) {
            *known = true;
            return true;
        }
    }
    return false;
}

} // namespace

MuxEngine::MuxEngine(MuxMallocService allocate, MuxFreeService release, const MuxSettings& settings)
    : allocate(allocate), release(release), m_settings(settings)
{
    av_log_set_level(AV_LOG_QUIET);
}

MuxEngine::~MuxEngine()
{
    EndMuxer(false);
    Forget();
}

int MuxEngine::Init(MuxBufStream* writer)
{
    EndMuxer(false);
    Forget();
    m_writer = writer;
    m_failed = false;
    m_stopped = false;
    m_splitPending = false;
    return 0;
}

int MuxEngine::AddStream(const MuxStreamSettings& settings, MuxBufStream* reader)
{
    if (!m_writer || m_started)
        return -1;
    // A transport stream has no standard place for LPCM; the caller's opening fails instead.
    if (Transport() && settings.codec == MUX_CODEC_LPCM) {
        Report("a transport stream cannot carry LPCM");
        return 1;
    }
    std::unique_ptr<Stream> stream(new Stream());
    stream->engine = this;
    stream->reader = reader;
    stream->settings = settings;
    {
        std::lock_guard<std::mutex> guard(g_streamsLock);
        g_streams[reader] = stream.get();
    }
    reader->auxInfo = StreamAux;
    m_streams.push_back(std::move(stream));
    return 0;
}

int MuxEngine::StreamAux(MuxBufStream* reader, int, uint32_t command, void* data, int length)
{
    Stream* stream;
    {
        std::lock_guard<std::mutex> guard(g_streamsLock);
        auto found = g_streams.find(reader);
        if (found == g_streams.end())
            return 0;
        stream = found->second;
    }
    switch (command) {
    case MUX_AUX_VIDEO_UNIT:
        if (data && length >= static_cast<int>(sizeof(MuxVideoUnit))) {
            const auto* unit = static_cast<const MuxVideoUnit*>(data);
            stream->Learn(unit->codec);
            stream->units.push_back({unit->size, static_cast<int64_t>(unit->decodeTime / kTicksPer90kHz),
                                     static_cast<int64_t>(unit->presentTime / kTicksPer90kHz), unit->codingType == 1,
                                     unit->codingType, false});
        }
        break;
    case MUX_AUX_AUDIO_UNIT:
        if (data && length >= static_cast<int>(sizeof(MuxAudioUnit))) {
            const auto* unit = static_cast<const MuxAudioUnit*>(data);
            stream->Learn(unit->codec);
            int64_t time = static_cast<int64_t>(unit->time / kTicksPer90kHz);
            stream->units.push_back({unit->size, time, time, true, 0, unit->time == kNoTime});
        }
        break;
    case MUX_AUX_AUDIO_CONFIG:
        // The format's configuration bytes, in the order they were stored.
        if (data && length >= static_cast<int>(sizeof(MuxAudioConfig))) {
            uint32_t word = static_cast<const MuxAudioConfig*>(data)->configWord;
            stream->audioConfig[0] = static_cast<uint8_t>(word);
            stream->audioConfig[1] = static_cast<uint8_t>(word >> 8);
            stream->configKnown = word != 0;
        }
        return 0;
    case MUX_AUX_SPLIT:
        stream->engine->m_splitPending = true;
        return 0;
    case MUX_AUX_END_OF_STREAM:
        stream->ended = true;
        break;
    default:
        return 0;
    }
    stream->engine->Pump(*stream);
    return 0;
}

bool MuxEngine::Start()
{
    if (m_started)
        return true;
    if (m_failed || !m_writer || m_streams.empty())
        return false;
    m_failed = true;
    if (avformat_alloc_output_context2(&m_format, nullptr, MuxerName(m_settings), nullptr) < 0 || !m_format) {
        Report("no muxer %s", MuxerName(m_settings));
        return false;
    }
    int packSize = Transport() ? kTsPacket : m_settings.packSize > 0 ? static_cast<int>(m_settings.packSize) : 2048;
    // The I/O buffer holds one pack, so each pack reaches the writer whole.
    auto* buffer = static_cast<uint8_t*>(av_malloc(packSize));
    m_io = buffer ? avio_alloc_context(buffer, packSize, 1, this, nullptr, WritePacket, nullptr) : nullptr;
    if (!m_io) {
        av_free(buffer);
        return false;
    }
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->packet_size = static_cast<unsigned>(packSize);
    if (m_settings.muxRate > 0)
        av_opt_set_int(m_format->priv_data, "muxrate", m_settings.muxRate, 0);
    bool mpeg1 = m_settings.outputKind == MUX_OUTPUT_MPEG1_SYSTEM;
    for (auto& stream : m_streams) {
        AVStream* st = avformat_new_stream(m_format, nullptr);
        if (!st)
            return false;
        const MuxStreamSettings& settings = stream->settings;
        bool video = settings.streamKind == MUX_STREAM_VIDEO;
        st->codecpar->codec_type = video ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO;
        st->codecpar->codec_id = CodecOf(settings, mpeg1);
        if (video) {
            // FFmpeg asks every video stream for a size; the program-stream muxers never use it,
            // and the real one travels in the stream's own sequence header.
            st->codecpar->width = 720;
            st->codecpar->height = 576;
        } else {
            int rate = settings.sampleRate ? static_cast<int>(settings.sampleRate) : 48000;
            int channels = settings.channels ? settings.channels : 2;
            if (st->codecpar->codec_id == AV_CODEC_ID_AAC && stream->configKnown) {
                // The configuration's rate index and channel configuration.
                int index = ((stream->audioConfig[0] & 7) << 1) | (stream->audioConfig[1] >> 7);
                int config = (stream->audioConfig[1] >> 3) & 0x0F;
                if (index < 13)
                    rate = kAacRates[index];
                if (config >= 1 && config <= 6)
                    channels = config;
                st->codecpar->extradata = static_cast<uint8_t*>(av_mallocz(2 + AV_INPUT_BUFFER_PADDING_SIZE));
                if (st->codecpar->extradata) {
                    memcpy(st->codecpar->extradata, stream->audioConfig, 2);
                    st->codecpar->extradata_size = 2;
                }
            }
            st->codecpar->sample_rate = rate;
            av_channel_layout_default(&st->codecpar->ch_layout, channels);
            if (st->codecpar->codec_id == AV_CODEC_ID_PCM_DVD)
                st->codecpar->bits_per_coded_sample = 16;
        }
        uint32_t bufferSize = video ? m_settings.videoBufferSize : m_settings.audioBufferSize;
        if (video && bufferSize > 0) {
            size_t propsSize = 0;
            AVCPBProperties* props = av_cpb_properties_alloc(&propsSize);
            if (props) {
                props->buffer_size = static_cast<int64_t>(bufferSize) * 8;
                if (av_stream_add_side_data(st, AV_PKT_DATA_CPB_PROPERTIES, reinterpret_cast<uint8_t*>(props),
                                            propsSize) < 0)
                    av_free(props);
            }
        }
        st->time_base = {1, 90000};
        stream->index = st->index;
    }
    if (Transport()) {
        AssignPids();
        SetTransportOptions();
    } else {
        AssignStreamIds();
    }
    m_segmentBytes = 0;
    int header = avformat_write_header(m_format, nullptr);
    if (header < 0) {
        Report("the muxer refused its streams (%d)", header);
        return false;
    }
    m_failed = false;
    m_started = true;
    return true;
}

void MuxEngine::Stream::Learn(uint32_t codec)
{
    if (!settings.codec && codec)
        settings.codec = codec;
}

// The muxer starts once every stream has said what it carries, or ended, so that its header
// names them all. A stream whose ring passes three quarters full does not wait for that:
// the others then start with the usual coding of their kind.
bool MuxEngine::ReadyToStart(const Stream& stream) const
{
    bool all = true;
    for (const auto& each : m_streams)
        all = all && (each->settings.codec || each->ended);
    if (all)
        return true;
    int used = stream.reader->freeSpace(stream.reader);
    return static_cast<int64_t>(used) * 4 > static_cast<int64_t>(stream.settings.bufferSize) * 3;
}

// Every unit whose bytes are all in the ring goes to the muxer at once; the muxer interleaves,
// so a full stream never waits for one that lags.
void MuxEngine::Pump(Stream& stream)
{
    if (stream.units.empty())
        return;
    if (!m_started && !m_failed && !m_stopped) {
        if (!ReadyToStart(stream))
            return;
        if (Start()) {
            for (auto& other : m_streams) {
                if (other.get() != &stream)
                    Pump(*other);
            }
        }
    }
    while (!stream.units.empty()) {
        const Unit unit = stream.units.front();
        if (stream.reader->freeSpace(stream.reader) < static_cast<int>(unit.size))
            return;
        stream.units.pop_front();
        if (unit.header || !WriteUnit(stream, unit)) {
            // The unit's bytes still leave the ring, so the caller never waits on a dead output;
            // a stream header's leave it here too.
            int left = static_cast<int>(unit.size);
            while (left > 0) {
                int piece = left < kReadPiece ? left : kReadPiece;
                if (!stream.reader->request(stream.reader, piece))
                    return;
                stream.reader->confirm(stream.reader, piece);
                left -= piece;
            }
        }
    }
}

bool MuxEngine::WriteUnit(Stream& stream, const Unit& unit)
{
    bool video = stream.settings.streamKind == MUX_STREAM_VIDEO;
    uint64_t segmentLimit = static_cast<uint64_t>(m_settings.segmentSizeMb) << 20;
    if (video && unit.codingType == 1 && (m_splitPending || (segmentLimit && m_segmentBytes >= segmentLimit))) {
        m_splitPending = false;
        if (!CutSegment())
            return false;
    }
    if (m_stopped || !Start())
        return false;
    stream.pending.push_back({unit.presentTime, unit.size, unit.codingType});
    AVPacket* packet = av_packet_alloc();
    if (!packet || av_new_packet(packet, static_cast<int>(unit.size)) < 0) {
        av_packet_free(&packet);
        return false;
    }
    int done = 0;
    while (done < static_cast<int>(unit.size)) {
        int piece = static_cast<int>(unit.size) - done;
        if (piece > kReadPiece)
            piece = kReadPiece;
        uint8_t* bytes = stream.reader->request(stream.reader, piece);
        if (!bytes) {
            av_packet_free(&packet);
            return false;
        }
        memcpy(packet->data + done, bytes, piece);
        stream.reader->confirm(stream.reader, piece);
        done += piece;
    }
    if (video && !stream.formKnown && stream.settings.codec != MUX_CODEC_H264)
        stream.mpeg1 = IsMpeg1Video(packet->data, packet->size, &stream.formKnown);
    // MPEG audio's rate chooses its transport stream type (0x04 below 32 kHz) in the program
    // map, which the muxer writes only once it holds a unit of every stream.
    AVCodecParameters* codec = m_format->streams[stream.index]->codecpar;
    if (!video && !stream.formKnown && codec->codec_id == AV_CODEC_ID_MP2 && packet->size >= 4) {
        stream.formKnown = true;
        if (MpegAudioRate(packet->data))
            codec->sample_rate = MpegAudioRate(packet->data);
    }
    packet->stream_index = stream.index;
    packet->dts = unit.decodeTime;
    packet->pts = unit.presentTime;
    if (unit.key)
        packet->flags |= AV_PKT_FLAG_KEY;
    av_packet_rescale_ts(packet, {1, 90000}, m_format->streams[stream.index]->time_base);
    int result = av_interleaved_write_frame(m_format, packet);
    av_packet_free(&packet);
    bool written = result >= 0;
    if (!written) {
        Report("the muxer refused a unit of stream %d (%d)", stream.index, result);
        m_failed = true;
    }
    return written;
}

template <class... Args>
void MuxEngine::Report(const char* format, Args... args)
{
    if (printError)
        printError(format, args...);
}

int MuxEngine::WritePacket(void* opaque, uint8_t* data, int size)
{
    auto* engine = static_cast<MuxEngine*>(opaque);
    MuxBufStream* writer = engine->m_writer;
    if (!writer)
        return AVERROR(EIO);
    uint64_t position = 0;
    writer->auxInfo(writer, 0, MUX_AUX_BYTES_ACCEPTED, &position, sizeof(position));
    if (engine->Transport()) {
        for (int at = 0; at + kTsPacket <= size; at += kTsPacket) {
            engine->PatchProgramMap(data + at);
            engine->IndexTransportPacket(data + at, position + static_cast<uint64_t>(at));
        }
    } else {
        engine->IndexPack(data, size, position);
        engine->RenumberPack(data, size);
    }
    if (writer->copy(writer, data, size) != size)
        return AVERROR(EIO);
    engine->m_segmentBytes += static_cast<uint64_t>(size);
    return size;
}

void MuxEngine::EndMuxer(bool flush)
{
    if (m_format && m_started && flush) {
        int trailer = av_write_trailer(m_format);
        if (trailer < 0) {
            Report("the muxer could not end (%d)", trailer);
            m_failed = true;
        }
        avio_flush(m_io);
    }
    m_started = false;
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    avformat_free_context(m_format);
    m_format = nullptr;
}

// FFmpeg leaves the end code out (its streams concatenate); the settings ask for it here.
void MuxEngine::EndSegment(bool flush)
{
    bool started = m_started;
    EndMuxer(flush);
    if (flush && started && !m_failed && (m_settings.flags & MUX_FLAG_END_CODE) && m_writer) {
        uint8_t endCode[4] = {0x00, 0x00, 0x01, 0xB9};
        if (m_writer->copy(m_writer, endCode, 4) != 4)
            m_failed = true;
    }
    for (auto& stream : m_streams) {
        // What the muxer wrote last began in the last packet that carried a time.
        if (flush && started && !m_failed && stream->offsetKnown) {
            for (const PendingIndex& unit : stream->pending)
                IndexUnit(*stream, unit, stream->lastStart);
        }
        stream->pending.clear();
        stream->offsetKnown = false;
        stream->keyPosition = kNoPosition;
    }
}

// One muxer ends and the next begins, so each file opens with its own pack and system
// header. Without a next file the engine stops writing, cleanly, and the run goes on.
bool MuxEngine::CutSegment()
{
    if (!m_started)
        return true;
    EndSegment(true);
    if (m_failed || m_writer->auxInfo(m_writer, 0, MUX_AUX_SPLIT, nullptr, 0) != 0) {
        m_stopped = true;
        return false;
    }
    return true;
}

// The ids FFmpeg's program-stream muxers give, in stream order: MPEG video from 0xE0, MPEG
// audio from 0xC0, AC-3 from 0x80 and LPCM from 0xA0 in private stream 1.
void MuxEngine::AssignStreamIds()
{
    int video = 0xE0, audio = 0xC0, ac3 = 0x80, lpcm = 0xA0;
    for (auto& stream : m_streams) {
        switch (m_format->streams[stream->index]->codecpar->codec_id) {
        case AV_CODEC_ID_AC3:
            stream->streamId = ac3++;
            break;
        case AV_CODEC_ID_PCM_DVD:
            stream->streamId = lpcm++;
            break;
        case AV_CODEC_ID_MP2:
        case AV_CODEC_ID_MP3:
        case AV_CODEC_ID_AAC:
            stream->streamId = audio++;
            break;
        default:
            stream->streamId = video++;
            break;
        }
    }
}

bool MuxEngine::Transport() const
{
    return m_settings.outputKind == MUX_OUTPUT_MPEG2_TRANSPORT;
}

// Each stream takes the next free PID of its kind from the block's first video or audio PID;
// the program map's PID stays its own.
void MuxEngine::AssignPids()
{
    int next[2] = {m_settings.videoPid ? static_cast<int>(m_settings.videoPid) : 0x100,
                   m_settings.audioPid ? static_cast<int>(m_settings.audioPid) : 0x101};
    std::vector<int> used = {static_cast<int>(m_settings.pmtPid)};
    for (auto& stream : m_streams) {
        int& pid = next[stream->settings.streamKind == MUX_STREAM_VIDEO ? 0 : 1];
        while (pid < 0x10 || std::find(used.begin(), used.end(), pid) != used.end())
            ++pid;
        stream->pid = pid > kLastPid ? 0 : pid++;
        used.push_back(stream->pid);
        m_format->streams[stream->index]->id = stream->pid;
    }
}

// The block's program, PIDs and periods. Each audio frame is a PES of its own, so that its
// index record names the packet where it begins. AC-3 is private data with its descriptor
// (0x06), except where ATSC gives it a stream type of its own (0x81).
void MuxEngine::SetTransportOptions()
{
    void* options = m_format->priv_data;
    if (m_settings.programNumber)
        av_opt_set_int(options, "mpegts_service_id", m_settings.programNumber, 0);
    if (m_settings.pmtPid >= 0x10 && m_settings.pmtPid <= kLastPid)
        av_opt_set_int(options, "mpegts_pmt_start_pid", m_settings.pmtPid, 0);
    if (m_settings.pcrPeriodMs)
        av_opt_set_int(options, "pcr_period", m_settings.pcrPeriodMs, 0);
    if (m_settings.psiPeriodMs)
        av_opt_set_int(options, "pat_period", static_cast<int64_t>(m_settings.psiPeriodMs) * 1000, 0); // microseconds
    av_opt_set_int(options, "pes_payload_size", 0, 0);
    if (m_settings.muxType != MUX_PRESET_ATSC && m_settings.muxType != MUX_PRESET_ATSC_HI)
        av_opt_set(options, "mpegts_flags", "+system_b", 0);
}

// FFmpeg gives MPEG-1 video the MPEG-2 stream type; the program map says 0x01 for it, with
// its CRC made again.
void MuxEngine::PatchProgramMap(uint8_t* packet) const
{
    int pid = ((packet[1] & 0x1F) << 8) | packet[2];
    if (packet[0] != 0x47 || !(packet[1] & 0x40) || pid != static_cast<int>(m_settings.pmtPid))
        return;
    int control = (packet[3] >> 4) & 3;
    int at = (control & 2) ? 5 + packet[4] : 4;
    if (!(control & 1) || at >= kTsPacket)
        return;
    at += 1 + packet[at];
    if (at + 12 > kTsPacket || packet[at] != 0x02)
        return;
    uint8_t* section = packet + at;
    int length = 3 + (((section[1] & 0x0F) << 8) | section[2]);
    if (at + length > kTsPacket || length < 16)
        return;
    bool changed = false;
    int entry = 12 + (((section[10] & 0x0F) << 8) | section[11]);
    while (entry + 5 <= length - 4) {
        int streamPid = ((section[entry + 1] & 0x1F) << 8) | section[entry + 2];
        for (const auto& stream : m_streams) {
            if (stream->pid == streamPid && stream->mpeg1 && section[entry] == 0x02) {
                section[entry] = 0x01;
                changed = true;
            }
        }
        entry += 5 + (((section[entry + 3] & 0x0F) << 8) | section[entry + 4]);
    }
    if (changed)
        AV_WB32(section + length - 4,
                av_bswap32(av_crc(av_crc_get_table(AV_CRC_32_IEEE), UINT32_MAX, section, length - 4)));
}

// The block's ids in place of the muxer's: its own first id for each kind, counted on from
// there like the muxer's.
int MuxEngine::BlockId(int id) const
{
    if (id >= 0xE0 && id <= 0xEF)
        return static_cast<int>(m_settings.videoStreamId) + (id - 0xE0);
    if (id >= 0xC0 && id <= 0xDF)
        return static_cast<int>(m_settings.audioStreamId) + (id - 0xC0);
    return id;
}

int MuxEngine::BlockSubId(int id) const
{
    if (id >= 0x80 && id <= 0xBF)
        return static_cast<int>(m_settings.privateStreamId) + (id - 0x80);
    return id;
}

// Renumbers the PES stream ids, private sub-ids and the system header's stream list of one
// pack, when the block asks for other ids than the muxer's.
void MuxEngine::RenumberPack(uint8_t* pack, int size) const
{
    if (m_settings.videoStreamId == 0xE0 && m_settings.audioStreamId == 0xC0 && m_settings.privateStreamId == 0x80)
        return;
    int at = 0;
    while (at + 6 <= size) {
        if (pack[at] != 0 || pack[at + 1] != 0 || pack[at + 2] != 1) {
            ++at;
            continue;
        }
        int code = pack[at + 3];
        if (code == 0xBA) {
            at += at + 13 < size && (pack[at + 4] & 0xC0) == 0x40 ? 14 + (pack[at + 13] & 7) : 12;
            continue;
        }
        if (code < 0xBB)
            return;
        int next = at + 6 + ((pack[at + 4] << 8) | pack[at + 5]);
        if (code == 0xBB) {
            for (int entry = at + 12; entry + 3 <= next && entry + 3 <= size && (pack[entry] & 0x80); entry += 3)
                pack[entry] = static_cast<uint8_t>(BlockId(pack[entry]));
        } else if (code == 0xBD) {
            int payload = at + 6;
            if (payload < size && (pack[payload] & 0xC0) == 0x80 && payload + 2 < size)
                payload += 3 + pack[payload + 2];
            if (payload < size)
                pack[payload] = static_cast<uint8_t>(BlockSubId(pack[payload]));
        } else {
            pack[at + 3] = static_cast<uint8_t>(BlockId(code));
        }
        at = next;
    }
}

MuxEngine::Stream* MuxEngine::StreamById(int id)
{
    for (auto& stream : m_streams) {
        if (stream->streamId == id)
            return stream.get();
    }
    return nullptr;
}

// A PES header with a presentation time marks the packet where that unit begins: its pack
// is the position the unit's index record names.
void MuxEngine::IndexPack(const uint8_t* pack, int size, uint64_t position)
{
    int at = 0;
    while (at + 9 <= size) {
        if (pack[at] != 0 || pack[at + 1] != 0 || pack[at + 2] != 1) {
            ++at;
            continue;
        }
        int code = pack[at + 3];
        if (code == 0xBA) {
            at += (pack[at + 4] & 0xC0) == 0x40 ? 14 + (pack[at + 13] & 7) : 12;
            continue;
        }
        if (code < 0xBB)
            return;
        int length = (pack[at + 4] << 8) | pack[at + 5];
        int next = at + 6 + length;
        if (code == 0xBB || code == 0xBE || code == 0xBF) {
            at = next;
            continue;
        }
        // The PES header: MPEG-2 form, or MPEG-1 with stuffing and an optional buffer field.
        int p = at + 6;
        int64_t pts = -1;
        int payload = next;
        if ((pack[p] & 0xC0) == 0x80) {
            if ((pack[p + 1] & 0x80) && p + 8 <= size)
                pts = (static_cast<int64_t>(pack[p + 3] & 0x0E) << 29) | (pack[p + 4] << 22) |
                      ((pack[p + 5] & 0xFE) << 14) | (pack[p + 6] << 7) | (pack[p + 7] >> 1);
            payload = p + 3 + pack[p + 2];
        } else {
            while (p < size && pack[p] == 0xFF)
                ++p;
            if (p < size && (pack[p] & 0xC0) == 0x40)
                p += 2;
            if (p + 5 <= size && (pack[p] & 0xE0) == 0x20)
                pts = (static_cast<int64_t>(pack[p] & 0x0E) << 29) | (pack[p + 1] << 22) |
                      ((pack[p + 2] & 0xFE) << 14) | (pack[p + 3] << 7) | (pack[p + 4] >> 1);
        }
        int id = code == 0xBD && payload < size ? pack[payload] : code;
        Stream* stream = pts >= 0 ? StreamById(id) : nullptr;
        if (stream)
            MarkUnitStart(*stream, pts, position);
        at = next;
    }
}

// A PES header with a presentation time at the start of a transport packet's payload marks
// the packet where that unit begins.
void MuxEngine::IndexTransportPacket(const uint8_t* packet, uint64_t position)
{
    if (packet[0] != 0x47 || !(packet[1] & 0x40))
        return;
    int pid = ((packet[1] & 0x1F) << 8) | packet[2];
    int control = (packet[3] >> 4) & 3;
    int at = (control & 2) ? 5 + packet[4] : 4;
    if (!(control & 1) || at + 14 > kTsPacket)
        return;
    const uint8_t* pes = packet + at;
    if (pes[0] != 0 || pes[1] != 0 || pes[2] != 1 || (pes[6] & 0xC0) != 0x80 || !(pes[7] & 0x80))
        return;
    int64_t pts = (static_cast<int64_t>(pes[9] & 0x0E) << 29) | (pes[10] << 22) | ((pes[11] & 0xFE) << 14) |
                  (pes[12] << 7) | (pes[13] >> 1);
    for (auto& stream : m_streams) {
        if (stream->pid == pid) {
            MarkUnitStart(*stream, pts, position);
            return;
        }
    }
}

// A PES's time is that of the first unit that begins in it; the units ahead of that one
// began where the last time was seen, in a packet that carried no time of theirs. Every
// picture's record names where the I picture that opens its group begins, for decoding it
// starts there.
void MuxEngine::MarkUnitStart(Stream& stream, int64_t pts, uint64_t position)
{
    if (stream.pending.empty())
        return;
    if (!stream.offsetKnown) {
        stream.ptsOffset = pts - stream.pending.front().presentTime;
        stream.offsetKnown = true;
    }
    size_t found = 0;
    while (found < stream.pending.size() && stream.pending[found].presentTime + stream.ptsOffset != pts)
        ++found;
    if (found == stream.pending.size())
        return;
    for (size_t n = 0; n <= found; ++n) {
        IndexUnit(stream, stream.pending.front(), n == found ? position : stream.lastStart);
        stream.pending.pop_front();
    }
    stream.lastStart = position;
}

void MuxEngine::IndexUnit(Stream& stream, const PendingIndex& unit, uint64_t start)
{
    if (stream.settings.streamKind != MUX_STREAM_VIDEO || unit.codingType == 1)
        stream.keyPosition = start;
    if (stream.keyPosition != kNoPosition)
        SendIndex(stream, unit, stream.keyPosition);
}

void MuxEngine::SendIndex(Stream& stream, const PendingIndex& unit, uint64_t position)
{
    uint8_t record[32] = {};
    uint64_t pts = static_cast<uint64_t>(unit.presentTime);
    memcpy(record, &position, 8);
    memcpy(record + 8, &pts, 8);
    memcpy(record + 16, &unit.size, 4);
    if (stream.settings.streamKind == MUX_STREAM_VIDEO) {
        memcpy(record + 20, &unit.codingType, 4);
        m_writer->auxInfo(m_writer, 0, MUX_AUX_VIDEO_INDEX, record, 32);
    } else {
        m_writer->auxInfo(m_writer, 0, MUX_AUX_AUDIO_INDEX, record, 20);
    }
}

void MuxEngine::Forget()
{
    std::lock_guard<std::mutex> guard(g_streamsLock);
    for (auto& stream : m_streams)
        g_streams.erase(stream->reader);
    m_streams.clear();
}

int MuxEngine::Finish(int abort)
{
    if (!abort) {
        // What is left goes out now, whether or not every stream said what it carries.
        bool queued = false;
        for (auto& stream : m_streams)
            queued = queued || !stream->units.empty();
        if (queued && !m_stopped)
            Start();
        for (auto& stream : m_streams)
            Pump(*stream);
    }
    EndSegment(!abort);
    Forget();
    m_writer = nullptr;
    return m_failed ? -1 : 0;
}
