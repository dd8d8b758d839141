#include <gtest/gtest.h>

#include "DialogWatcher.h"
#include "GraphBuilder.h"
#include "SimDeviceSupport.h"
#include "VideoCaptureFilter.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// The plain capture filter wrapper over the simulated card's capture filter: the Conexant
// card of the prefix, and a card registered as a USB camera, which also offers I420 and has
// property pages on its filter and its pins' stream configuration.
namespace {

const DWORD kCameraCard = 1;
const char kCamera[] = "Usb_Cam_Capture";

class VideoCaptureFilterTest : public testing::Test
{
protected:
    VideoCaptureFilterTest() : m_control(0) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        SimControl::Install(FALSE, L"card=1");
        ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=1;family=usbcam;audio=0"));
    }

    void TearDown() override
    {
        m_graph.Stop();
        if (m_device)
            m_graph.RemoveFromGraph(m_device.get());
        m_device.reset();
        m_graph.TearDown();
        SimControl::Install(FALSE, L"card=1");
    }

    void Open(const char* name)
    {
        m_device.reset(new CVideoCaptureFilter(&m_graph, CLSID_VideoInputDeviceCategory, name, 0));
        ASSERT_TRUE(m_device->GetFilter()) << name;
        ASSERT_TRUE(m_graph.AddToGraph(m_device.get()));
        m_control.Run("reset");
    }

    CaptureFormat Format()
    {
        CaptureFormat format;
        EXPECT_EQ(S_OK, m_device->GetCaptureFormat(&format, 1));
        return format;
    }

    CGraphBuilder m_graph;
    SimControl m_control;
    std::unique_ptr<CVideoCaptureFilter> m_device;
};

} // namespace

TEST_F(VideoCaptureFilterTest, I420IsFoundOnTheCameraOnly)
{
    Open("Conexant 2388x_1 Video Capture");
    EXPECT_FALSE(m_device->DetectI420());
    EXPECT_FALSE(m_device->HasI420());
    m_graph.RemoveFromGraph(m_device.get());
    Open(kCamera);
    EXPECT_TRUE(m_device->DetectI420());
    EXPECT_TRUE(m_device->HasI420());
}

TEST_F(VideoCaptureFilterTest, SetCaptureSizeCapsALargerSizeAndKeepsASmallerOne)
{
    Open(kCamera);
    CaptureFormat yuy2 = Format();
    yuy2.subtype = CVideoCaptureFilter::kYuy2;
    ASSERT_EQ(S_OK, m_device->SetCaptureFormat(yuy2, 1));

    EXPECT_TRUE(m_device->SetCaptureSize(720, 576));
    CaptureFormat format = Format();
    EXPECT_EQ(640, format.header.bmiHeader.biWidth);
    EXPECT_EQ(480, format.header.bmiHeader.biHeight);
    EXPECT_EQ(640u * 480 * 2, format.header.bmiHeader.biSizeImage);

    EXPECT_TRUE(m_device->SetCaptureSize(320, 240));
    format = Format();
    EXPECT_EQ(320, format.header.bmiHeader.biWidth);
    EXPECT_EQ(240, format.header.bmiHeader.biHeight);
    EXPECT_EQ(320u * 240 * 2, format.header.bmiHeader.biSizeImage);

    // A size the card refuses is not written.
    EXPECT_FALSE(m_device->SetCaptureSize(100, 100));
    EXPECT_EQ(320, Format().header.bmiHeader.biWidth);
}

