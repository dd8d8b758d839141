#include <gtest/gtest.h>

#include "AppMessages.h"
#include "Cx2388x1Capture.h"
#include "Cx2388x1Crossbar.h"
#include "GraphBuilder.h"
#include "I2CAccess.h"
#include "MessageSink.h"
#include "MutexHolder.h"
#include "SimDeviceSupport.h"

#include <ks.h>
#include <ksmedia.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// The card of the prefix that the program's device classes bind by name: card 0. Each test
// leaves its instance values as the prefix installed them.
class Cx2388xCardTest : public testing::Test
{
protected:
    Cx2388xCardTest() : m_control(0) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        // The card is live only once a filter of it exists.
        m_control.Run("reset");
    }

    void TearDown() override
    {
        m_graph.TearDown();
        m_control.Run("eeprom 20 = 54 0B");
        m_control.Run("pll C0");
        m_control.Run("mcu present");
        m_control.Run("reset");
    }

    CCx2388x1Capture* OpenCapture()
    {
        CFilterWrapper* wrapper = m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory,
                                                          "Conexant 2388x_1 Video Capture", "Video Capture", 0, 0);
        return dynamic_cast<CCx2388x1Capture*>(wrapper);
    }

    DWORD GpioView(CCaptureDevice* device)
    {
        DWORD word = 0;
        EXPECT_EQ(S_OK, device->GetI2CAccess()->ReadGpio(&word));
        return word;
    }

    static size_t Count(const std::string& trace, const char* text)
    {
        size_t count = 0;
        for (size_t at = trace.find(text); at != std::string::npos; at = trace.find(text, at + 1))
            ++count;
        return count;
    }

    CGraphBuilder m_graph;
    SimControl m_control;
};

