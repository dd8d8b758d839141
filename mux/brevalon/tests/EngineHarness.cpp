// Feeds streams made with FFmpeg's encoders through real input buffers into the library and
// writes what comes out, one file per preset, for check-engine.sh to read with ffprobe:
// brevalon_engine_harness OUTDIR. Beside each output, NAME.txt says how many units each
// stream had, in stream order.
#include "MuxBufferedWriter.h"
#include "MuxIndexedWriter.h"
#include "MuxInputBuffer.h"
#include "muxlib.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{

const int64_t kClock = 27000000;
// The streams start half a second in, so that B pictures keep their decoding times positive.
const int64_t kStartTicks = kClock / 2;

struct Unit
{
    std::vector<uint8_t> bytes;
    int64_t decodeTicks;
    int64_t presentTicks;
    bool key;
};

// The stream's coding travels in its unit records, as a pin's parser sends it; the settings
// carry the kind, the buffer size and, for LPCM, the rate and channels.
struct Source
{
    MuxStreamSettings settings;
    uint32_t codec;
    std::vector<Unit> units;
};

int64_t Ticks(int64_t value, AVRational base)
{
    return kStartTicks + av_rescale_q(value, base, {1, static_cast<int>(kClock)});
}

bool Drain(AVCodecContext* encoder, AVFrame* frame, Source& source)
{
    if (avcodec_send_frame(encoder, frame) < 0)
        return false;
    AVPacket* packet = av_packet_alloc();
    while (avcodec_receive_packet(encoder, packet) == 0) {
        Unit unit;
        unit.bytes.assign(packet->data, packet->data + packet->size);
        int64_t dts = packet->dts == AV_NOPTS_VALUE ? packet->pts : packet->dts;
        unit.decodeTicks = Ticks(dts, encoder->time_base);
        unit.presentTicks = Ticks(packet->pts, encoder->time_base);
        unit.key = (packet->flags & AV_PKT_FLAG_KEY) != 0;
        source.units.push_back(std::move(unit));
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return true;
}

bool MakeVideo(bool mpeg1, int width, int height, Source& source)
{
    const AVCodec* codec = avcodec_find_encoder(mpeg1 ? AV_CODEC_ID_MPEG1VIDEO : AV_CODEC_ID_MPEG2VIDEO);
    AVCodecContext* encoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!encoder)
        return false;
    encoder->width = width;
    encoder->height = height;
    encoder->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder->time_base = {1, 25};
    encoder->framerate = {25, 1};
    encoder->gop_size = 12;
    encoder->max_b_frames = 2;
    encoder->bit_rate = mpeg1 ? 900000 : 1500000;
    // Closed groups, so that a segment cut at an I picture decodes alone.
    encoder->flags |= AV_CODEC_FLAG_CLOSED_GOP;
    av_opt_set_int(encoder, "sc_threshold", 1000000000, AV_OPT_SEARCH_CHILDREN);
    if (avcodec_open2(encoder, codec, nullptr) < 0)
        return false;
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = width;
    frame->height = height;
    av_frame_get_buffer(frame, 0);
    for (int n = 0; n < 50; ++n) {
        av_frame_make_writable(frame);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame->data[0][y * frame->linesize[0] + x] = static_cast<uint8_t>(x + y + n * 3);
        for (int y = 0; y < height / 2; ++y)
            for (int x = 0; x < width / 2; ++x) {
                frame->data[1][y * frame->linesize[1] + x] = static_cast<uint8_t>(128 + y - n);
                frame->data[2][y * frame->linesize[2] + x] = static_cast<uint8_t>(64 + x + n);
            }
        frame->pts = n;
        Drain(encoder, frame, source);
    }
    Drain(encoder, nullptr, source);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    source.codec = MUX_CODEC_MPEG_VIDEO;
    source.settings.streamKind = MUX_STREAM_VIDEO;
    return source.units.size() == 50;
}

