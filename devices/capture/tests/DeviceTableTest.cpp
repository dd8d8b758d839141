// The device table of the GPIO-controller, GO7007, DVB-C, encoder, bridge-register and USB
// family cards: each row's record makes its class over the simulated card registered under
// the row's family (the DVB-C card over its stand-in filter), with the row's access object
// and mode, and its crossbar routes the crossbar filter's inputs of the row's pin map.
#include <gtest/gtest.h>

#include "CrossbarWrapper.h"
#include "GraphBuilder.h"
#include "I2CAccess.h"
#include "PciCardCapture.h"
#include "SimFamilyCard.h"

#include <cxxabi.h>
#include <ks.h>
#include <ksmedia.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const DWORD kCard = 6;
const int kByPinCount = -1;

struct DeviceRow
{
    const char* capture;        // record name, the driver's FriendlyName
    const wchar_t* card;        // the simulated card's install line; null: the prefix's stand-in
    const char* deviceClass;
    const char* accessClass;
    int accessMode;
    const char* crossbar;       // null: the card has none
    const char* crossbarClass;
    int pins[6];                // video tuner, composite, S-video; audio tuner, composite, S-video
    bool switchedOn;            // false: the simulated card presents no such card, or it needs
                                // more than its family (the GO7007 box's profile file: its own
                                // tests open it)
};

const DeviceRow kDevices[] = {
    // capture, card, device class, access class, mode, crossbar, crossbar class, pins, on
    {"Quorvex MPEG-2 Box", L"family=mpeg2box", "CMpeg2BoxCapture", "CEncoderCardControl", 10,
     "Quorvex MPEG-2 Box Crossbar", "CMpeg2BoxCrossbar", {kByPinCount}, true},
    {"ReWell RV5200 TV Capture", L"family=rv5200", "CRv5200Capture", "CKsPropertyI2C", 2,
     "ReWell RV5200 TV Crossbar", "CRv5200Crossbar", {0, 1, 2, 3, 4, 5}, true},
    {"BlackBird Video Capture", L"family=blackbird", "CBlackbirdCapture", "CKsPropertyI2CEx", 11,
     "BlackBird Crossbar", "CBlackbirdCrossbar", {0, 2, 1, 3, 4, -1}, true},
    {"QUORVEX Mirox Audio/Video Capture", L"family=mirox;deviceio=1", "CMiroxCapture", "CDeviceIoI2C", 0,
     "QUORVEX Mirox Crossbar", "CMiroxCrossbar", {0, 1, 2, 3, 4, 5}, true},
    {"TridVid Capture", L"family=tunnel", "CTridVidCapture", "CKsShortBlockI2C", 0,
     "TridVid Crossbar", "CTridVidCrossbar", {0, 1, 2, 4, 5, 6}, true},
    {"Trident USB Capture", L"family=trident", "CTridentUsbCapture", "CKsShortBlockI2C2", 17,
     "Trident USB Crossbar", "CTridentUsbCrossbar", {0, 1, 2, 4, 5, 6}, true},
    {"UT400 A/V Capture", L"family=go7007", "CGo7007Capture", "CGo7007RegisterAccess", 18,
     "UT400 CrossBar", "CGo7007Crossbar", {0, 1, 2, 3, 4, 4}, false},
    {"USB 2881 Video", L"family=usb2881", "CUsb2881Capture", "CUsbBridgeI2C", 8,
     "USB 2881 Crossbar", "CUsb2881Crossbar", {1, 2, 3, 4, 5, 6}, true},
    {"PC Entertainment TV Card Capture", L"family=pcent", "CPcEntertainmentCapture", "CKsPropertyI2C", 2,
     "PC Entertainment TV Card Crossbar", "CPcEntertainmentCrossbar", {0, 1, 2, 3, 4, 5}, true},
    {"Quorvex Tessel Capture Card", L"family=tessel", "CMcuTunerCardCapture", "CCx2388xGpioI2C", 3,
     "Quorvex Tessel Crossbar", "CMcuTunerCardCrossbar", {1, 2, 0, 4, 5, 6}, true},
    {"2388x Video Capture", L"family=mcu2388x", "CMcuTuner2388xCapture", "CCx2388xGpioI2C", 3,
     "2388x Crossbar", "CMcuTuner2388xCrossbar", {1, 2, 0, 4, 5, 6}, true},
    {"Dorin Video Capture", L"family=dorin", "CDorinCapture", "CKsPropertyI2CB", 2,
     "Dorin Crossbar", "CDorinCrossbar", {0, 1, 2, 3, 4, 5}, true},
    {"Pelta Video Capture", L"family=pelta", "CPeltaCapture", "CKsPropertyI2CC", 2,
     "Pelta Crossbar", "CPeltaCrossbar", {0, 1, 2, 3, 4, 5}, true},
    {"Quorvex Lunet Device", L"family=lunet", "CLunetCapture", "CEncoderCardControlB", 15,
     "Quorvex Lunet Crossbar", "CLunetCrossbar", {0, 1, 2, 3, 4, 5}, true},
    {"UT800 Capture", L"family=ut800", "CUt800Capture", "CKsPortI2C", 12,
     "UT800 Crossbar", "CUt800Crossbar", {0, 1, 2, 4, 5, 6}, true},
    {"UT810 Capture", L"family=ut810", "CUt810Capture", "CKsPortI2C", 14,
     "UT810 Crossbar", "CUt810Crossbar", {0, 1, 2, 4, 5, 6}, true},
    {"Conexant Raptor Video Capture", L"family=raptor", "CRaptorCapture", "CKsPropertyI2C16", 13,
     "Conexant Raptor Crossbar", "CRaptorCrossbar", {0, 1, 2, 5, 6, 7}, true},
    {"DVBC TS Capture", nullptr, "CDvbcCapture", "CNullI2C", 16, nullptr, nullptr, {kByPinCount}, true},
};

