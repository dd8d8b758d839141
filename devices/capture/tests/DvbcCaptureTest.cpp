// The DVB-C card through its record, over the prefix's "DVBC TS Capture" stand-in (log
// "dvbc") and the chip library beside the test (log "dm1105", its EEPROM and key queue in
// HKLM\Software\Sim\dm1105).
#include <gtest/gtest.h>

#include "AppMessages.h"
#include "DvbcCapture.h"
#include "GraphBuilder.h"
#include "MessageSink.h"
#include "NullI2C.h"
#include "SimLogTail.h"
#include "SimSwitch.h"

#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Lines;

const char kCaptureName[] = "DVBC TS Capture";
const char kLibraryKey[] = "Software\\Sim\\dm1105";

void SetLibraryEeprom(const BYTE* bytes)
{
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLibraryKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key,
                                             NULL));
    RegSetValueExA(key, "Eeprom", 0, REG_BINARY, bytes, CDvbcCapture::kEepromSize);
    RegCloseKey(key);
}

std::vector<BYTE> LibraryEeprom()
{
    std::vector<BYTE> bytes(CDvbcCapture::kEepromSize);
    DWORD size = (DWORD)bytes.size();
    RegGetValueA(HKEY_LOCAL_MACHINE, kLibraryKey, "Eeprom", RRF_RT_REG_BINARY, NULL, bytes.data(), &size);
    return bytes;
}

// The library's log without its key lines, which depend on when its thread ran.
Lines Calls(const SimLogTail& log)
{
    Lines calls;
    for (const std::string& line : log.Lines()) {
        if (line.compare(0, 2, "K ") != 0)
            calls.push_back(line);
    }
    return calls;
}

class DvbcCaptureTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText(); }
    void TearDown() override { m_graph.TearDown(); }

    // Through the registration list, as the program makes it; null when it was refused.
    CDvbcCapture* Open(const char* name = "DVBC")
    {
        return dynamic_cast<CDvbcCapture*>(
            m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, kCaptureName, name, 0, 0));
    }

    CGraphBuilder m_graph;
};

// The keys that arrive within the wait, with their lParam 0.
std::vector<WPARAM> KeysPosted(MessageSink& sink, DWORD waitMs)
{
    std::vector<WPARAM> keys;
    MSG msg;
    while (sink.WaitFor(WM_REMOTE_KEY, waitMs, &msg)) {
        EXPECT_EQ(0, msg.lParam);
        keys.push_back(msg.wParam);
    }
    return keys;
}

// Until the library's thread has handed the queued keys over: it empties the queue first.
void WaitUntilKeysTaken(const SimLogTail& log, size_t count)
{
    for (int i = 0; i < 100; ++i) {
        size_t taken = 0;
        for (const std::string& line : log.Lines())
            taken += line.compare(0, 2, "K ") == 0;
        if (taken >= count)
            return;
        Sleep(50);
    }
    ADD_FAILURE() << "the library handed over no keys";
}

// Queues keys for the library and returns those posted once it has handed them all over;
// taken counts the keys the log shows handed over since it was made, these included.
std::vector<WPARAM> QueueKeys(const char* keys, const SimLogTail& log, size_t taken, MessageSink& sink)
{
    {
        SimSwitch queue("dm1105", "KeyQueue", keys);
        WaitUntilKeysTaken(log, taken);
    }
    return KeysPosted(sink, 300);
}

} // namespace

TEST_F(DvbcCaptureTest, ComesThroughItsRecordWithTheNullAccessAndItsStoredDefaults)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(16, device->GetAccessMode());
    EXPECT_NE(nullptr, dynamic_cast<CNullI2C*>(device->GetI2CAccess()));
    EXPECT_EQ(6875u, device->GetSymbolRate());
    EXPECT_EQ(2u, device->GetModulation());
    EXPECT_EQ(0, device->GetEntryCount());
    DWORD first = 1, second = 1;
    device->GetPair(&first, &second);
    EXPECT_EQ(0u, first);
    EXPECT_EQ(0u, second);
    device->SetPair(7, 9);
    device->GetPair(&first, &second);
    EXPECT_EQ(7u, first);
    EXPECT_EQ(9u, second);
}

TEST_F(DvbcCaptureTest, AFilterWithoutThePrivateInterfaceIsNoDevice)
{
    SimSwitch omit("dvbc", "Omit", "IDvbcTsControl");
    EXPECT_EQ(nullptr, Open());
}

