// The engine over real input buffers with units of plain bytes (the program-stream muxers
// carry payloads as they come): what the writer gets at the normal end and at an abort, and
// inputs that keep draining while another stream lags.
#include "MuxBufferedWriter.h"
#include "MuxInputBuffer.h"
#include "muxlib.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

void* Allocator(const char* name)
{
    if (strcmp(name, "malloc") == 0)
        return reinterpret_cast<void*>(&malloc);
    if (strcmp(name, "free") == 0)
        return reinterpret_cast<void*>(&free);
    return nullptr;
}

int Collect(void* context, const uint8_t* data, int bytes)
{
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(data), bytes);
    return 0;
}

// Where the output stood at each new file.
std::vector<size_t> g_splits;
std::string* g_output;

int NextFile(void*)
{
    g_splits.push_back(g_output->size());
    return 0;
}

class MuxEngineTest : public testing::Test
{
protected:
    void Open(int preset, int streams, int ringSize, uint32_t videoId = 0xE0, uint32_t segmentMb = 0)
    {
        MuxSettings settings;
        ASSERT_EQ(0, MuxLibDefaults(&settings, preset));
        settings.videoStreamId = videoId;
        settings.segmentSizeMb = segmentMb;
        g_splits.clear();
        g_output = &output;
        MuxWriterCallbacks callbacks = {Collect, nullptr, NextFile};
        writer = MuxBufferedWriter::Create(callbacks, &output, 65536, nullptr)->Stream();
        engine = MuxLibCreate(Allocator, &settings);
        MuxOptions options = {};
        ASSERT_EQ(0, MuxLibInit(engine, &options, writer));
        for (int i = 0; i < streams; ++i) {
            MuxStreamSettings stream = {};
            stream.streamKind = i == 0 ? MUX_STREAM_VIDEO : MUX_STREAM_AUDIO;
            stream.bufferSize = static_cast<uint32_t>(ringSize);
            inputs.emplace_back(MuxInputBuffer::Create(ringSize));
            ASSERT_EQ(0, MuxLibAddStream(engine, &stream, inputs.back()->Reader()));
        }
    }

    void TearDown() override
    {
        if (engine)
            MuxLibFree(engine);
        if (writer) {
            writer->close(writer, 0);
            writer->free(writer);
        }
    }

    // A video unit of `size` bytes, 40 ms after the one before.
    bool Video(int number, int size)
    {
        MuxBufStream* input = inputs[0]->Writer();
        std::vector<uint8_t> bytes(size, static_cast<uint8_t>(number));
        if (input->copy(input, bytes.data(), size) != size)
            return false;
        MuxVideoUnit unit = {};
        unit.size = static_cast<uint32_t>(size);
        unit.codingType = number % 12 == 0 ? 1 : 2;
        unit.codec = MUX_CODEC_MPEG_VIDEO;
        unit.decodeTime = unit.presentTime = 13500000ull + 1080000ull * number;
        input->auxInfo(input, 0, MUX_AUX_VIDEO_UNIT, &unit, sizeof(unit));
        return true;
    }

    std::string output;
    MuxBufStream* writer = nullptr;
    MuxHandle engine = nullptr;
    std::vector<std::unique_ptr<MuxInputBuffer>> inputs;
};

TEST_F(MuxEngineTest, TheNormalEndFlushesWithTheEndCode)
{
    Open(MUX_PRESET_MPEG2, 1, 65536);
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(Video(n, 500));
    EXPECT_EQ(0, MuxLibFinish(engine, 0));
    writer->close(writer, 0);
    ASSERT_GE(output.size(), 1500u);
    EXPECT_EQ(std::string("\x00\x00\x01\xba", 4), output.substr(0, 4));
    EXPECT_EQ(std::string("\x00\x00\x01\xb9", 4), output.substr(output.size() - 4));
}

TEST_F(MuxEngineTest, AnAbortKeepsNothing)
{
    Open(MUX_PRESET_MPEG2, 1, 65536);
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(Video(n, 500));
    EXPECT_EQ(0, MuxLibFinish(engine, 1));
    writer->close(writer, 0);
    EXPECT_EQ("", output);
}

TEST_F(MuxEngineTest, PesIdsComeFromTheBlock)
{
    Open(MUX_PRESET_MPEG2, 1, 65536, 0xE3);
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(Video(n, 3000));
    EXPECT_EQ(0, MuxLibFinish(engine, 0));
    writer->close(writer, 0);
    EXPECT_NE(std::string::npos, output.find(std::string("\x00\x00\x01\xe3", 4)));
    EXPECT_EQ(std::string::npos, output.find(std::string("\x00\x00\x01\xe0", 4)));
    // The system header lists the stream by its new id.
    size_t header = output.find(std::string("\x00\x00\x01\xbb", 4));
    ASSERT_NE(std::string::npos, header);
    EXPECT_EQ(0xE3, static_cast<uint8_t>(output[header + 12]));
}