template <class T>
std::string ClassOf(const T* object)
{
    if (!object)
        return "(none)";
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*object).name(), nullptr, nullptr, &status);
    std::string text = status == 0 ? name : typeid(*object).name();
    free(name);
    return text;
}

// The crossbar input pin routed to the output after each source was selected, -1 where none
// was: the output is unrouted before each selection, and the simulated crossbar refuses an
// input of the other kind (video or audio).
std::vector<long> RoutedPins(CCrossbarWrapper* crossbar)
{
    CComRef<IAMCrossbar> filter;
    std::vector<long> routed;
    if (FAILED(crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, filter.ReceiveVoid())))
        return routed;
    for (int i = 0; i < 6; ++i) {
        long output = i / 3, input = -1;
        filter->Route(output, -1);
        if (output == CCrossbarWrapper::kVideoOutput)
            crossbar->SelectInput(i % 3);
        else
            crossbar->SelectAudioInput(i % 3);
        filter->get_IsRoutedTo(output, &input);
        routed.push_back(input);
    }
    return routed;
}

// The row's map as the crossbar filter takes it: an input of the other kind is refused.
std::vector<long> ExpectedPins(CCrossbarWrapper* crossbar, const int* pins)
{
    CComRef<IAMCrossbar> filter;
    std::vector<long> expected;
    if (FAILED(crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, filter.ReceiveVoid())))
        return expected;
    for (int i = 0; i < 6; ++i) {
        long related = 0, type = 0;
        bool audio = SUCCEEDED(filter->get_CrossbarPinInfo(TRUE, pins[i], &related, &type)) &&
                     type >= PhysConn_Audio_Tuner;
        expected.push_back(audio == (i / 3 == CCrossbarWrapper::kAudioOutput) ? pins[i] : -1);
    }
    return expected;
}

class DeviceTableTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { CoInitializeEx(NULL, COINIT_APARTMENTTHREADED); }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override { ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText(); }
    void TearDown() override { m_graph.TearDown(); }

    void CheckCrossbar(const DeviceRow& row)
    {
        CCrossbarWrapper* crossbar = dynamic_cast<CCrossbarWrapper*>(
            m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, row.crossbar, "Crossbar", 0, 0));
        ASSERT_NE(nullptr, crossbar);
        EXPECT_EQ(row.crossbarClass, ClassOf(crossbar));
        if (row.pins[0] != kByPinCount) {
            EXPECT_EQ(ExpectedPins(crossbar, row.pins), RoutedPins(crossbar));
        }
    }

    CGraphBuilder m_graph;
};

} // namespace

