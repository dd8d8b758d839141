// The buffered writer over recording callbacks, and the indexed writer's rule that an index
// record waits for the main bytes it points at.
#include "MuxBufferedWriter.h"
#include "MuxIndexedWriter.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace
{

// The filter's side of a writer: what each callback saw.
struct Sink
{
    std::vector<int> writes;
    std::string bytes;
    int ends = 0;
    int nextFiles = 0;
    int failWrites = 0;

    static int Write(void* context, const uint8_t* data, int count)
    {
        auto* sink = static_cast<Sink*>(context);
        if (sink->failWrites)
            return sink->failWrites;
        sink->writes.push_back(count);
        sink->bytes.append(reinterpret_cast<const char*>(data), count);
        return 0;
    }
    static void End(void* context) { ++static_cast<Sink*>(context)->ends; }
    static int NextFile(void* context)
    {
        ++static_cast<Sink*>(context)->nextFiles;
        return 0;
    }
};

const MuxWriterCallbacks kFileCallbacks = {Sink::Write, nullptr, Sink::NextFile};
const MuxWriterCallbacks kPinCallbacks = {Sink::Write, Sink::End, nullptr};

uint64_t Accepted(MuxBufStream* writer)
{
    uint64_t count = ~0ull;
    writer->auxInfo(writer, 0, MUX_AUX_BYTES_ACCEPTED, &count, sizeof(count));
    return count;
}

TEST(MuxBufferedWriter, AnOversizedCopyEmptiesTheBufferThenGoesStraightOut)
{
    Sink sink;
    MuxBufStream* writer = MuxBufferedWriter::Create(kFileCallbacks, &sink, 65536, nullptr)->Stream();
    EXPECT_EQ(16384, writer->chunkSize(writer));
    std::vector<uint8_t> head(10, 'h');
    std::vector<uint8_t> big(100000, 'b');
    writer->copy(writer, head.data(), 10);
    EXPECT_TRUE(sink.writes.empty());
    writer->copy(writer, big.data(), 100000);
    EXPECT_EQ((std::vector<int>{10, 100000}), sink.writes);
    EXPECT_EQ(100010u, Accepted(writer));

    writer->close(writer, 1);
    writer->free(writer);
}

TEST(MuxBufferedWriter, RequestsFlushWhenFullAndConfirmsCountAcceptedBytes)
{
    Sink sink;
    MuxBufStream* writer = MuxBufferedWriter::Create(kPinCallbacks, &sink, 8, nullptr)->Stream();
    uint8_t* area = writer->request(writer, 6);
    ASSERT_TRUE(area);
    memcpy(area, "abcdef", 6);
    writer->confirm(writer, 6);
    EXPECT_EQ(2, writer->freeSpace(writer));
    EXPECT_EQ(6u, Accepted(writer));

    sink.failWrites = 5;
    EXPECT_EQ(nullptr, writer->request(writer, 3));
    sink.failWrites = 0;
    area = writer->request(writer, 3);
    ASSERT_TRUE(area);
    EXPECT_EQ("abcdef", sink.bytes);
    memcpy(area, "ghi", 3);
    writer->confirm(writer, 3);
    EXPECT_EQ(nullptr, writer->request(writer, 9));

    // Close empties the buffer even when aborted, then ends the output.
    EXPECT_EQ(0, writer->close(writer, 1));
    EXPECT_EQ("abcdefghi", sink.bytes);
    EXPECT_EQ(1, sink.ends);
    writer->free(writer);
}

TEST(MuxBufferedWriter, SplitEmptiesTheBufferBeforeTheNextFile)
{
    Sink sink;
    MuxBufStream* writer = MuxBufferedWriter::Create(kFileCallbacks, &sink, 64, nullptr)->Stream();
    writer->copy(writer, reinterpret_cast<uint8_t*>(const_cast<char*>("seg0")), 4);
    EXPECT_EQ(0, writer->auxInfo(writer, 0, MUX_AUX_SPLIT, nullptr, 0));
    EXPECT_EQ("seg0", sink.bytes);
    EXPECT_EQ(1, sink.nextFiles);

    sink.failWrites = 3;
    writer->copy(writer, reinterpret_cast<uint8_t*>(const_cast<char*>("x")), 1);
    EXPECT_EQ(3, writer->split(writer));
    EXPECT_EQ(1, sink.nextFiles);
    sink.failWrites = 0;
    writer->close(writer, 0);
    writer->free(writer);

    // Without a next-file callback a split does nothing at all.
    Sink pin;
    writer = MuxBufferedWriter::Create(kPinCallbacks, &pin, 64, nullptr)->Stream();
    writer->copy(writer, reinterpret_cast<uint8_t*>(const_cast<char*>("p")), 1);
    EXPECT_EQ(0, writer->split(writer));
    EXPECT_TRUE(pin.writes.empty());
    writer->close(writer, 0);
    writer->free(writer);
}

std::vector<std::string> g_printed;

int Printer(const char* format, ...)
{
    g_printed.push_back(format);
    return 0;
}

TEST(MuxBufferedWriter, FailuresToMakeAWriterArePrinted)
{
    g_printed.clear();
    Sink sink;
    EXPECT_EQ(nullptr, MuxBufferedWriter::Create(kFileCallbacks, &sink, 0, Printer));
    EXPECT_EQ(nullptr, MuxIndexedWriter::Create(nullptr, nullptr, nullptr, Printer));
    EXPECT_EQ((std::vector<std::string>{"Unable to allocate memory for bitstream buffer=%d", "No main stream buffer ."}),
              g_printed);
}

// An index target: records arrive as copies followed by their command.
struct IndexTarget
{
    MuxBufStream stream;
    std::vector<uint64_t> positions;
    std::vector<uint32_t> commands;

    IndexTarget()
    {
        stream = {nullptr, nullptr, nullptr, Copy, nullptr, Aux, nullptr, nullptr, nullptr, this};
    }
    static int Copy(MuxBufStream* stream, uint8_t* data, int)
    {
        uint64_t position;
        memcpy(&position, data, sizeof(position));
        static_cast<IndexTarget*>(stream->state)->positions.push_back(position);
        return 0;
    }
    static int Aux(MuxBufStream* stream, int, uint32_t command, void*, int)
    {
        static_cast<IndexTarget*>(stream->state)->commands.push_back(command);
        return 0;
    }
};

class MuxIndexedWriterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        main = MuxBufferedWriter::Create(kFileCallbacks, &sink, 1024, nullptr)->Stream();
        indexed = MuxIndexedWriter::Create(main, &video.stream, &audio.stream, nullptr);
        ASSERT_TRUE(indexed);
        writer = indexed->Stream();
    }
    void TearDown() override
    {
        writer->free(writer);
        main->close(main, 0);
        main->free(main);
    }

    void Write(int bytes)
    {
        std::vector<uint8_t> data(bytes, 'm');
        writer->copy(writer, data.data(), bytes);
    }
    void VideoRecord(uint64_t position)
    {
        uint8_t record[32] = {};
        memcpy(record, &position, sizeof(position));
        writer->auxInfo(writer, 0, MUX_AUX_VIDEO_INDEX, record, sizeof(record));
    }
    void AudioRecord(uint64_t position)
    {
        uint8_t record[20] = {};
        memcpy(record, &position, sizeof(position));
        writer->auxInfo(writer, 0, MUX_AUX_AUDIO_INDEX, record, sizeof(record));
    }

    Sink sink;
    IndexTarget video;
    IndexTarget audio;
    MuxBufStream* main = nullptr;
    MuxIndexedWriter* indexed = nullptr;
    MuxBufStream* writer = nullptr;
};

