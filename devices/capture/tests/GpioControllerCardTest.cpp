// The cards whose remote keys and on-card controller travel in GPIO frames, each made through
// its record over a card registered under its family's names: the SAA713x controller cards,
// the Dorin pair (byte on lines 19-23 and 25-27) and the controller-tuner pair (lines 16-23).
#include <gtest/gtest.h>

#include "713x3Capture.h"
#include "713xIoCapture.h"
#include "713xPipCapture.h"
#include "AppMessages.h"
#include "CardFamilyFixture.h"
#include "CrossbarWrapper.h"
#include "DorinCapture.h"
#include "I2CAccess.h"
#include "McuTuner2388xCapture.h"
#include "MutexHolder.h"
#include "PeltaCapture.h"

#include <cstdlib>
#include <string>

namespace {

// The family with its tuner filter and the crossbar pins of its sources.
struct ControllerFamily : CardFamily
{
    const char* tunerFilter;
    long videoInputs[3];  // crossbar pins of tuner, composite, S-video
};

const ControllerFamily kIo = {{L"family=713x_IO", "713x_IO TV Card Capture", "713x_IO TV Card Crossbar",
                               Is<C713xIoCapture>, CCaptureDevice::kPropertySet, "20"},
                              "", {0, 1, 2}};
const ControllerFamily k3 = {{L"family=713x_3", "713x_3 TV Card Capture", "713x_3 TV Card Crossbar",
                              Is<C713x3Capture>, CCaptureDevice::kPropertySet, "20"},
                             "PhTVTune", {0, 1, 2}};
const ControllerFamily kPip = {{L"family=713x_PIP", "713x_PIP TV Card Capture", "713x_PIP TV Card Crossbar",
                                Is<C713xPipCapture>, CCaptureDevice::kPropertySet, "20"},
                               "PhTVTune", {0, 1, 2}};
const ControllerFamily kDorin = {{L"family=dorin", "Dorin Video Capture", "Dorin Crossbar", IsExactly<CDorinCapture>,
                                  CCaptureDevice::kPropertySet, "A0"},
                                 "PhTVTune", {0, 1, 2}};
const ControllerFamily kPelta = {{L"family=pelta", "Pelta Video Capture", "Pelta Crossbar", IsExactly<CPeltaCapture>,
                                  CCaptureDevice::kPropertySet, "A0"},
                                 "PhTVTune", {0, 1, 2}};
const ControllerFamily kTessel = {{L"family=tessel", "Quorvex Tessel Capture Card", "Quorvex Tessel Crossbar",
                                   IsExactly<CMcuTunerCardCapture>, CCaptureDevice::kTunerFilter, "20"},
                                  "Quorvex Tessel Tuner", {1, 2, 0}};
const ControllerFamily kMcu2388x = {{L"family=mcu2388x", "2388x Video Capture", "2388x Crossbar",
                                     IsExactly<CMcuTuner2388xCapture>, CCaptureDevice::kTunerFilter, "20"},
                                    "2388x Tuner", {1, 2, 0}};

const ControllerFamily* const kAllFamilies[] = {&kIo, &k3, &kPip, &kDorin, &kPelta, &kTessel, &kMcu2388x};
// One of each controller form: the 713x cards, the Dorin pair, the controller-tuner pair.
const ControllerFamily* const kControllerForms[] = {&kIo, &kDorin, &kTessel};

typedef CardFamilyFixture GpioControllerCardTest;

} // namespace

TEST_F(GpioControllerCardTest, EachCardOpensWithItsAccessAndTheTunerOfItsEeprom)
{
    struct Case
    {
        const char* bytes;  // letter and model
        int typeId;
        int letter;
    };
    // A model byte no tuner stands for falls back to the common type.
    const Case cases[] = {{"54 0B", 11, 'T'}, {"50 5C", 92, 'P'}, {"42 FF", 4, 'T'}};
    for (const ControllerFamily* family : kAllFamilies) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << family->capture << " " << c.bytes);
            Install(*family);
            m_control(std::string("eeprom ") + family->eepromOffset + " = " + c.bytes);
            // The card's PLL follows the expected type whichever byte names it.
            m_control("profile " + std::to_string(c.typeId));
            CCaptureDevice* device = Open(*family);
            ASSERT_NE(nullptr, device);
            EXPECT_TRUE(device->IsValid());
            EXPECT_EQ(family->accessMode, device->GetAccessMode());
            EXPECT_STREQ(family->tunerFilter, device->GetTunerFilterName());
            EXPECT_EQ(c.typeId, device->GetTunerModelId());
            EXPECT_EQ(c.letter, device->GetSystemLetter());
            ASSERT_NE(nullptr, device->GetTuner());
            EXPECT_NE(nullptr, device->FindPin("Capture"));
            if (c.typeId == 11) {
                DWORD mark = m_control.TraceMark();
                EXPECT_TRUE(device->SetTunerFrequency(49750));
                EXPECT_NE(std::string::npos, m_control.TraceFrom(mark).find("W 60 05 8A CE A0")) << m_control.TraceFrom(mark);
            }
            m_graph.RemoveWrapper(device);
        }
    }
}

