// The bridge boxes made through their records over a simulated card registered under each
// box driver's names; the card's trace shows what reached the bridge and its bus.
#include <gtest/gtest.h>

#include "BridgeBoxCrossbar.h"
#include "ChipWait.h"
#include "AmMediaType.h"
#include "GraphBuilder.h"
#include "KsPortI2C.h"
#include "KsShortBlockI2C.h"
#include "SimFamilyCard.h"
#include "TridVidCapture.h"
#include "TridentUsbCapture.h"
#include "Ut800Capture.h"
#include "Ut810Capture.h"

#include <ks.h>
#include <ksmedia.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const DWORD kCard = 9;
typedef SimFamilyCard::Lines Lines;

struct BoxRow
{
    const wchar_t* family;
    const char* capture;
    const char* crossbar;
};

const BoxRow kTridVid = {L"family=tunnel", "TridVid Capture", "TridVid Crossbar"};
const BoxRow kTrident = {L"family=trident", "Trident USB Capture", "Trident USB Crossbar"};
const BoxRow kUt800 = {L"family=ut800", "UT800 Capture", "UT800 Crossbar"};
const BoxRow kUt810 = {L"family=ut810", "UT810 Capture", "UT810 Crossbar"};

// Bus transactions, EEPROM writes, tuning, the bridge's registers and GPIO lines, the key
// controller and the register-table tuner's tables.
const std::vector<std::string> kBridgeLines = {"W ", "R ", "N ", "E ", "T ", "Q ", "KC", "K ", "C "};

void NoWait(DWORD)
{
}

class BridgeBoxTest : public testing::Test
{
protected:
    void TearDown() override { m_graph.TearDown(); }

    // The box through its record in a new graph, the card registered under its names with
    // those values.
    template <class T>
    T* Open(const BoxRow& box, const std::wstring& values = L"")
    {
        m_graph.TearDown();
        m_card.reset();
        EXPECT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_card.reset(new SimFamilyCard(kCard, box.family + (values.empty() ? L"" : L";" + values)));
        EXPECT_EQ(S_OK, m_card->Installed());
        // A card live from an earlier case takes its new values.
        m_card->Control().Run("reset");
        CFilterWrapper* wrapper =
            m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, box.capture, "Video Capture", 0, 0);
        return dynamic_cast<T*>(wrapper);
    }

    CGraphBuilder m_graph;
    std::unique_ptr<SimFamilyCard> m_card;
};

std::string Hex(const BYTE* bytes, int count)
{
    std::string text;
    char byte[4];
    for (int i = 0; i < count; ++i) {
        sprintf(byte, i ? " %02X" : "%02X", bytes[i]);
        text += byte;
    }
    return text;
}

} // namespace

TEST_F(BridgeBoxTest, EachBoxOpensWithItsTransportAccessModeAndCrossbarMap)
{
    struct Case
    {
        const BoxRow* box;
        int mode;
        const std::type_info* transport;
    };
    const Case cases[] = {
        {&kTridVid, 0, &typeid(CKsShortBlockI2C)},
        {&kTrident, 17, &typeid(CKsShortBlockI2C2)},
        {&kUt800, 12, &typeid(CKsPortI2C)},
        {&kUt810, 14, &typeid(CKsPortI2C)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box->capture);
        CBridgeBoxCapture* device = Open<CBridgeBoxCapture>(*c.box);
        ASSERT_NE(nullptr, device);
        EXPECT_TRUE(device->IsValid());
        EXPECT_EQ(c.mode, device->GetAccessMode());
        ASSERT_NE(nullptr, device->GetI2CAccess());
        EXPECT_TRUE(typeid(*device->GetI2CAccess()) == *c.transport);
        EXPECT_NE(nullptr, device->FindPin("Capture"));

        CBridgeBoxCrossbar* crossbar = dynamic_cast<CBridgeBoxCrossbar*>(
            m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, c.box->crossbar, "Crossbar", 0, 0));
        ASSERT_NE(nullptr, crossbar);
        CComRef<IAMCrossbar> jacks;
        ASSERT_EQ(S_OK, crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, jacks.ReceiveVoid()));
        const long kinds[] = {PhysConn_Video_Tuner, PhysConn_Video_Composite, PhysConn_Video_SVideo};
        const int sources[] = {CCrossbarWrapper::kTuner, CCrossbarWrapper::kComposite, CCrossbarWrapper::kSVideo};
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(crossbar->SelectInput(sources[i]));
            long input = -1, related = 0, kind = 0;
            EXPECT_EQ(S_OK, jacks->get_IsRoutedTo(CCrossbarWrapper::kVideoOutput, &input));
            EXPECT_EQ(i, input);
            EXPECT_EQ(S_OK, jacks->get_CrossbarPinInfo(TRUE, input, &related, &kind));
            EXPECT_EQ(kinds[i], kind) << i;
        }
    }
}

