// The input buffer's ring: the free and used rules, the lead-area read window, and the
// auxiliary road from the pin's face to the engine's handler.
#include "MuxInputBuffer.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>

namespace
{

uint8_t* Bytes(const char* text)
{
    return reinterpret_cast<uint8_t*>(const_cast<char*>(text));
}

std::string Read(MuxRingBuffer& ring, int bytes)
{
    std::string out(bytes, '\0');
    EXPECT_EQ(bytes, ring.CopyOut(reinterpret_cast<uint8_t*>(&out[0]), bytes));
    return out;
}

TEST(MuxRingBuffer, WrappedTailMovesIntoTheLeadAreaForOneWindow)
{
    MuxRingBuffer ring;
    ASSERT_TRUE(ring.Allocate(8));
    EXPECT_EQ(8, ring.FreeSpace());
    EXPECT_EQ(8, ring.Copy(Bytes("abcdefgh"), 8));
    EXPECT_EQ(0, ring.FreeSpace());
    EXPECT_EQ("abcde", Read(ring, 5));
    EXPECT_EQ(2, ring.Copy(Bytes("ij"), 2));
    EXPECT_EQ(5, ring.UsedBytes());

    uint8_t* window = ring.RequestRead(5);
    ASSERT_TRUE(window);
    EXPECT_EQ("fghij", std::string(reinterpret_cast<char*>(window), 5));
    EXPECT_EQ(5, ring.ConfirmRead(5));
    EXPECT_EQ(0, ring.UsedBytes());
    EXPECT_EQ(8, ring.FreeSpace());
}

TEST(MuxRingBuffer, AWriteNeverCatchesUpWithTheReaderFromBehind)
{
    // Equal indices mean empty, so a wrapped writer keeps one byte short of the reader;
    // filling that byte as well would lose the whole content.
    MuxRingBuffer ring;
    ASSERT_TRUE(ring.Allocate(8));
    ring.Copy(Bytes("abcdef"), 6);
    Read(ring, 4);
    EXPECT_EQ(2 + 3, ring.FreeSpace());
    EXPECT_EQ(5, ring.Copy(Bytes("123456"), 6));
    EXPECT_EQ(0, ring.FreeSpace());
    EXPECT_EQ(7, ring.UsedBytes());
    EXPECT_EQ("ef12345", Read(ring, 7));
}

TEST(MuxRingBuffer, ARequestTakesTheRingStartOnlyWhenTheEndHasNoRoom)
{
    MuxRingBuffer ring;
    ASSERT_TRUE(ring.Allocate(16));
    ring.Copy(Bytes("0123456789ab"), 12);
    Read(ring, 10);
    EXPECT_TRUE(ring.Request(4));
    EXPECT_EQ(nullptr, ring.Request(10)); // neither behind the data nor before the reader

    uint8_t* start = ring.Request(6);
    ASSERT_TRUE(start);
    memcpy(start, "QRSTUV", 6);
    EXPECT_EQ(6, ring.Confirm(6));
    // The four bytes left unwritten at the end are no data.
    EXPECT_EQ(8, ring.UsedBytes());
    EXPECT_EQ("abQRSTUV", Read(ring, 8));
}

TEST(MuxRingBuffer, AReadGivesNullWhenTooFewBytesOrTooLongATail)
{
    MuxRingBuffer ring;
    ASSERT_TRUE(ring.Allocate(3 * MuxRingBuffer::kLeadSize));
    EXPECT_EQ(nullptr, ring.RequestRead(1));

    std::string block(3 * MuxRingBuffer::kLeadSize, 'x');
    ring.Copy(Bytes(block.c_str()), static_cast<int>(block.size()));
    EXPECT_EQ(nullptr, ring.RequestRead(static_cast<int>(block.size()) + 1));
    ring.ConfirmRead(MuxRingBuffer::kLeadSize - 1);
    ring.Copy(Bytes("yz"), 2);
    // 8193 bytes before the end: too many for the lead area.
    EXPECT_EQ(nullptr, ring.RequestRead(2 * MuxRingBuffer::kLeadSize + 2));
    EXPECT_TRUE(ring.RequestRead(2 * MuxRingBuffer::kLeadSize + 1));
}

int g_auxCommand;
MuxBufStream* g_auxStream;

int EngineHandler(MuxBufStream* stream, int, uint32_t command, void*, int)
{
    g_auxStream = stream;
    g_auxCommand = static_cast<int>(command);
    return 7;
}

TEST(MuxInputBuffer, TheFacesShareTheRingAndAuxiliaryCallsReachTheEngine)
{
    std::unique_ptr<MuxInputBuffer> buffer(MuxInputBuffer::Create(100));
    ASSERT_TRUE(buffer);
    MuxBufStream* writer = buffer->Writer();
    MuxBufStream* reader = buffer->Reader();
    EXPECT_EQ(4096, writer->chunkSize(writer));
    EXPECT_EQ(4096, reader->chunkSize(reader));

    EXPECT_EQ(0, writer->auxInfo(writer, 0, MUX_AUX_END_OF_STREAM, nullptr, 0));
    reader->auxInfo = EngineHandler;
    EXPECT_EQ(7, writer->auxInfo(writer, 0, MUX_AUX_END_OF_STREAM, nullptr, 0));
    EXPECT_EQ(reader, g_auxStream);
    EXPECT_EQ(static_cast<int>(MUX_AUX_END_OF_STREAM), g_auxCommand);

    EXPECT_EQ(3, writer->copy(writer, Bytes("abc"), 3));
    EXPECT_EQ(97, writer->freeSpace(writer));
    EXPECT_EQ(3, reader->freeSpace(reader));
    uint8_t out[3];
    EXPECT_EQ(3, reader->copy(reader, out, 3));
    EXPECT_EQ(0, memcmp(out, "abc", 3));
}

} // namespace