bool MakeAudio(AVCodecID id, int rate, Source& source)
{
    const AVCodec* codec = avcodec_find_encoder(id);
    AVCodecContext* encoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!encoder)
        return false;
    encoder->sample_rate = rate;
    encoder->sample_fmt = AV_SAMPLE_FMT_S16;
    av_channel_layout_default(&encoder->ch_layout, 2);
    encoder->time_base = {1, rate};
    encoder->bit_rate = rate < 32000 ? 96000 : 192000; // half-rate MPEG audio goes to 160 kbit/s
    if (avcodec_open2(encoder, codec, nullptr) < 0)
        return false;
    int frameSamples = encoder->frame_size > 0 ? encoder->frame_size : rate / 100 * 2; // 20 ms of LPCM
    AVFrame* frame = av_frame_alloc();
    frame->format = encoder->sample_fmt;
    frame->nb_samples = frameSamples;
    av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
    frame->sample_rate = rate;
    av_frame_get_buffer(frame, 0);
    int total = rate * 2;
    for (int at = 0; at < total; at += frameSamples) {
        av_frame_make_writable(frame);
        auto* samples = reinterpret_cast<int16_t*>(frame->data[0]);
        for (int i = 0; i < frameSamples; ++i)
            samples[2 * i] = samples[2 * i + 1] = static_cast<int16_t>(8000 * ((at + i) / 50 % 2 ? 1 : -1));
        frame->pts = at;
        Drain(encoder, frame, source);
    }
    Drain(encoder, nullptr, source);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    source.codec = id == AV_CODEC_ID_MP2 ? MUX_CODEC_MPEG_AUDIO : MUX_CODEC_LPCM;
    source.settings.streamKind = MUX_STREAM_AUDIO;
    source.settings.sampleRate = static_cast<uint32_t>(rate);
    source.settings.channels = 2;
    return !source.units.empty();
}

int PrintError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
    return 0;
}

void* Service(const char* name)
{
    if (strcmp(name, "err_printf") == 0)
        return reinterpret_cast<void*>(&PrintError);
    if (strcmp(name, "malloc") == 0)
        return reinterpret_cast<void*>(&malloc);
    if (strcmp(name, "free") == 0)
        return reinterpret_cast<void*>(&free);
    return nullptr;
}

// The main output: one file, or numbered segments beside a copy of the whole stream, in
// which the index records' positions count.
struct Output
{
    std::string path;
    FILE* file = nullptr;
    FILE* whole = nullptr;
    int segment = 0;
    int segmentsLeft = 0;
};

int WriteToFile(void* context, const uint8_t* data, int bytes)
{
    auto* output = static_cast<Output*>(context);
    if (output->whole && fwrite(data, 1, bytes, output->whole) != static_cast<size_t>(bytes))
        return -1;
    return output->file && fwrite(data, 1, bytes, output->file) == static_cast<size_t>(bytes) ? 0 : -1;
}

std::string SegmentPath(const std::string& path, int segment)
{
    return path + "." + std::to_string(segment) + ".mpg";
}

int NextFile(void* context)
{
    auto* output = static_cast<Output*>(context);
    fclose(output->file);
    output->file = nullptr;
    if (output->segmentsLeft-- <= 0)
        return -1;
    output->file = fopen(SegmentPath(output->path, ++output->segment).c_str(), "wb");
    return output->file ? 0 : -1;
}

int WriteIndex(void* context, const uint8_t* data, int bytes)
{
    return fwrite(data, 1, bytes, static_cast<FILE*>(context)) == static_cast<size_t>(bytes) ? 0 : -1;
}