TEST_F(BridgeBoxTest, EepromLetterModelAndConfigByteFollowEachPairsRules)
{
    struct Case
    {
        const BoxRow* box;
        const char* eeprom;     // bytes 0x20 and 0x21
        const char* config;     // byte 3
        int letter, model;
        BOOL modelByte;
    };
    const Case cases[] = {
        // TridVid: no letter reads as 'A', no model as 133; the model byte is 'F'.
        {&kTridVid, "51 00", "46", 'A', 133, TRUE},
        {&kTridVid, "50 5C", "47", 'P', 92, FALSE},
        {&kTridVid, "FF FF", "46", 'A', 133, TRUE},
        // Trident: the EEPROM as it is; the model byte is 128.
        {&kTrident, "51 00", "80", 'N', 0, TRUE},
        {&kTrident, "54 0B", "46", 'T', 11, FALSE},
        // The UT pair: the EEPROM as it is; any configuration byte but 'C' marks the model.
        {&kUt800, "51 FF", "43", 'N', 255, FALSE},
        {&kUt810, "50 5C", "44", 'P', 92, TRUE},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        CBridgeBoxCapture* device = Open<CBridgeBoxCapture>(*c.box);
        ASSERT_NE(nullptr, device);
        m_card->Control()(std::string("eeprom 20 = ") + c.eeprom);
        m_card->Control()(std::string("eeprom 03 = ") + c.config);
        device->ReadTunerInfo();
        EXPECT_EQ(c.letter, device->GetSystemLetter());
        EXPECT_EQ(c.model, device->GetTunerModelId());
        EXPECT_EQ(strtol(c.config, NULL, 16), device->ReadEepromConfigByte());
        EXPECT_EQ(c.modelByte, device->IsModelByte());
    }
}

TEST_F(BridgeBoxTest, KeysComeFromTheControllerAtBBAndClearRemoteKeyWritesItsRegister)
{
    for (const BoxRow* box : {&kTridVid, &kUt800}) {
        SCOPED_TRACE(box->capture);
        CBridgeBoxCapture* device = Open<CBridgeBoxCapture>(*box);
        ASSERT_NE(nullptr, device);
        BYTE key = 0;
        EXPECT_FALSE(device->ReadRemoteKey(&key));
        m_card->Control()("key 5A");
        EXPECT_TRUE(device->ReadRemoteKey(&key));
        EXPECT_EQ(0x5A, key);
        EXPECT_FALSE(device->ReadRemoteKey(&key));

        DWORD from = m_card->Mark();
        EXPECT_TRUE(device->ClearRemoteKey());
        EXPECT_EQ(Lines({"W 5D 31 BB", "KC 49=BB"}), m_card->TraceFrom(from, kBridgeLines));
    }
}

TEST_F(BridgeBoxTest, BridgeRegisterHelpersReadAndWriteTheRegisterFile)
{
    for (const BoxRow* box : {&kTrident, &kUt810}) {
        SCOPED_TRACE(box->capture);
        CBridgeBoxCapture* device = Open<CBridgeBoxCapture>(*box);
        ASSERT_NE(nullptr, device);
        m_card->Control()("set PllLockMs 0");
        DWORD from = m_card->Mark();
        // Register 58 holds the tuner's lock: bit 0 clear while it has a picture.
        EXPECT_FALSE(device->IsRegister58Clear());
        EXPECT_TRUE(device->SetTunerFrequency(471250));
        EXPECT_TRUE(device->IsRegister58Clear());
        EXPECT_TRUE(device->WriteBridgeRegister(60, 0x03));
        EXPECT_TRUE(device->IsRegister60Set());
        EXPECT_TRUE(device->WriteBridgeRegister(60, 0x02));
        EXPECT_FALSE(device->IsRegister60Set());
        EXPECT_TRUE(device->WriteBridgeRegister128(0xA5));
        BYTE value = 0;
        EXPECT_TRUE(device->ReadBridgeRegister(128, &value));
        EXPECT_EQ(0xA5, value);
        Lines expected = {
            "Q reg 3A -> 01", "Q reg 3A -> 00", "Q reg 3C = 03", "Q reg 3C -> 03",
            "Q reg 3C = 02", "Q reg 3C -> 02", "Q reg 80 = A5", "Q reg 80 -> A5",
        };
        EXPECT_EQ(expected, m_card->TraceFrom(from, {"Q reg"}));

        // Without an access object the writes fail and the tests read as the failed read.
        device->CloseDeviceAccess();
        EXPECT_FALSE(device->WriteBridgeRegister(58, 0x01));
        EXPECT_FALSE(device->ReadBridgeRegister(58, &value));
        EXPECT_TRUE(device->IsRegister58Clear());
        EXPECT_TRUE(device->IsRegister60Set());
    }
}