TEST_F(Cx2388xCardTest, OpensByNameWithTheTunerTypeOfTheEeprom)
{
    struct Case
    {
        const char* eeprom;  // letter and model bytes
        int typeId;
        int letter;
    };
    const Case cases[] = {
        {"54 0B", 11, 'T'},
        {"50 5C", 92, 'P'},
        // A letter the cards never carry reads as none; no model byte means the common type.
        {"42 FF", 4, 'T'},
        // A type the letter table knows but no tuner class drives.
        {"44 87", 4, 'T'},
        // The letter comes from the EEPROM, not from the type.
        {"41 64", 100, 'A'},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        m_control(std::string("eeprom 20 = ") + cases[i].eeprom);
        m_control.Run("reset");
        CCx2388x1Capture* device = OpenCapture();
        ASSERT_NE(nullptr, device);
        EXPECT_TRUE(device->IsValid());
        EXPECT_EQ(CCaptureDevice::kTunerFilter, device->GetAccessMode());
        EXPECT_STREQ("Conexant 2388x_1 Tuner", device->GetTunerFilterName());
        EXPECT_EQ(cases[i].typeId, device->GetTunerModelId());
        EXPECT_EQ(cases[i].letter, device->GetSystemLetter());
        EXPECT_NE(nullptr, device->GetTuner());
        EXPECT_NE(nullptr, device->FindPin("Capture"));
        EXPECT_NE(nullptr, device->FindPin("Preview"));
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(Cx2388xCardTest, TunesThePllWhereTheTunerAnswers)
{
    struct Case
    {
        const char* eeprom;
        const char* pll;
        const char* bytes;  // the tuning message of 49750 kHz as the card's bus saw it
    };
    const Case cases[] = {
        {"54 0B", "pll C0", "W 60 05 8A CE A0"},
        // The module's own address stays silent: the device finds it on the bus.
        {"54 04", "pll C2", "W 61 05 8A CE 01"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        m_control(std::string("eeprom 20 = ") + cases[i].eeprom);
        m_control(cases[i].pll);
        m_control.Run("reset");
        CCx2388x1Capture* device = OpenCapture();
        ASSERT_NE(nullptr, device);
        ASSERT_TRUE(device->IsValid());
        DWORD mark = m_control.TraceMark();
        EXPECT_TRUE(device->SetTunerFrequency(49750));
        EXPECT_NE(std::string::npos, m_control.TraceFrom(mark).find(cases[i].bytes)) << m_control.TraceFrom(mark);
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(Cx2388xCardTest, CrossbarRoutesEachSourceThroughTheCardsPinMap)
{
    CFilterWrapper* wrapper =
        m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, "Conexant 2388x_1 Crossbar", "Crossbar", 0, 0);
    CCx2388x1Crossbar* crossbar = dynamic_cast<CCx2388x1Crossbar*>(wrapper);
    ASSERT_NE(nullptr, crossbar);
    ASSERT_TRUE(crossbar->IsValid());
    CComRef<IAMCrossbar> routes;
    ASSERT_EQ(S_OK, crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, routes.ReceiveVoid()));

    struct Case
    {
        int source;
        long video, audio;
    };
    // Any source beyond S-video is the tuner.
    const Case cases[] = {{1, 2, 5}, {0, 1, 4}, {2, 0, 6}, {3, 1, 4}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(crossbar->SelectInput(cases[i].source));
        EXPECT_TRUE(crossbar->SelectAudioInput(cases[i].source));
        long video = -1, audio = -1;
        EXPECT_EQ(S_OK, routes->get_IsRoutedTo(0, &video));
        EXPECT_EQ(S_OK, routes->get_IsRoutedTo(1, &audio));
        EXPECT_EQ(cases[i].video, video);
        EXPECT_EQ(cases[i].audio, audio);
    }
    // Beyond the crossbar's pins nothing moves.
    EXPECT_FALSE(crossbar->RouteCrossbar(99, 0));
    EXPECT_FALSE(crossbar->RouteCrossbar(0, 7));
    long video = -1;
    EXPECT_EQ(S_OK, routes->get_IsRoutedTo(0, &video));
    EXPECT_EQ(1, video);
}

TEST_F(Cx2388xCardTest, AudioInputSwitchesTheCardsAudioLines)
{
    CCx2388x1Capture* device = OpenCapture();
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());
    struct Case
    {
        int input;
        BOOL on;
        DWORD lines;  // GPIO 12-14 afterwards
    };
    const Case cases[] = {{1, TRUE, 0x1000}, {2, TRUE, 0x2000}, {0, FALSE, 0x3000}, {0, TRUE, 0x0000}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(S_OK, device->SetAudioInput(cases[i].input, cases[i].on));
        DWORD view = GpioView(device);
        EXPECT_EQ(cases[i].lines, view & 0x7000);
        EXPECT_EQ(0x8E00u, view & 0xFE00 & ~0x7000u);
    }

    MutexHolder holder("Mutex_Remote_Control");
    ASSERT_TRUE(holder.IsHolding());
    EXPECT_EQ(E_FAIL, device->SetAudioInput(1, TRUE));
    EXPECT_EQ(0u, GpioView(device) & 0x7000);
}

TEST_F(Cx2388xCardTest, RemoteKeyReachesTheNotifyWindow)
{
    CCx2388x1Capture* device = OpenCapture();
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());

    // Between keys the word's frame kind is not a key's: no key, after one look at the word.
    m_control("trace level 2");
    DWORD mark = m_control.TraceMark();
    BYTE key = 0;
    EXPECT_FALSE(device->ReadRemoteKey(&key));
    EXPECT_EQ(1u, Count(m_control.TraceFrom(mark), "G4 ->")) << m_control.TraceFrom(mark);
    m_control("trace level 1");

    MessageSink sink;
    device->SetNotifyWnd(sink.Handle());
    ASSERT_TRUE(device->StartRemotePoll());
    // Both nibbles differ, so a swap or a missed inversion shows.
    for (const char* sent : {"C3", "25"}) {
        m_control(std::string("key ") + sent);
        MSG got;
        ASSERT_TRUE(sink.WaitFor(WM_REMOTE_KEY, 5000, &got)) << sent;
        EXPECT_EQ(strtoul(sent, nullptr, 16), got.wParam);
    }
    device->StopRemotePoll();
}

TEST_F(Cx2388xCardTest, ControllerKeepsTheWordAndArms)
{
    CCx2388x1Capture* device = OpenCapture();
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());
    EXPECT_TRUE(device->WriteMcuWord(0x1234));
    EXPECT_TRUE(device->McuHandshake(TRUE));
    EXPECT_NE(std::string::npos, m_control("mcu").find("word=0x1234\nenabled=1")) << m_control("mcu");
    WORD word = 0;
    EXPECT_TRUE(device->ReadMcuWord(&word));
    EXPECT_EQ(0x1234, word);

    // More minutes than the controller counts keep it counting as long as it can; no
    // minutes leave it disarmed, whatever the flag.
    EXPECT_TRUE(device->SetPowerOnMinutes(70000, TRUE));
    EXPECT_NE(std::string::npos, m_control("mcu").find("word=0xFFFF\nenabled=1")) << m_control("mcu");
    EXPECT_TRUE(device->SetPowerOnMinutes(0, TRUE));
    EXPECT_NE(std::string::npos, m_control("mcu").find("word=0xFFFF\nenabled=0")) << m_control("mcu");

    MutexHolder holder("Mutex_Remote_Control");
    ASSERT_TRUE(holder.IsHolding());
    EXPECT_FALSE(device->WriteMcuWord(0x0505));
    EXPECT_FALSE(device->McuHandshake(TRUE));
}