TEST_F(MuxEngineTest, ASegmentEndsAtTheFirstIPicturePastItsSize)
{
    // Units of 50000 bytes with an I picture every twelfth: 1 MiB is passed within the
    // second group, so the cut comes at the third I picture (unit 24), and only there.
    Open(MUX_PRESET_MPEG2, 1, 262144, 0xE0, 1);
    for (int n = 0; n < 40; ++n)
        ASSERT_TRUE(Video(n, 50000));
    EXPECT_EQ(0, MuxLibFinish(engine, 0));
    writer->close(writer, 0);
    ASSERT_EQ(1u, g_splits.size());
    EXPECT_GE(g_splits[0], 1048576u);
    EXPECT_LT(g_splits[0], 24u * 50000u + 24u * 2048u);
    // The new segment opens with its pack and system header.
    EXPECT_EQ(std::string("\x00\x00\x01\xba", 4), output.substr(g_splits[0], 4));
    EXPECT_EQ(std::string("\x00\x00\x01\xb9", 4), output.substr(g_splits[0] - 4, 4));
}

// A transport stream has no place for LPCM; every other stream goes in.
TEST(MuxEngine, TransportStreamsRefuseLpcmOnly)
{
    MuxSettings settings;
    ASSERT_EQ(0, MuxLibDefaults(&settings, MUX_PRESET_DVB));
    MuxHandle engine = MuxLibCreate(Allocator, &settings);
    MuxOptions options = {};
    MuxBufStream writer = {};
    ASSERT_EQ(0, MuxLibInit(engine, &options, &writer));
    const struct
    {
        uint32_t kind, codec;
        bool added;
    } rows[] = {
        {MUX_STREAM_VIDEO, MUX_CODEC_MPEG_VIDEO, true}, {MUX_STREAM_VIDEO, MUX_CODEC_H264, true},
        {MUX_STREAM_AUDIO, MUX_CODEC_MPEG_AUDIO, true}, {MUX_STREAM_AUDIO, MUX_CODEC_AC3, true},
        {MUX_STREAM_AUDIO, MUX_CODEC_AAC, true},        {MUX_STREAM_AUDIO, MUX_CODEC_UNKNOWN, true},
        {MUX_STREAM_AUDIO, MUX_CODEC_LPCM, false},
    };
    std::vector<std::unique_ptr<MuxInputBuffer>> inputs;
    for (const auto& row : rows) {
        MuxStreamSettings stream = {};
        stream.streamKind = row.kind;
        stream.codec = row.codec;
        stream.bufferSize = 65536;
        inputs.emplace_back(MuxInputBuffer::Create(65536));
        EXPECT_EQ(row.added, MuxLibAddStream(engine, &stream, inputs.back()->Reader()) == 0) << row.codec;
    }
    EXPECT_EQ(0, MuxLibFinish(engine, 1));
    MuxLibFree(engine);
}

TEST_F(MuxEngineTest, TransportSegmentsOpenWithTheirTables)
{
    // As for program streams: the cut comes at the third I picture, now between two
    // 188-byte packets, and the new segment has its PAT and PMT before any PES.
    Open(MUX_PRESET_MPEG_TS, 1, 262144, 0xE0, 1);
    for (int n = 0; n < 40; ++n)
        ASSERT_TRUE(Video(n, 50000));
    EXPECT_EQ(0, MuxLibFinish(engine, 0));
    writer->close(writer, 0);
    ASSERT_EQ(1u, g_splits.size());
    EXPECT_EQ(0u, output.size() % 188);
    EXPECT_EQ(0u, g_splits[0] % 188);
    EXPECT_GE(g_splits[0], 1048576u);
    bool pat = false, pmt = false;
    for (size_t at = g_splits[0]; at < output.size(); at += 188) {
        ASSERT_EQ('\x47', output[at]) << at;
        int pid = ((output[at + 1] & 0x1F) << 8) | static_cast<uint8_t>(output[at + 2]);
        pat = pat || pid == 0;
        pmt = pmt || pid == 0x1000;
        if (pid == 0x100)
            break;
    }
    EXPECT_TRUE(pat && pmt);
}

TEST_F(MuxEngineTest, AStreamDrainsWhileAnotherLags)
{
    // The audio stream never says what it carries. The video stream waits for it only until
    // its ring passes three quarters full; from then on the ring empties after every unit,
    // also where a unit wraps round the ring's end.
    Open(MUX_PRESET_DVD_MPEG2, 2, 20000);
    MuxBufStream* reader = inputs[0]->Reader();
    for (int n = 0; n < 200; ++n) {
        ASSERT_TRUE(Video(n, 3000)) << "unit " << n;
        EXPECT_EQ(n < 5 ? (n + 1) * 3000 : 0, reader->freeSpace(reader)) << "unit " << n;
    }
    EXPECT_EQ(0, MuxLibFinish(engine, 0));
    writer->close(writer, 0);
    EXPECT_GT(output.size(), 200u * 3000u);
    // Padded packs of 2048 bytes, then the end code.
    EXPECT_EQ(4u, output.size() % 2048);
}

} // namespace