TEST_F(BridgeBoxTest, TheTridVidBoxSendsGpioFramesToItsLinesAndTheTridentBoxResetsItsBridge)
{
    CTridVidCapture* tridVid = Open<CTridVidCapture>(kTridVid);
    ASSERT_NE(nullptr, tridVid);
    DWORD from = m_card->Mark();
    EXPECT_TRUE(tridVid->SendGpioFrame(1, 5, 0));
    EXPECT_FALSE(tridVid->SendGpioFrame(1, 8, 0));
    EXPECT_EQ(Lines({"Q gpio line=5 level=1"}), m_card->TraceFrom(from, kBridgeLines));

    CTridentUsbCapture* trident = Open<CTridentUsbCapture>(kTrident);
    ASSERT_NE(nullptr, trident);
    from = m_card->Mark();
    // The base frame needs a GPIO read, which the transport cannot do.
    EXPECT_FALSE(trident->SendGpioFrame(1, 5, 0));
    EXPECT_EQ(S_OK, trident->ResetBridge());
    Lines reset(3, "Q gpio line=1 level=0");
    EXPECT_EQ(reset, m_card->TraceFrom(from, kBridgeLines));
}

TEST_F(BridgeBoxTest, TheTridVidPairRefusesEepromBlocksPastThePartBeforeAnyTraffic)
{
    for (const BoxRow* box : {&kTridVid, &kTrident}) {
        SCOPED_TRACE(box->capture);
        CShortBlockBoxCapture* device = Open<CShortBlockBoxCapture>(*box);
        ASSERT_NE(nullptr, device);
        BYTE data[8] = {0x11, 0x22, 0x33};
        DWORD from = m_card->Mark();
        int count = 7;
        EXPECT_EQ(E_INVALIDARG, device->WriteEeprom(data, 250, &count, 0));
        EXPECT_EQ(E_INVALIDARG, device->ReadEeprom(data, 250, &count));
        count = 0;
        EXPECT_EQ(E_INVALIDARG, device->ReadEeprom(data, 0x40, &count));
        count = 2;
        EXPECT_EQ(E_INVALIDARG, device->WriteEeprom(data, -1, &count, 0));
        EXPECT_EQ(Lines(), m_card->TraceFrom(from, kBridgeLines));

        count = 3;
        EXPECT_EQ(S_OK, device->WriteEeprom(data, 0x40, &count, 0));
        EXPECT_EQ(Lines({"W 50 40 11", "E [40]=11", "W 50 41 22", "E [41]=22", "W 50 42 33", "E [42]=33"}),
                  m_card->TraceFrom(from, kBridgeLines));
        BYTE back[8] = {};
        count = 3;
        EXPECT_EQ(S_OK, device->ReadEeprom(back, 0x40, &count));
        EXPECT_EQ(3, count);
        EXPECT_EQ("11 22 33", Hex(back, 3));
        // The last six bytes are within the part.
        count = 6;
        EXPECT_EQ(S_OK, device->ReadEeprom(back, 250, &count));
        EXPECT_EQ(6, count);
    }
}