TEST_F(VideoCaptureFilterTest, SubtypeCodesRoundTripAsThisClassNamesThem)
{
    Open(kCamera);
    struct Case
    {
        int written;
        WORD bitCount;
        int read;
    };
    const Case cases[] = {
        {CVideoCaptureFilter::kRgb555, 16, CVideoCaptureFilter::kRgb555},
        {CVideoCaptureFilter::kRgb24, 24, CVideoCaptureFilter::kRgb24},
        {CVideoCaptureFilter::kYuy2, 16, CVideoCaptureFilter::kYuy2},
        {CVideoCaptureFilter::kYvu9, 9, CVideoCaptureFilter::kYvu9},
        {CVideoCaptureFilter::kYv12, 12, CVideoCaptureFilter::kYv12},
        // I420 can be written, and reads back as a subtype outside the table.
        {CVideoCaptureFilter::kI420, 12, CVideoCaptureFilter::kOther},
        // Unknown codes are written as YUY2.
        {6, 16, CVideoCaptureFilter::kYuy2},
        {-1, 16, CVideoCaptureFilter::kYuy2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        CaptureFormat format = Format();
        format.subtype = c.written;
        format.header.bmiHeader.biWidth = 320;
        format.header.bmiHeader.biHeight = 240;
        format.header.bmiHeader.biBitCount = c.bitCount;
        format.header.bmiHeader.biCompression = 0;
        ASSERT_EQ(S_OK, m_device->SetCaptureFormat(format, 1));
        EXPECT_EQ(c.read, Format().subtype);
    }

    // A subtype outside the table reads as -1: UYVY, which the card offers.
    CComRef<IAMStreamConfig> config;
    ASSERT_EQ(S_OK, m_graph.GetCaptureBuilder()->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                               m_device->GetFilter(), IID_IAMStreamConfig,
                                                               config.ReceiveVoid()));
    AM_MEDIA_TYPE* type = NULL;
    ASSERT_EQ(S_OK, m_device->GetMediaType(&type, 1));
    type->subtype = MEDIASUBTYPE_UYVY;
    ((VIDEOINFOHEADER*)type->pbFormat)->bmiHeader.biCompression = MAKEFOURCC('U', 'Y', 'V', 'Y');
    ((VIDEOINFOHEADER*)type->pbFormat)->bmiHeader.biBitCount = 16;
    ((VIDEOINFOHEADER*)type->pbFormat)->bmiHeader.biSizeImage = 320 * 240 * 2;
    EXPECT_EQ(S_OK, config->SetFormat(type));
    CoTaskMemFree(type->pbFormat);
    CoTaskMemFree(type);
    EXPECT_EQ(CVideoCaptureFilter::kOther, Format().subtype);
}

TEST_F(VideoCaptureFilterTest, PropertyFramesOpenOnlyWhileTheGraphIsStopped)
{
    Open(kCamera);
    SimControl camera(kCameraCard);
    unsigned long seq = 0;
    sscanf(camera("trace mark").c_str(), "seq=%lu", &seq);
    {
        // The frames are modal: the watcher answers each.
        DialogWatcher watcher;
        EXPECT_TRUE(m_device->ShowPropertyPage(CVideoCaptureFilter::kFilterPages, NULL, "Camera", 1));
        EXPECT_TRUE(m_device->ShowPropertyPage(CVideoCaptureFilter::kStreamConfigPages, NULL, "Capture pin", 1));
        EXPECT_TRUE(m_device->ShowPropertyPage(CVideoCaptureFilter::kStreamConfigPages, NULL, "Preview pin", 0));
        EXPECT_FALSE(m_device->ShowPropertyPage(2, NULL, "Camera", 1));
        ASSERT_TRUE(m_graph.Run());
        EXPECT_FALSE(m_device->ShowPropertyPage(CVideoCaptureFilter::kFilterPages, NULL, "Camera", 1));
        EXPECT_FALSE(m_device->ShowPropertyPage(CVideoCaptureFilter::kStreamConfigPages, NULL, "Camera", 1));
        // The frame's title begins with the caption given; the system adds its word for it.
        std::vector<ShownDialog> shown = watcher.Dialogs();
        const char* expected[] = {"Camera ", "Capture pin ", "Preview pin "};
        ASSERT_EQ(3u, shown.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(0, shown[i].caption.compare(0, strlen(expected[i]), expected[i])) << shown[i].caption;
            EXPECT_EQ(IDOK, shown[i].pressed);
        }
    }
    // Asked by the stopped graph's requests only: the filter's, then each pin's.
    std::string trace = camera("trace " + std::to_string(seq));
    std::vector<std::string> asked;
    for (size_t at = trace.find("U pages"); at != std::string::npos; at = trace.find("U pages", at + 1))
        asked.push_back(trace.substr(at, trace.find('\n', at) - at));
    EXPECT_EQ(std::vector<std::string>({"U pages", "U pages pin", "U pages pin"}), asked) << trace;
}