TEST_F(Cx2388xCardTest, ControllerExchangesFailWithoutTheController)
{
    CCx2388x1Capture* device = OpenCapture();
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());
    m_control("mcu absent");
    DWORD mark = m_control.TraceMark();
    EXPECT_FALSE(device->WriteMcuWord(5));
    EXPECT_FALSE(device->McuHandshake(TRUE));
    // Five attempts each: two byte frames and a read command per word attempt, one command
    // per handshake attempt.
    EXPECT_EQ(20u, Count(m_control.TraceFrom(mark), "M absent")) << m_control.TraceFrom(mark);
    EXPECT_NE(std::string::npos, m_control("mcu").find("enabled=0")) << m_control("mcu");
}

TEST_F(Cx2388xCardTest, CaptureFormatRoundTripsEverySubtypeCode)
{
    CCx2388x1Capture* device = OpenCapture();
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());
    struct Case
    {
        int subtype;
        WORD bits;
        DWORD compression;
        LONG height;
        DWORD imageSize;  // of 320 pixels by |height|
    };
    const Case cases[] = {
        {CaptureFormat::kRgb555, 16, BI_RGB, 240, 153600},
        {CaptureFormat::kRgb24, 24, BI_RGB, -240, 230400},
        {CaptureFormat::kYuy2, 16, MAKEFOURCC('Y', 'U', 'Y', '2'), 240, 153600},
        {CaptureFormat::kYvu9, 9, MAKEFOURCC('Y', 'V', 'U', '9'), 240, 86400},
        {CaptureFormat::kYv12, 12, MAKEFOURCC('Y', 'V', '1', '2'), 240, 115200},
        {CaptureFormat::kUyvy, 16, MAKEFOURCC('U', 'Y', 'V', 'Y'), 240, 153600},
        {CaptureFormat::kCxf1, 16, MAKEFOURCC('C', 'X', 'F', '1'), 240, 153600},
        {CaptureFormat::kCxf2, 16, MAKEFOURCC('C', 'X', 'F', '2'), 240, 153600},
    };
    for (int pin : {1, 0}) {
        for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
            SCOPED_TRACE(testing::Message() << "pin " << pin << " row " << i);
            CaptureFormat format;
            ASSERT_EQ(S_OK, device->GetCaptureFormat(&format, pin));
            format.subtype = cases[i].subtype;
            format.header.bmiHeader.biWidth = 320;
            format.header.bmiHeader.biHeight = cases[i].height;
            format.header.bmiHeader.biBitCount = cases[i].bits;
            format.header.bmiHeader.biCompression = cases[i].compression;
            DWORD mark = m_control.TraceMark();
            EXPECT_EQ(S_OK, device->SetCaptureFormat(format, pin));
            // The card corrects a wrong image size and says so.
            EXPECT_EQ(std::string::npos, m_control.TraceFrom(mark).find("fixup")) << m_control.TraceFrom(mark);

            CaptureFormat read;
            ASSERT_EQ(S_OK, device->GetCaptureFormat(&read, pin));
            EXPECT_EQ(cases[i].subtype, read.subtype);
            EXPECT_EQ(320, read.header.bmiHeader.biWidth);
            EXPECT_EQ(cases[i].height, read.header.bmiHeader.biHeight);
            EXPECT_EQ(cases[i].imageSize, read.header.bmiHeader.biSizeImage);
        }
    }
}

} // namespace