TEST_F(BridgeBoxTest, TheUtPairProbesByAddressAndLoadsTheTunerTablesInPieces)
{
    CUt800Capture* device = Open<CUt800Capture>(kUt800, L"PllAddr=0xC2");
    ASSERT_NE(nullptr, device);
    DWORD from = m_card->Mark();
    EXPECT_EQ(0xC0, device->ProbeI2CAddress(0xC3));
    EXPECT_EQ(0x40, device->ProbeI2CAddress(0x61));
    EXPECT_EQ(0, device->ProbeI2CAddress(0x3F));
    EXPECT_EQ(S_OK, device->SetAudioInput(1, TRUE));
    // A PLL tuner has no tables to load.
    EXPECT_EQ(S_OK, device->LoadTunerTables());
    EXPECT_EQ(Lines(), m_card->TraceFrom(from, kBridgeLines));

    m_card->Control()("eeprom 20 = 45 5B");
    ASSERT_TRUE(device->InitDevice());
    ASSERT_EQ(91, device->GetTunerModelId());
    m_card->Control()("set PllLockMs 0");
    ChipWaitFunction previous = ReplaceChipWait(NoWait);
    from = m_card->Mark();
    EXPECT_EQ(S_OK, device->LoadTunerTables());
    EXPECT_TRUE(device->SetTunerFrequency(471250));
    Lines trace = m_card->TraceFrom(from, {"W 61", "C "});
    // Every message reaches the chip in the port's pieces: the sub-address and at most 8 bytes.
    size_t longest = 0;
    int baseWrites = 0, standardWrites = 0;
    int* counting = nullptr;
    for (const std::string& line : trace) {
        if (line.compare(0, 4, "W 61") == 0) {
            longest = std::max(longest, (line.size() - 4) / 3);
            if (counting)
                ++*counting;
        } else if (line == "C table M BASE") {
            counting = &baseWrites;
        } else if (line == "C table BGI/163") {
            counting = &standardWrites;
        } else if (line.compare(0, 9, "C loaded ") == 0) {
            counting = nullptr;
        }
    }
    EXPECT_EQ(9u, longest);
    // A table counts its naming message and every piece after it; the message that ends it (the
    // next table's name, the tuning word) comes before its "C" line, in the naming message's place.
    EXPECT_NE(trace.end(),
              std::find(trace.begin(), trace.end(), "C loaded M BASE writes=" + std::to_string(baseWrites)));
    EXPECT_NE(trace.end(),
              std::find(trace.begin(), trace.end(), "C loaded BGI/163 writes=" + std::to_string(standardWrites)));
    // The lock reads as the bridge's tuner register has it.
    from = m_card->Mark();
    int code = -1;
    EXPECT_TRUE(device->GetTvStatus(&code));
    EXPECT_EQ(1, code);
    EXPECT_EQ(Lines({"Q reg 3A -> 00"}), m_card->TraceFrom(from, kBridgeLines));

    m_card->Control()("nack C2 on");
    EXPECT_EQ(E_FAIL, device->LoadTunerTables());
    ReplaceChipWait(previous);
}

TEST_F(BridgeBoxTest, SetCaptureFormatPutsEachCodesSubtypeOnTheCapturePin)
{
    struct Case
    {
        int code;
        GUID subtype;
    };
    const Case cases[] = {
        {0, MEDIASUBTYPE_RGB555}, {1, MEDIASUBTYPE_RGB24}, {2, MEDIASUBTYPE_YUY2}, {3, MEDIASUBTYPE_YVU9},
        {4, MEDIASUBTYPE_YV12},   {6, MEDIASUBTYPE_UYVY},  {7, MEDIASUBTYPE_UYVY}, {-1, MEDIASUBTYPE_UYVY},
    };
    CTridentUsbCapture* device = Open<CTridentUsbCapture>(kTrident);
    ASSERT_NE(nullptr, device);
    CaptureFormat format;
    ASSERT_EQ(S_OK, device->GetCaptureFormat(&format, 1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        format.subtype = c.code;
        EXPECT_EQ(S_OK, device->SetCaptureFormat(format, 1));
        AM_MEDIA_TYPE* type = nullptr;
        ASSERT_EQ(S_OK, device->GetMediaType(&type, 1));
        EXPECT_TRUE(IsEqualGUID(c.subtype, type->subtype));
        CAmMediaType::Delete(type);
    }

    // No graph to find the pin with: a failure, not the success code S_FALSE.
    CUt810Capture alone(NULL, (IBaseFilter*)NULL);
    EXPECT_EQ(E_FAIL, alone.SetCaptureFormat(format, 1));
}