TEST_F(DeviceTableTest, EachRowsRecordMakesItsClassWithItsAccessAndCrossbar)
{
    for (size_t i = 0; i < sizeof(kDevices) / sizeof(kDevices[0]); ++i) {
        const DeviceRow& row = kDevices[i];
        if (!row.switchedOn)
            continue;
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << row.capture);
        std::unique_ptr<SimFamilyCard> card;
        if (row.card) {
            card.reset(new SimFamilyCard(kCard, row.card));
            ASSERT_EQ(S_OK, card->Installed());
            // A card an earlier row left live goes back to this row's instance values.
            card->Control().Run("reset");
        }
        CCaptureDevice* device = dynamic_cast<CCaptureDevice*>(
            m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, row.capture, row.capture, 0, 0));
        ASSERT_NE(nullptr, device);
        EXPECT_TRUE(device->IsValid());
        EXPECT_EQ(row.deviceClass, ClassOf(device));
        EXPECT_EQ(row.accessClass, ClassOf(device->GetI2CAccess()));
        EXPECT_EQ(row.accessMode, device->GetAccessMode());
        if (row.crossbar)
            CheckCrossbar(row);
        m_graph.TearDown();
        ASSERT_TRUE(m_graph.MakeGraph());
    }
}

TEST_F(DeviceTableTest, ThePciMembersKeepTheirFamilysRemotePollOrTheBasePeriod)
{
    struct Member
    {
        const wchar_t* card;
        const char* capture;
        int pollMs;
    };
    const Member members[] = {
        {L"family=rv5200", "ReWell RV5200 TV Capture", 140},
        {L"family=pcent", "PC Entertainment TV Card Capture", 100},
    };
    for (const Member& member : members) {
        SCOPED_TRACE(member.capture);
        SimFamilyCard card(kCard, member.card);
        ASSERT_EQ(S_OK, card.Installed());
        card.Control().Run("reset");
        CPciCardCapture* device = dynamic_cast<CPciCardCapture*>(
            m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, member.capture, member.capture, 0, 0));
        ASSERT_NE(nullptr, device);
        EXPECT_TRUE(device->IsValid());
        EXPECT_EQ(member.pollMs, device->GetPollInterval());
        m_graph.TearDown();
        ASSERT_TRUE(m_graph.MakeGraph());
    }
}

TEST_F(DeviceTableTest, TheUsb2881CrossbarRoutesThenWritesTheSourceToItsBridge)
{
    SimFamilyCard card(kCard, L"family=usb2881");
    ASSERT_EQ(S_OK, card.Installed());
    card.Control().Run("reset");
    CCrossbarWrapper* crossbar = dynamic_cast<CCrossbarWrapper*>(
        m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, "USB 2881 Crossbar", "Crossbar", 0, 0));
    ASSERT_NE(nullptr, crossbar);
    CComRef<IAMCrossbar> filter;
    ASSERT_EQ(S_OK, crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, filter.ReceiveVoid()));

    struct Case
    {
        int source;
        long routed;
        const char* written;
    };
    // Any source but composite and S-video is the tuner.
    const Case cases[] = {
        {CCrossbarWrapper::kComposite, 2, "U W 10 01"},
        {CCrossbarWrapper::kSVideo, 3, "U W 10 02"},
        {CCrossbarWrapper::kTuner, 1, "U W 10 00"},
        {7, 1, "U W 10 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        DWORD from = card.Mark();
        EXPECT_TRUE(crossbar->SelectInput(c.source));
        long input = -1;
        EXPECT_EQ(S_OK, filter->get_IsRoutedTo(CCrossbarWrapper::kVideoOutput, &input));
        EXPECT_EQ(c.routed, input);
        EXPECT_EQ(SimFamilyCard::Lines({c.written}), card.TraceFrom(from, {"U W"}));
    }
}
