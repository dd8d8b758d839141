// The DV camcorder classes over the prefix's DV device stand-in, whose switches
// (HKLM\Software\Sim\dv) set the device type, transport mode and time code it reports and
// which of its interfaces it offers.
#include <gtest/gtest.h>

#include "1394Access.h"
#include "AppMessages.h"
#include "DialogWatcher.h"
#include "DvCamera.h"
#include "GraphBuilder.h"
#include "MessageSink.h"
#include "SimLogTail.h"
#include "SimSwitch.h"

#include <edevdefs.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kDvName[] = "Microsoft DV Camera and VCR";
const char kVcrType[] = "0x1008";     // ED_DEVTYPE_VCR
const char kCameraType[] = "0x1010";  // any type but a VCR
const char kPlay[] = "0x10C8";        // ED_MODE_PLAY
// 01:23:45:12 as the device packs it: hours in the top byte.
const char kTimecode[] = "0x01234512";

class DvCameraTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText(); }
    void TearDown() override { m_graph.TearDown(); }

    // Through the registration list, as the program makes it; null when it was refused.
    CDvCamera* Open()
    {
        CFilterWrapper* wrapper = m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, kDvName, "DV", 0, 0);
        return dynamic_cast<CDvCamera*>(wrapper);
    }

    // The monitor's messages over about a second: each wParam and lParam, and the time
    // between the first and the last.
    struct Posted
    {
        std::vector<WPARAM> wParams;
        std::vector<LPARAM> lParams;
        DWORD spanMs;
    };

    Posted Collect(MessageSink& sink, int count)
    {
        Posted posted = {{}, {}, 0};
        DWORD first = 0;
        MSG msg;
        for (int i = 0; i < count && sink.WaitFor(WM_DV_EVENT, 2000, &msg); ++i) {
            if (i == 0)
                first = GetTickCount();
            posted.spanMs = GetTickCount() - first;
            posted.wParams.push_back(msg.wParam);
            posted.lParams.push_back(msg.lParam);
        }
        return posted;
    }

    CGraphBuilder m_graph;
};

} // namespace

TEST_F(DvCameraTest, ComesThroughItsRecordAndDrivesTheDevice)
{
    SimSwitch type("dv", "DeviceType", kVcrType);
    SimSwitch timecode("dv", "TimeCode", kTimecode);
    SimSwitch atn("dv", "Atn", "0x2A5F");
    CDvCamera* camera = Open();
    ASSERT_NE(nullptr, camera);
    EXPECT_TRUE(camera->IsValid());
    ASSERT_NE(nullptr, camera->GetAccess());
    EXPECT_EQ(C1394Access::kVcr, camera->GetDeviceMode());

    SimLogTail log("dv");
    EXPECT_TRUE(camera->SetTransportMode(ED_MODE_PLAY));
    EXPECT_EQ(std::vector<std::string>({"T mode=4296"}), log.Lines());
    EXPECT_EQ(ED_MODE_PLAY, camera->GetTransportMode());

    C1394Access* access = camera->GetAccess();
    char hours[3], minutes[3], seconds[3], frames[3];
    ASSERT_TRUE(access->ReadTimecodeText(hours, minutes, seconds, frames));
    EXPECT_STREQ("01", hours);
    EXPECT_STREQ("23", minutes);
    EXPECT_STREQ("45", seconds);
    EXPECT_STREQ("12", frames);
    EXPECT_FALSE(access->ReadTimecodeText(hours, minutes, seconds, NULL));

    DvTimecode read;
    BOOL user = FALSE;
    ASSERT_TRUE(access->ReadTimecodeEx(&read, &user));
    EXPECT_EQ(0x01, read.hours);
    EXPECT_EQ(0x12, read.frames);
    EXPECT_TRUE(user);
    DWORD track = 0;
    ASSERT_TRUE(access->ReadAtn(&track));
    EXPECT_EQ(0x2A5Fu, track);
    long status = 0;
    EXPECT_TRUE(access->GetTransportStatus(ED_MODE, &status));
    EXPECT_EQ(ED_MODE_PLAY, status);
    EXPECT_FALSE(access->GetTransportStatus(ED_MODE, NULL));
    int rate = 0;
    ASSERT_TRUE(access->GetTransportRate(&rate));
    EXPECT_EQ(2, rate);

    // The device mode: no type reported, a VCR, anything else.
    const struct
    {
        const char* type;
        int mode;
    } modes[] = {{"0", C1394Access::kNoDeviceType}, {kVcrType, C1394Access::kVcr}, {kCameraType, C1394Access::kOtherDevice}};
    for (const auto& row : modes) {
        SimSwitch deviceType("dv", "DeviceType", row.type);
        EXPECT_EQ(row.mode, camera->GetDeviceMode()) << row.type;
    }

    // Without its access object the camera answers 0 and FALSE.
    camera->CloseDv();
    EXPECT_EQ(nullptr, camera->GetAccess());
    EXPECT_EQ(0, camera->GetDeviceMode());
    EXPECT_EQ(0, camera->GetTransportMode());
    EXPECT_FALSE(camera->SetTransportMode(ED_MODE_STOP));
    EXPECT_FALSE(camera->ReadTimecode(&read));
    EXPECT_FALSE(camera->StartDvMonitor());
}