// Every unit of every stream in decoding order: its bytes into the ring, then its record.
// With splits, the video stream asks for a new segment before each of those pictures, and
// the engine gets an indexed writer whose video records go to PATH.vdx; segments beyond
// `segments` find no next file.
bool Multiplex(int preset, std::vector<Source>& sources, const std::string& path,
               const std::vector<size_t>& splits = {}, int segments = 0)
{
    MuxSettings settings;
    if (MuxLibDefaults(&settings, preset) != 0)
        return false;
    Output output;
    output.path = path;
    output.segmentsLeft = segments;
    bool split = !splits.empty();
    output.file = fopen((split ? SegmentPath(path, 0) : path).c_str(), "wb");
    output.whole = split ? fopen(path.c_str(), "wb") : nullptr;
    FILE* indexFile = split ? fopen((path + ".vdx").c_str(), "wb") : nullptr;
    if (!output.file)
        return false;
    MuxWriterCallbacks callbacks = {WriteToFile, nullptr, split ? NextFile : nullptr};
    MuxBufferedWriter* writer = MuxBufferedWriter::Create(callbacks, &output, 65536, nullptr);
    MuxWriterCallbacks indexCallbacks = {WriteIndex, nullptr, nullptr};
    MuxBufferedWriter* indexWriter =
        indexFile ? MuxBufferedWriter::Create(indexCallbacks, indexFile, 2048, nullptr) : nullptr;
    MuxIndexedWriter* indexed =
        indexWriter && writer ? MuxIndexedWriter::Create(writer->Stream(), indexWriter->Stream(), nullptr, nullptr)
                              : nullptr;
    MuxBufStream* engineWriter = indexed ? indexed->Stream() : writer ? writer->Stream() : nullptr;
    MuxHandle engine = MuxLibCreate(Service, &settings);
    MuxOptions options = {};
    bool ok = engineWriter && engine && MuxLibInit(engine, &options, engineWriter) == 0;
    std::vector<std::unique_ptr<MuxInputBuffer>> buffers;
    for (Source& source : sources) {
        source.settings.bufferSize = 512 * 1024;
        buffers.emplace_back(MuxInputBuffer::Create(static_cast<int>(source.settings.bufferSize)));
        ok = ok && buffers.back() && MuxLibAddStream(engine, &source.settings, buffers.back()->Reader()) == 0;
    }
    std::vector<size_t> next(sources.size(), 0);
    while (ok) {
        int pick = -1;
        for (size_t s = 0; s < sources.size(); ++s) {
            if (next[s] < sources[s].units.size() &&
                (pick < 0 || sources[s].units[next[s]].decodeTicks < sources[pick].units[next[pick]].decodeTicks))
                pick = static_cast<int>(s);
        }
        if (pick < 0)
            break;
        size_t number = next[pick]++;
        const Unit& unit = sources[pick].units[number];
        MuxBufStream* input = buffers[pick]->Writer();
        if (pick == 0 && std::find(splits.begin(), splits.end(), number) != splits.end())
            input->auxInfo(input, 0, MUX_AUX_SPLIT, nullptr, 0);
        int size = static_cast<int>(unit.bytes.size());
        ok = input->copy(input, const_cast<uint8_t*>(unit.bytes.data()), size) == size;
        if (sources[pick].settings.streamKind == MUX_STREAM_VIDEO) {
            MuxVideoUnit record = {};
            record.size = static_cast<uint32_t>(size);
            record.codingType = unit.key ? 1 : 2;
            record.codec = static_cast<uint16_t>(sources[pick].codec);
            record.decodeTime = static_cast<uint64_t>(unit.decodeTicks);
            record.presentTime = static_cast<uint64_t>(unit.presentTicks);
            input->auxInfo(input, 0, MUX_AUX_VIDEO_UNIT, &record, sizeof(record));
        } else {
            MuxAudioUnit record = {};
            record.size = static_cast<uint32_t>(size);
            record.time = static_cast<uint64_t>(unit.presentTicks);
            record.codec = sources[pick].codec;
            input->auxInfo(input, 0, MUX_AUX_AUDIO_UNIT, &record, sizeof(record));
        }
    }
    for (auto& buffer : buffers) {
        MuxBufStream* input = buffer->Writer();
        input->auxInfo(input, 0, MUX_AUX_END_OF_STREAM, nullptr, 0);
    }
    if (!ok)
        fprintf(stderr, "a unit was refused\n");
    ok = ok && MuxLibFinish(engine, 0) == 0;
    MuxLibFree(engine);
    for (MuxBufStream* stream : {indexed ? indexed->Stream() : nullptr, writer ? writer->Stream() : nullptr,
                                 indexWriter ? indexWriter->Stream() : nullptr}) {
        if (stream) {
            stream->close(stream, 0);
            stream->free(stream);
        }
    }
    for (FILE* file : {output.file, output.whole, indexFile}) {
        if (file)
            fclose(file);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: brevalon_engine_harness OUTDIR\n");
        return 2;
    }
    std::string folder = argv[1];
    av_log_set_level(AV_LOG_ERROR);
    struct Row
    {
        int preset;
        const char* name;
        bool mpeg1;
        int width, height, rate;
        bool lpcm;
    };
    const Row rows[] = {
        {MUX_PRESET_MPEG1, "preset0.mpg", true, 352, 288, 48000, false},
        {MUX_PRESET_VCD, "preset1.mpg", true, 352, 288, 44100, false},
        {MUX_PRESET_MPEG2, "preset2.mpg", false, 720, 576, 48000, false},
        {MUX_PRESET_SVCD, "preset3.mpg", false, 480, 576, 44100, false},
        {MUX_PRESET_DVD_MPEG2, "preset4.mpg", false, 720, 576, 48000, true},
        {MUX_PRESET_DVD_MPEG1, "preset13.mpg", true, 352, 288, 48000, true},
    };
    int status = 0;
    for (const Row& row : rows) {
        std::vector<Source> sources(row.lpcm ? 3 : 2);
        bool made = MakeVideo(row.mpeg1, row.width, row.height, sources[0]) &&
                    MakeAudio(AV_CODEC_ID_MP2, row.rate, sources[1]) &&
                    (!row.lpcm || MakeAudio(AV_CODEC_ID_PCM_DVD, row.rate, sources[2]));
        std::string path = folder + "\\" + row.name;
        if (!made || !Multiplex(row.preset, sources, path)) {
            fprintf(stderr, "%s: %s\n", row.name, made ? "not multiplexed" : "no streams");
            status = 1;
            continue;
        }
        FILE* counts = fopen((path + ".txt").c_str(), "w");
        for (const Source& source : sources)
            fprintf(counts, "%u\n", static_cast<unsigned>(source.units.size()));
        fclose(counts);
    }
    // A transport stream of MPEG-1 video and MPEG-2 audio at half the rate, the two streams
    // whose stream types FFmpeg does not choose by itself.
    {
        std::vector<Source> sources(2);
        if (!MakeVideo(true, 352, 288, sources[0]) || !MakeAudio(AV_CODEC_ID_MP2, 24000, sources[1]) ||
            !Multiplex(MUX_PRESET_MPEG_TS, sources, folder + "\\low.ts")) {
            fprintf(stderr, "low.ts: not multiplexed\n");
            status = 1;
        }
    }
    // Segments: splits asked before pictures 5 and 25 come at the I pictures 10 and 30 (the
    // encoder's closed groups are ten long); the first run has files for all three, the
    // second none beyond the first.
    for (int segments : {2, 0}) {
        std::vector<Source> sources(2);
        std::string path = folder + (segments ? "\\split.mpg" : "\\stopped.mpg");
        if (!MakeVideo(false, 720, 576, sources[0]) || !MakeAudio(AV_CODEC_ID_MP2, 48000, sources[1]) ||
            (!Multiplex(MUX_PRESET_MPEG2, sources, path, {5, 25}, segments) && segments)) {
            fprintf(stderr, "%s: not multiplexed\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