TEST_F(GpioControllerCardTest, EachCrossbarRoutesTheSourcesThroughItsPinMap)
{
    for (const ControllerFamily* family : kAllFamilies) {
        SCOPED_TRACE(family->crossbar);
        Install(*family);
        CCrossbarWrapper* crossbar = OpenCrossbar(*family);
        ASSERT_NE(nullptr, crossbar);
        ASSERT_TRUE(crossbar->IsValid());
        CComRef<IAMCrossbar> routes;
        ASSERT_EQ(S_OK, crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, routes.ReceiveVoid()));
        for (int source : {CCrossbarWrapper::kComposite, CCrossbarWrapper::kSVideo, CCrossbarWrapper::kTuner}) {
            EXPECT_TRUE(crossbar->SelectInput(source)) << source;
            long video = -1;
            EXPECT_EQ(S_OK, routes->get_IsRoutedTo(CCrossbarWrapper::kVideoOutput, &video));
            EXPECT_EQ(family->videoInputs[source], video) << source;
            // The card's jack behind that pin is the picture's source: 1 tuner, 2 composite,
            // 0 S-video.
            const long jacks[] = {1, 2, 0};
            std::string route = "\nvideo_route=" + std::to_string(jacks[source]) + "\n";
            EXPECT_NE(std::string::npos, m_control("state").find(route)) << source;
        }
        m_graph.RemoveWrapper(crossbar);
    }
}

TEST_F(GpioControllerCardTest, RemoteKeysOfEachLayoutReachTheNotifyWindow)
{
    for (const ControllerFamily* family : kControllerForms) {
        SCOPED_TRACE(family->capture);
        CCaptureDevice* device = InstallAndOpen(*family);
        ASSERT_NE(nullptr, device);

        // Between keys the word's frame kind is not a key's: no key, after one look at the word.
        m_control("trace level 2");
        DWORD mark = m_control.TraceMark();
        BYTE key = 0;
        EXPECT_FALSE(device->ReadRemoteKey(&key));
        EXPECT_EQ(1u, TraceCount(mark, "G4 ->")) << m_control.TraceFrom(mark);
        m_control("trace level 1");

        // Bits in both runs of the packed layout.
        ASSERT_NO_FATAL_FAILURE(ExpectKeysThroughThePoll(device));
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(GpioControllerCardTest, TheDorinPairSelectsOneSoundLineForEveryInput)
{
    struct Case
    {
        int input;
        BOOL on;
        DWORD lines;  // GPIO 12-14 afterwards
    };
    const Case cases[] = {{0, TRUE, 0x1000}, {0, FALSE, 0x7000}, {1, TRUE, 0x1000},
                          {3, TRUE, 0x0000}, {2, TRUE, 0x1000}, {2, FALSE, 0x7000}};
    for (const ControllerFamily* family : {&kDorin, &kPelta}) {
        CCaptureDevice* device = InstallAndOpen(*family);
        ASSERT_NE(nullptr, device);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << family->capture << " input " << c.input << " on " << c.on);
            EXPECT_EQ(S_OK, device->SetAudioInput(c.input, c.on));
            EXPECT_EQ(c.lines, GpioView(device) & 0x7000);
        }
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(GpioControllerCardTest, TheControllerTunerPairSwitchesSoundUnderTheRemoteMutex)
{
    const struct
    {
        int input;
        BOOL on;
        DWORD lines;
    } cases[] = {{1, TRUE, 0x1000}, {2, TRUE, 0x2000}, {0, FALSE, 0x3000}, {0, TRUE, 0x0000}, {7, TRUE, 0x0000}};
    CCaptureDevice* device = InstallAndOpen(kTessel);
    ASSERT_NE(nullptr, device);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << " on " << c.on);
        EXPECT_EQ(S_OK, device->SetAudioInput(c.input, c.on));
        EXPECT_EQ(c.lines, GpioView(device) & 0x7000);
    }
    MutexHolder holder("Mutex_Remote_Control");
    ASSERT_TRUE(holder.IsHolding());
    EXPECT_EQ(E_FAIL, device->SetAudioInput(1, TRUE));
    EXPECT_EQ(0u, GpioView(device) & 0x7000);
}