TEST_F(DvCameraTest, AsAVcrTheMonitorPostsModesAndTimecodeEvery200Ms)
{
    SimSwitch type("dv", "DeviceType", kVcrType);
    SimSwitch mode("dv", "TransportMode", kPlay);
    SimSwitch timecode("dv", "TimeCode", kTimecode);
    CDvCamera* camera = Open();
    ASSERT_NE(nullptr, camera);
    MessageSink sink;
    camera->SetNotifyWnd(sink.Handle());
    ASSERT_TRUE(camera->StartDvMonitor());

    Posted posted = Collect(sink, 6);
    ASSERT_EQ(6u, posted.wParams.size());
    // Five periods of 200 ms; a loaded machine may stretch them, never shorten them much.
    EXPECT_GE(posted.spanMs, 900u);
    EXPECT_LE(posted.spanMs, 2000u);
    for (size_t i = 0; i < posted.wParams.size(); ++i) {
        EXPECT_EQ((WPARAM)(2 << 16 | 0x10C8), posted.wParams[i]) << i;
        EXPECT_EQ((LPARAM)0x12452301, posted.lParams[i]) << i;
    }

    // A new transport mode shows in the next messages.
    ASSERT_TRUE(camera->SetTransportMode(ED_MODE_STOP));
    posted = Collect(sink, 2);
    ASSERT_EQ(2u, posted.wParams.size());
    EXPECT_EQ((WPARAM)(2 << 16 | ED_MODE_STOP), posted.wParams[1]);

    // Stopped, it posts nothing more.
    EXPECT_TRUE(camera->StopDvMonitor());
    MSG msg;
    while (PeekMessage(&msg, sink.Handle(), WM_DV_EVENT, WM_DV_EVENT, PM_REMOVE))
        ;
    EXPECT_FALSE(sink.WaitFor(WM_DV_EVENT, 500));
}

TEST_F(DvCameraTest, AsACameraTheMonitorPostsTheModeOnly)
{
    SimSwitch type("dv", "DeviceType", kCameraType);
    SimSwitch mode("dv", "TransportMode", kPlay);
    SimSwitch timecode("dv", "TimeCode", kTimecode);
    CDvCamera* camera = Open();
    ASSERT_NE(nullptr, camera);
    MessageSink sink;
    camera->SetNotifyWnd(sink.Handle());
    ASSERT_TRUE(camera->StartDvMonitor());
    Posted posted = Collect(sink, 3);
    ASSERT_EQ(3u, posted.wParams.size());
    for (size_t i = 0; i < posted.wParams.size(); ++i) {
        EXPECT_EQ((WPARAM)(3 << 16), posted.wParams[i]) << i;
        EXPECT_EQ((LPARAM)0, posted.lParams[i]) << i;
    }
    camera->CloseDv();
    EXPECT_FALSE(sink.WaitFor(WM_DV_EVENT, 500));
}

TEST_F(DvCameraTest, WithoutAnyOfItsInterfacesInitToldTheUserAndFails)
{
    const char* interfaces[] = {"IAMTimecodeReader", "IAMExtTransport", "IAMExtDevice"};
    for (const char* name : interfaces) {
        SCOPED_TRACE(name);
        SimSwitch omit("dv", "Omit", name);
        std::vector<ShownDialog> shown;
        {
            DialogWatcher watcher;
            EXPECT_EQ(nullptr, Open());
            shown = watcher.Dialogs();
        }
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ("Alert", shown[0].caption);
        EXPECT_EQ(" Create C1394Access Failed ! \n Please Insert 1394Card!", shown[0].text);
        EXPECT_EQ(IDOK, shown[0].pressed);
    }
}