TEST_F(DvbcCaptureTest, PrivateCallsReachTheFilterByMethodNumber)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    SimLogTail log("dvbc");
    EXPECT_TRUE(device->PrivateCall3());
    EXPECT_TRUE(device->PrivateCall4());
    EXPECT_TRUE(device->PrivateCall5(1, 2));
    EXPECT_TRUE(device->PrivateCall7());
    EXPECT_TRUE(device->PrivateCall8(8));
    EXPECT_TRUE(device->PrivateCall9(9));
    EXPECT_TRUE(device->PrivateCall10(10));
    EXPECT_TRUE(device->PrivateCall11(11));
    EXPECT_TRUE(device->PrivateCall12(12));
    EXPECT_TRUE(device->PrivateCall14(14));
    EXPECT_TRUE(device->PrivateCall20(20, 21));
    EXPECT_EQ(Lines({"M3 -> 00000000", "M4 -> 00000000", "M5 1 2 -> 00000000", "M7 -> 00000000",
                     "M8 8 -> 00000000", "M9 9 -> 00000000", "M10 10 -> 00000000", "M11 11 -> 00000000",
                     "M12 12 -> 00000000", "M14 14 -> 00000000", "M20 20 21 -> 00000000"}),
              log.Lines());
}

TEST_F(DvbcCaptureTest, AFailedPrivateCallIsFalse)
{
    SimSwitch fail("dvbc", "FailMethod", "12");
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    EXPECT_FALSE(device->PrivateCall12(1));
    EXPECT_TRUE(device->PrivateCall11(1));
}

TEST_F(DvbcCaptureTest, EepromReadsAndWritesGoThroughTheLibraryByteByByte)
{
    BYTE image[CDvbcCapture::kEepromSize];
    for (int i = 0; i < CDvbcCapture::kEepromSize; ++i)
        image[i] = (BYTE)i;
    SetLibraryEeprom(image);
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    SimLogTail log("dm1105");

    BYTE read[4] = {0};
    int count = 3;
    EXPECT_EQ(S_OK, device->ReadEeprom(read, 0x10, &count));
    EXPECT_EQ(3, count);
    EXPECT_EQ(0x10, read[0]);
    EXPECT_EQ(0x12, read[2]);
    // Past the library's 128 bytes the bytes it refuses are left out.
    count = 4;
    EXPECT_EQ(S_OK, device->ReadEeprom(read, 126, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(126, read[0]);
    EXPECT_EQ(127, read[1]);

    BYTE data[] = {0xA1, 0xB2};
    count = 2;
    EXPECT_EQ(S_OK, device->WriteEeprom(data, 0x40, &count, 0));
    // The last byte's refusal decides: the first one is written all the same.
    count = 2;
    EXPECT_EQ(E_FAIL, device->WriteEeprom(data, 127, &count, 0));
    std::vector<BYTE> eeprom = LibraryEeprom();
    EXPECT_EQ(0xA1, eeprom[0x40]);
    EXPECT_EQ(0xB2, eeprom[0x41]);
    EXPECT_EQ(0xA1, eeprom[127]);

    EXPECT_EQ(Lines({"E read 16+1", "E read 17+1", "E read 18+1", "E read 126+1", "E read 127+1", "! read 128+1",
                     "! read 129+1", "E write 64+1", "E write 65+1", "E write 127+1", "! write 128+1"}),
              Calls(log));
}

TEST_F(DvbcCaptureTest, EepromRequestsWithNothingToDoReachNoLibrary)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    SimLogTail log("dm1105");
    BYTE data[2] = {1, 2};
    struct Case
    {
        BYTE* data;
        int offset;
        int count;
    };
    // No data, no count, or a start beyond the 128 bytes: S_OK and nothing written.
    const Case writes[] = {{nullptr, 0, 2}, {data, 0, 0}, {data, 0, -1}, {data, 128, 2}, {data, 255, 1}};
    for (size_t i = 0; i < sizeof(writes) / sizeof(writes[0]); ++i) {
        int count = writes[i].count;
        EXPECT_EQ(S_OK, device->WriteEeprom(writes[i].data, writes[i].offset, &count, 0)) << i;
    }
    const Case reads[] = {{data, 0, 0}, {data, 128, 2}};
    for (size_t i = 0; i < sizeof(reads) / sizeof(reads[0]); ++i) {
        int count = reads[i].count;
        EXPECT_EQ(S_OK, device->ReadEeprom(reads[i].data, reads[i].offset, &count)) << i;
    }
    // A read without a buffer to write into is refused.
    int count = 2;
    EXPECT_EQ(E_POINTER, device->ReadEeprom(nullptr, 0, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(Lines(), Calls(log));
}

TEST_F(DvbcCaptureTest, SetPortFlagWritesPort18)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    SimLogTail log("dm1105");
    EXPECT_TRUE(device->SetPortFlag(TRUE));
    EXPECT_TRUE(device->SetPortFlag(FALSE));
    EXPECT_EQ(Lines({"P 18 <- 90", "P 18 <- 00"}), Calls(log));
}

TEST_F(DvbcCaptureTest, OneKeyIsPostedPerRegistration)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    MessageSink sink;
    device->SetNotify(sink.Handle(), 1, 2);
    SimLogTail log("dm1105");
    ASSERT_TRUE(device->RegisterKeyCallback());

    EXPECT_EQ(std::vector<WPARAM>({0xC3}), QueueKeys("C3 45", log, 2, sink));

    // Registering again clears the flag without a second registration with the library.
    EXPECT_TRUE(device->RegisterKeyCallback());
    EXPECT_EQ(std::vector<WPARAM>({0x17}), QueueKeys("17", log, 3, sink));

    m_graph.TearDown();
    EXPECT_EQ(Lines({"C register", "C unregister"}), Calls(log));
}

TEST_F(DvbcCaptureTest, AnotherInstanceNeitherTakesNorCutsOffTheKeys)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    MessageSink sink;
    device->SetNotify(sink.Handle(), 0, 0);
    SimLogTail log("dm1105");
    ASSERT_TRUE(device->RegisterKeyCallback());

    {
        std::unique_ptr<CDvbcCapture> other(
            new CDvbcCapture(&m_graph, CLSID_VideoInputDeviceCategory, kCaptureName, 0));
        other->Open();
        ASSERT_TRUE(other->IsValid());
        MessageSink otherSink;
        other->SetNotify(otherSink.Handle(), 0, 0);
        // 1 without asking the library.
        EXPECT_EQ(1, other->RegisterKeyCallback());
        other->UnregisterKeyCallback();
    }
    EXPECT_EQ(Lines({"C register"}), Calls(log));

    EXPECT_EQ(std::vector<WPARAM>({0x5A}), QueueKeys("5A", log, 1, sink));
    device->UnregisterKeyCallback();
    EXPECT_EQ(Lines({"C register", "C unregister"}), Calls(log));
}