TEST_F(GpioControllerCardTest, EachControllerFormKeepsTheWordAndTheArming)
{
    for (const ControllerFamily* family : kControllerForms) {
        SCOPED_TRACE(family->capture);
        CCaptureDevice* device = InstallAndOpen(*family);
        ASSERT_NE(nullptr, device);
        // 0xA5 has bits in both runs of the packed layout.
        EXPECT_TRUE(device->WriteMcuWord(0xA5C3));
        EXPECT_TRUE(device->McuHandshake(TRUE));
        EXPECT_NE(std::string::npos, m_control("mcu").find("word=0xA5C3\nenabled=1")) << m_control("mcu");
        WORD word = 0;
        EXPECT_TRUE(device->ReadMcuWord(&word));
        EXPECT_EQ(0xA5C3, word);
        EXPECT_TRUE(device->McuHandshake(FALSE));
        EXPECT_NE(std::string::npos, m_control("mcu").find("enabled=0")) << m_control("mcu");
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(GpioControllerCardTest, WithoutTheControllerEachFormFailsAfterItsRetries)
{
    for (const ControllerFamily* family : kControllerForms) {
        SCOPED_TRACE(family->capture);
        CCaptureDevice* device = InstallAndOpen(*family);
        ASSERT_NE(nullptr, device);
        m_control("mcu absent");
        DWORD mark = m_control.TraceMark();
        EXPECT_FALSE(device->WriteMcuWord(5));
        EXPECT_FALSE(device->McuHandshake(TRUE));
        // Five attempts each: two byte frames and a read command per word attempt, one
        // command per handshake attempt.
        EXPECT_EQ(20u, TraceCount(mark, "M absent")) << m_control.TraceFrom(mark);
        EXPECT_NE(std::string::npos, m_control("mcu").find("enabled=0")) << m_control("mcu");
        m_control("mcu present");
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(GpioControllerCardTest, TheControllerTunerPairWaitsForNoOtherProcess)
{
    CCaptureDevice* device = InstallAndOpen(kMcu2388x);
    ASSERT_NE(nullptr, device);
    MutexHolder holder("Mutex_Remote_Control");
    ASSERT_TRUE(holder.IsHolding());
    DWORD mark = m_control.TraceMark();
    EXPECT_FALSE(device->WriteMcuWord(0x1234));
    EXPECT_FALSE(device->McuHandshake(TRUE));
    EXPECT_EQ(std::string::npos, m_control.TraceFrom(mark).find("M open")) << m_control.TraceFrom(mark);
}

namespace {

struct NotifyCalls
{
    LONG count = 0;
    DWORD thread = 0;
    HANDLE done = CreateEventA(NULL, FALSE, FALSE, NULL);
    ~NotifyCalls() { CloseHandle(done); }
};

NotifyCalls* g_notifyCalls = nullptr;

void CountNotify(void*)
{
    g_notifyCalls->thread = GetCurrentThreadId();
    InterlockedIncrement(&g_notifyCalls->count);
    SetEvent(g_notifyCalls->done);
}

} // namespace

TEST_F(GpioControllerCardTest, The713xIoDriverSignalsTheCallbackOnTheNotifyThread)
{
    NotifyCalls calls;
    g_notifyCalls = &calls;
    CCaptureDevice* device = InstallAndOpen(kIo);
    ASSERT_NE(nullptr, device);

    DWORD mark = m_control.TraceMark();
    EXPECT_TRUE(device->SetDriverValue(3));
    EXPECT_TRUE(device->SetDeviceCallback(CountNotify));
    EXPECT_TRUE(device->StartDeviceNotify(5));
    std::string trace = m_control.TraceFrom(mark);
    EXPECT_NE(std::string::npos, trace.find("P10 value=3")) << trace;
    EXPECT_NE(std::string::npos, trace.find("P7 event=")) << trace;
    EXPECT_NE(std::string::npos, trace.find("P8 start=5")) << trace;

    ASSERT_EQ(S_OK, m_control.Run("notify"));
    ASSERT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(calls.done, 2000));
    EXPECT_NE(GetCurrentThreadId(), calls.thread);

    // A new callback brings a new event: the thread on the old one is gone before it closes,
    // and the driver signals the new one, which nothing waits on until the next start.
    EXPECT_TRUE(device->SetDeviceCallback(CountNotify));
    ASSERT_EQ(S_OK, m_control.Run("notify"));
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(calls.done, 300));
    EXPECT_TRUE(device->StartDeviceNotify(6));
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(calls.done, 2000));

    mark = m_control.TraceMark();
    EXPECT_TRUE(device->StopDeviceNotify());
    EXPECT_NE(std::string::npos, m_control.TraceFrom(mark).find("P9 stop")) << m_control.TraceFrom(mark);
    EXPECT_NE(S_OK, m_control.Run("notify"));
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(calls.done, 300));
    EXPECT_EQ(2, calls.count);

    // Closing the access takes the event with it.
    device->CloseDeviceAccess();
    EXPECT_EQ(nullptr, device->GetDeviceEvent());
    g_notifyCalls = nullptr;
}

TEST_F(GpioControllerCardTest, AFailedDriverCallClosesThe713xIoAccessUntilTheNext)
{
    CCaptureDevice* device = InstallAndOpen(kIo);
    ASSERT_NE(nullptr, device);
    m_control("fail 7 0x80004005");
    EXPECT_FALSE(device->SetDeviceCallback(CountNotify));
    EXPECT_EQ(nullptr, device->GetI2CAccess());
    EXPECT_EQ(nullptr, device->GetDeviceEvent());
    // The next call opens it again.
    EXPECT_TRUE(device->SetDriverValue(1));
    EXPECT_NE(nullptr, device->GetI2CAccess());
    EXPECT_EQ(CCaptureDevice::kPropertySet, device->GetAccessMode());
}
