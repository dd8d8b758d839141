// The graph's tuner, scan, card-command and snapshot forwards over the simulated card, with a
// plain test window as the video window and a message sink as the scan's notify window.
#include <gtest/gtest.h>

#include "GraphWindowFixture.h"

#include "AppMessages.h"
#include "CaptureDevice.h"
#include "MessageSink.h"
#include "ScanMessages.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "TunerModel.h"

#include <cstdio>
#include <string>

namespace
{

const DWORD kScanTimeoutMs = 60000;
const DWORD kRecordTimeoutMs = 20000;

// Whether the file holds more than that many bytes within the record time-out; the message
// queue is served meanwhile, as the video window's thread would.
bool FileGrowsPast(const std::string& path, LONGLONG bytes)
{
    DWORD start = GetTickCount();
    do {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
            ((LONGLONG)data.nFileSizeHigh << 32 | data.nFileSizeLow) > bytes)
            return true;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    } while (GetTickCount() - start < kRecordTimeoutMs);
    return false;
}

class TVGraphTunerTest : public GraphWindowFixture
{
protected:

    // The card's bus traffic while the action runs.
    template <class Action>
    std::string TraceOf(Action action)
    {
        unsigned long mark = 0;
        sscanf(m_control("trace mark").c_str(), "seq=%lu", &mark);
        action();
        return m_control("trace " + std::to_string(mark));
    }

    // The card the device classes bind by name is card 0.
    SimControl m_control{0};
    MessageSink m_sink;
};

} // namespace

TEST_F(TVGraphTunerTest, ScanStartedThroughTheGraphPostsToTheNotifyWindowAndFindsTheStations)
{
    m_control("tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5");
    RunPreview();
    const float table[] = {49.75f, 57.75f, 77.25f, 184.25f, 192.25f, 471.25f, 615.25f};
    ASSERT_TRUE(m_graph.SetScanFrequencies(table, 7));
    m_graph.GetCaptureDevice()->GetTuner()->SetNotifyWnd(m_sink.Handle());

    ASSERT_TRUE(m_graph.StartScan(TRUE, FALSE));
    EXPECT_TRUE(m_graph.IsScanLocked());
    ScanMessages messages;
    messages.CollectUntilDone(m_sink.Handle(), kScanTimeoutMs);
    m_graph.StopScan();
    messages.CollectQueued(m_sink.Handle());

    EXPECT_FALSE(m_graph.IsScanLocked());
    EXPECT_EQ(1, messages.done);
    const int tried[] = {49750, 57750, 77250, 184250, 192250, 471250, 615250};
    EXPECT_EQ(std::vector<int>(tried, tried + 7), messages.Frequencies());
    const int found[] = {49750, 77250, 184250, 471250, 615250};
    EXPECT_EQ(std::vector<int>(found, found + 5), messages.Found());
    EXPECT_FALSE(m_graph.SetScanFrequencies(NULL, 3));
}

// The card's EEPROM names tuner type 11: TV from 48250 to 863250 kHz, FM from 87000 to 107800
// kHz on a 10.7 MHz IF in 31.25 kHz steps, control byte 8A and band byte A5 (bus address C0).
TEST_F(TVGraphTunerTest, FmTuningAndTheTunerFiguresComeFromTheCardsModule)
{
    RunPreview();
    EXPECT_EQ(11, m_graph.GetTunerType());
    int lower = 0, upper = 0;
    ASSERT_TRUE(m_graph.GetTunerRange(&lower, &upper));
    EXPECT_EQ(48250, lower);
    EXPECT_EQ(863250, upper);
    ASSERT_TRUE(m_graph.GetFMRange(&lower, &upper));
    EXPECT_EQ(87000, lower);
    EXPECT_EQ(107800, upper);

    std::string trace = TraceOf([this] { EXPECT_TRUE(m_graph.SetFMFrequency(90000)); });
    EXPECT_NE(std::string::npos, trace.find("W 60 0C 96 8A A5")) << trace;
}

TEST_F(TVGraphTunerTest, CardCommandsWriteTheLowWordOnlyWhenOnAndNotZero)
{
    RunPreview();
    struct
    {
        DWORD word;
        BOOL on;
        const char* word16;
        const char* enabled;
    } cases[] = {
        {0x000104D2, TRUE, "word=0x04D2", "enabled=1"},
        {0x00010000, TRUE, "word=0x04D2", "enabled=1"},
        {0x00000005, FALSE, "word=0x04D2", "enabled=0"},
        {0x00000007, TRUE, "word=0x0007", "enabled=1"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        EXPECT_TRUE(m_graph.SendCardCommand(cases[i].word, cases[i].on)) << "row " << i;
        std::string state = m_control("mcu");
        EXPECT_NE(std::string::npos, state.find(cases[i].word16)) << "row " << i << ": " << state;
        EXPECT_NE(std::string::npos, state.find(cases[i].enabled)) << "row " << i << ": " << state;
    }
}

TEST_F(TVGraphTunerTest, SnapshotThroughTheGraphWritesThePictureFile)
{
    RunPreview();
    SIZE pin = m_graph.GetCapturePinSize();
    EXPECT_EQ(640, pin.cx);
    EXPECT_EQ(480, pin.cy);
    TempFolder folder;
    std::string bmp = folder.FilePath("snap.bmp");
    std::string jpeg = folder.FilePath("snap.jpg");

    ASSERT_TRUE(m_graph.TakeSnapshot(bmp.c_str(), 1, 80));
    ASSERT_TRUE(m_graph.TakeSnapshot(jpeg.c_str(), 2, 80));

    std::string bytes = TempFolder::ReadWholeFile(bmp);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ("BM", bytes.substr(0, 2));
    EXPECT_EQ("\xFF\xD8\xFF", TempFolder::ReadWholeFile(jpeg).substr(0, 3));
    EXPECT_FALSE(m_graph.TakeSnapshot(NULL, 1, 80));
}

// Stops once pictures reach the file: a record graph stopped before its first picture has hung
// in its teardown here, and that is not what this test checks.
TEST_F(TVGraphTunerTest, NoSnapshotIsTakenWhileRecording)
{
    RunPreview();
    TempFolder folder;
    std::string snap = folder.FilePath("during.bmp");
    std::string avi = folder.FilePath("record.avi");
    ASSERT_TRUE(m_graph.SetRecordFormat(CTVGraph::kRecordAvi));
    m_graph.SetRecordFileName(avi.c_str());
    ASSERT_TRUE(m_graph.StartRecord());

    EXPECT_FALSE(m_graph.TakeSnapshot(snap.c_str(), 1, 80));

    EXPECT_TRUE(FileGrowsPast(avi, 640 * 480 * 2));
    EXPECT_TRUE(m_graph.StopRecord());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(snap.c_str()));
    EXPECT_TRUE(m_graph.TakeSnapshot(snap.c_str(), 1, 80)) << "the preview's picture again";
}