TEST_F(DvbcCaptureTest, TheEntryTableKeepsACopyWithRoomForTenMore)
{
    CDvbcCapture* device = Open();
    ASSERT_NE(nullptr, device);
    CDvbcCapture::Entry entries[3];
    for (int i = 0; i < 3; ++i)
        memset(entries[i].data, 0x10 + i, sizeof(entries[i].data));
    ASSERT_TRUE(device->SetEntryTable(entries, 3));
    memset(entries, 0, sizeof(entries));
    EXPECT_EQ(3, device->GetEntryCount());
    ASSERT_NE(nullptr, device->GetEntry(2));
    EXPECT_EQ(0x12, device->GetEntry(2)->data[11]);
    EXPECT_EQ(nullptr, device->GetEntry(3));
    EXPECT_EQ(nullptr, device->GetEntry(-1));

    // A null table with entries to copy and a negative count are refused, the table kept;
    // a null table with none to copy changes nothing.
    EXPECT_FALSE(device->SetEntryTable(nullptr, 2));
    EXPECT_FALSE(device->SetEntryTable(entries, -1));
    EXPECT_TRUE(device->SetEntryTable(nullptr, 0));
    EXPECT_EQ(3, device->GetEntryCount());
    EXPECT_EQ(0x10, device->GetEntry(0)->data[0]);

    EXPECT_TRUE(device->SetEntryTable(entries, 0));
    EXPECT_EQ(0, device->GetEntryCount());
    EXPECT_EQ(nullptr, device->GetEntry(0));
}

TEST(DvbcCaptureBuffers, ValidBuffersAreCommittedMemoryOfTheRightAccess)
{
    BYTE local[16];
    EXPECT_FALSE(CDvbcCapture::IsValidBuffer(nullptr, 4, FALSE));
    EXPECT_TRUE(CDvbcCapture::IsValidBuffer(local, sizeof(local), TRUE));
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    BYTE* page = (BYTE*)VirtualAlloc(NULL, info.dwPageSize * 2, MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(nullptr, page);
    ASSERT_NE(nullptr, VirtualAlloc(page, info.dwPageSize, MEM_COMMIT, PAGE_READONLY));
    EXPECT_TRUE(CDvbcCapture::IsValidBuffer(page, info.dwPageSize, FALSE));
    EXPECT_FALSE(CDvbcCapture::IsValidBuffer(page, info.dwPageSize, TRUE));
    // Running into the reserved page beyond.
    EXPECT_FALSE(CDvbcCapture::IsValidBuffer(page + info.dwPageSize - 4, 8, FALSE));
    VirtualFree(page, 0, MEM_RELEASE);
}