TEST_F(MuxIndexedWriterTest, ARecordWaitsUntilItsBytesAreAccepted)
{
    Write(100);
    VideoRecord(0);
    VideoRecord(100);
    AudioRecord(50);
    EXPECT_EQ((std::vector<uint64_t>{0}), video.positions);
    EXPECT_EQ((std::vector<uint32_t>{MUX_AUX_VIDEO_INDEX}), video.commands);
    EXPECT_EQ((std::vector<uint64_t>{50}), audio.positions);
    EXPECT_EQ(1, indexed->Queued(true));

    Write(1);
    VideoRecord(500);
    EXPECT_EQ((std::vector<uint64_t>{0, 100}), video.positions);
    EXPECT_EQ(1, indexed->Queued(true));
}

TEST_F(MuxIndexedWriterTest, ASplitReleasesEveryRecordThenSplitsTargetsAndMain)
{
    VideoRecord(10);
    AudioRecord(20);
    EXPECT_TRUE(video.positions.empty());
    writer->auxInfo(writer, 0, MUX_AUX_SPLIT, nullptr, 0);
    EXPECT_EQ((std::vector<uint64_t>{10}), video.positions);
    EXPECT_EQ((std::vector<uint32_t>{MUX_AUX_VIDEO_INDEX, MUX_AUX_SPLIT}), video.commands);
    EXPECT_EQ((std::vector<uint32_t>{MUX_AUX_AUDIO_INDEX, MUX_AUX_SPLIT}), audio.commands);
    EXPECT_EQ(1, sink.nextFiles);
}

TEST_F(MuxIndexedWriterTest, CloseReleasesRecordsAndAbortDropsThem)
{
    VideoRecord(10);
    writer->close(writer, 0);
    EXPECT_EQ((std::vector<uint64_t>{10}), video.positions);

    VideoRecord(20);
    AudioRecord(30);
    writer->close(writer, 1);
    EXPECT_EQ((std::vector<uint64_t>{10}), video.positions);
    EXPECT_TRUE(audio.positions.empty());
}

TEST_F(MuxIndexedWriterTest, AFullQueueLetsItsOldestRecordOut)
{
    for (int i = 0; i < MuxIndexedWriter::kVideoRecords; ++i)
        VideoRecord(1000 + i);
    EXPECT_TRUE(video.positions.empty());
    VideoRecord(5000);
    EXPECT_EQ((std::vector<uint64_t>{1000}), video.positions);
    EXPECT_EQ(MuxIndexedWriter::kVideoRecords, indexed->Queued(true));
}

TEST_F(MuxIndexedWriterTest, HeadersGoToTheirTargetAndOtherCommandsToTheMainWriter)
{
    uint8_t header[8] = {7};
    writer->auxInfo(writer, 0, MUX_AUX_VIDEO_INDEX_HEADER, header, sizeof(header));
    EXPECT_EQ((std::vector<uint64_t>{7}), video.positions);
    EXPECT_EQ((std::vector<uint32_t>{MUX_AUX_VIDEO_INDEX_HEADER}), video.commands);
    EXPECT_TRUE(audio.commands.empty());

    Write(3);
    EXPECT_EQ(3u, Accepted(writer));
    writer->auxInfo(writer, 0, MUX_AUX_INDEX_RESET, nullptr, 0);
    EXPECT_EQ(MUX_AUX_INDEX_RESET, audio.commands.back());
}

} // namespace
