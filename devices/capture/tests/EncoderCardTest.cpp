// The MPEG encoder cards through their records over a card registered under each card's
// names: every chip is reached through the encoder driver's register property, and the card's
// trace shows what reached the bus.
#include <gtest/gtest.h>

#include "EncoderCardControl.h"
#include "EncoderCardProperties.h"
#include "EncoderParameters.h"
#include "GraphBuilder.h"
#include "LunetCapture.h"
#include "Mpeg2BoxCapture.h"
#include "Mpeg2BoxCrossbar.h"
#include "SimFamilyCard.h"
#include "TempFolder.h"

#include <ks.h>
#include <ksmedia.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const DWORD kCard = 3;
typedef SimFamilyCard::Lines Lines;

struct CardRow
{
    const wchar_t* family;
    const char* capture;
};

const CardRow kBox = {L"family=mpeg2box", "Quorvex MPEG-2 Box"};
const CardRow kLunet = {L"family=lunet", "Quorvex Lunet Device"};

class EncoderCardTest : public testing::Test
{
protected:
    void TearDown() override { m_graph.TearDown(); }

    // The card through its record in a new graph; the commands go to the card before it opens.
    template <class T>
    T* Open(const CardRow& row, const std::vector<std::string>& commands = {})
    {
        m_graph.TearDown();
        m_card.reset();
        EXPECT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_card.reset(new SimFamilyCard(kCard, row.family));
        EXPECT_EQ(S_OK, m_card->Installed());
        m_card->Control().Run("reset");
        for (const std::string& command : commands)
            m_card->Control()(command);
        CFilterWrapper* wrapper =
            m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, row.capture, "Video Capture", 0, 0);
        return dynamic_cast<T*>(wrapper);
    }

    bool Traced(DWORD from, const std::string& text)
    {
        Lines lines = m_card->TraceFrom(from);
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) == 0; });
    }

    // The ids of the encoder's own properties as they reached the driver.
    std::vector<int> PropertyIds(DWORD from, const char* direction)
    {
        std::vector<int> ids;
        std::string prefix = std::string("J ") + direction + " ";
        for (const std::string& line : m_card->TraceFrom(from, {prefix}))
            ids.push_back(atoi(line.c_str() + prefix.size()));
        return ids;
    }

    CGraphBuilder m_graph;
    std::unique_ptr<SimFamilyCard> m_card;
};

} // namespace

TEST_F(EncoderCardTest, EachCardOpensThroughItsRecordWithItsTransport)
{
    CMpeg2BoxCapture* box = Open<CMpeg2BoxCapture>(kBox);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(box->IsValid());
    EXPECT_EQ(10, box->GetAccessMode());
    ASSERT_NE(nullptr, box->GetI2CAccess());
    EXPECT_TRUE(typeid(*box->GetI2CAccess()) == typeid(CEncoderCardControl));
    EXPECT_NE(nullptr, box->GetPropertySet());
    EXPECT_FALSE(box->HasTunerFilter());
    // The EEPROM at 0xA2 names the tuner: 'T' and model 11 at 0x20 and 0x21.
    EXPECT_EQ('T', box->GetSystemLetter());
    EXPECT_EQ(11, box->GetTunerModelId());
    EXPECT_EQ(E_NOTIMPL, box->SetAudioInput(1, TRUE));

    CMpeg2BoxCrossbar* crossbar = dynamic_cast<CMpeg2BoxCrossbar*>(
        m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, "Quorvex MPEG-2 Box Crossbar", "Crossbar", 0, 0));
    ASSERT_NE(nullptr, crossbar);
    EXPECT_TRUE(crossbar->HasTuner());
    EXPECT_TRUE(crossbar->SelectInput(CCrossbarWrapper::kTuner));
    CComRef<IAMCrossbar> jacks;
    ASSERT_EQ(S_OK, crossbar->GetFilter()->QueryInterface(IID_IAMCrossbar, jacks.ReceiveVoid()));
    long input = -1;
    EXPECT_EQ(S_OK, jacks->get_IsRoutedTo(CCrossbarWrapper::kVideoOutput, &input));
    EXPECT_EQ(2, input);

    // The twin keeps its tuner entry at 160 and 161.
    CLunetCapture* lunet = Open<CLunetCapture>(kLunet, {"eeprom A0 = 50 5C"});
    ASSERT_NE(nullptr, lunet);
    EXPECT_TRUE(lunet->IsValid());
    EXPECT_EQ(15, lunet->GetAccessMode());
    ASSERT_NE(nullptr, lunet->GetI2CAccess());
    EXPECT_TRUE(typeid(*lunet->GetI2CAccess()) == typeid(CEncoderCardControlB));
    EXPECT_EQ('P', lunet->GetSystemLetter());
    EXPECT_EQ(92, lunet->GetTunerModelId());
    EXPECT_STREQ("Quorvex Lunet TvTuner", lunet->GetTunerFilterName());
}

TEST_F(EncoderCardTest, TuningReachesThePllThroughEitherTransport)
{
    CMpeg2BoxCapture* box = Open<CMpeg2BoxCapture>(kBox, {"profile 11"});
    ASSERT_NE(nullptr, box);
    DWORD from = m_card->Mark();
    EXPECT_TRUE(box->SetTunerFrequency(471250));
    EXPECT_TRUE(Traced(from, "W 60 1F E2 CE 30"));
    EXPECT_TRUE(Traced(from, "T TV N=8162"));
    from = m_card->Mark();
    EXPECT_TRUE(SetEncoderTunerFrequency(box->GetFilter(), 55250));
    EXPECT_TRUE(Traced(from, "W 60 05 E2 CE 01"));
    // The lock poll reads the module's status without addressing it.
    EXPECT_FALSE(Traced(from, "W 60 8E"));
    EXPECT_TRUE(ProbeTuner(box->GetFilter()));

    CLunetCapture* lunet = Open<CLunetCapture>(kLunet, {"eeprom A0 = 54 0B", "profile 11"});
    ASSERT_NE(nullptr, lunet);
    from = m_card->Mark();
    EXPECT_TRUE(lunet->SetTunerFrequency(471250));
    EXPECT_TRUE(Traced(from, "W 60 1F E2 CE 30"));
    EXPECT_TRUE(Traced(from, "T TV N=8162"));
}

TEST_F(EncoderCardTest, KeysEepromAndStatusThroughTheRegisterCommand)
{
    for (const CardRow* row : {&kBox, &kLunet}) {
        SCOPED_TRACE(row->capture);
        CCaptureDevice* device = Open<CCaptureDevice>(*row);
        ASSERT_NE(nullptr, device);
        IUnknown* filter = device->GetFilter();
        BYTE key = 0;
        EXPECT_FALSE(device->ReadRemoteKey(&key));
        m_card->Control()("key C3");
        EXPECT_TRUE(device->ReadRemoteKey(&key));
        EXPECT_EQ(0xC3, key);
        EXPECT_FALSE(device->ReadRemoteKey(&key));

        DWORD from = m_card->Mark();
        EXPECT_TRUE(WriteEepromByte(filter, 0x40, 0x5A));
        BYTE byte = 0;
        EXPECT_TRUE(ReadEepromByte(filter, 0x40, &byte));
        EXPECT_EQ(0x5A, byte);
        EXPECT_TRUE(Traced(from, "E [40]=5A"));

        // The ready poll gives up after 50 busy reads, and sees the 50th clear.
        m_card->Control()("encoder busy 50");
        EXPECT_FALSE(WaitEncoderReady(filter));
        m_card->Control()("encoder busy 49");
        EXPECT_TRUE(WaitEncoderReady(filter));
        BOOL idle = 7;
        m_card->Control()("encoder active 1");
        EXPECT_TRUE(GetEncoderIdle(filter, &idle));
        EXPECT_EQ(0, idle);
        EXPECT_TRUE(GetEncoderIdle(filter, &idle));
        EXPECT_EQ(1, idle);

        from = m_card->Mark();
        EXPECT_TRUE(SelectEncoderVideoInput(filter, 2, 1));
        EXPECT_TRUE(Traced(from, "J reg 2 = 00000004"));
        m_card->Control()("demod on");
        EXPECT_TRUE(SetDemodulatorWord(filter, 5));
        EXPECT_TRUE(Traced(from, "W 43 00 16 10"));
    }
}

TEST_F(EncoderCardTest, FirmwareVersionsAreAcceptedRefusedOrWaitedOn)
{
    CMpeg2BoxCapture* box = Open<CMpeg2BoxCapture>(kBox);
    ASSERT_NE(nullptr, box);
    struct Case
    {
        const char* versions;
        BOOL accepted;
    };
    const Case cases[] = {
        {"2.0.51", FALSE},
        {"2.1.0", TRUE},
        {"2.0.52 2.4.21", TRUE},
        {"2.0.52 0.0.1 0.0.1 2.4.21", TRUE},
        {"2.0.52 2.4.20", FALSE},
    };
    for (const Case& c : cases) {
        m_card->Control()(std::string("encoder version ") + c.versions);
        EXPECT_EQ(c.accepted, CheckEncoderFirmware(box->GetFilter())) << c.versions;
    }
}

TEST_F(EncoderCardTest, ParameterSequencesRunInTheDriversOrderSkippingWhatItLacks)
{
    CMpeg2BoxCapture* box = Open<CMpeg2BoxCapture>(kBox, {});
    ASSERT_NE(nullptr, box);
    IUnknown* filter = box->GetFilter();
    m_card->Control()("encoder support 54 none");
    m_card->Control()("encoder support 13 set");
    m_card->Control()("encoder support 60 get");

    EncoderParameters written = {};
    written.bStreamOutputMode = 11;
    written.bVideoResolution = 2;
    written.wVideoBitrate = 1150;
    written.bVariance = 3;
    written.dwMuxRate = 2520;
    written.bAudioSamplingRate = 2;
    written.bAudioDataRate = 11;
    written.bCRCState = 1;
    written.bClosedGOP = 0;
    written.bInverseTel = 0;
    written.wProperty6First = 0x1234;
    DWORD from = m_card->Mark();
    ASSERT_TRUE(SetEncoderParameters(&written, filter, NULL, FALSE));
    EXPECT_EQ((std::vector<int>{0, 3, 6, 11, 12, 5, 13, 7, 1, 50, 62}), PropertyIds(from, "Set"));

    from = m_card->Mark();
    EncoderParameters read;
    ASSERT_TRUE(GetEncoderParameters(&read, filter, NULL, FALSE));
    EXPECT_EQ((std::vector<int>{2, 4, 60, 50, 0, 3, 11, 12, 5, 7, 6, 1, 42}), PropertyIds(from, "Get"));
    EXPECT_EQ(11, read.bStreamOutputMode);
    EXPECT_EQ(2, read.bVideoResolution);
    EXPECT_EQ(1150, read.wVideoBitrate);
    EXPECT_EQ(3u, read.bVariance);
    EXPECT_EQ(2520u, read.dwMuxRate);
    EXPECT_EQ(11, read.bAudioDataRate);
    EXPECT_EQ(0x1234, read.wProperty6First);
    EXPECT_EQ(0, read.bCRCState);       // refused for Get: the default stays
    EXPECT_EQ(0u, read.bInverseTel);

    // The old interface's 10-byte block leaves the mux rate out.
    from = m_card->Mark();
    ASSERT_TRUE(SetEncoderParametersB(&written, filter, TRUE));
    EXPECT_EQ((std::vector<int>{0, 3, 6, 11, 12, 5, 13, 7, 1, 62}), PropertyIds(from, "Set"));
    EXPECT_TRUE(Traced(from, "J Set 1 cb=10"));
}

TEST_F(EncoderCardTest, TheImageGoesWholeAndAShortFileIsRefused)
{
    CLunetCapture* lunet = Open<CLunetCapture>(kLunet);
    ASSERT_NE(nullptr, lunet);
    TempFolder folder;
    std::string whole = folder.Write("image.bin", std::string(0x40000, '\x5A'));
    std::string shortImage = folder.Write("short.bin", std::string(0x40000 - 1, '\x5A'));
    DWORD from = m_card->Mark();
    EXPECT_FALSE(SendEncoderImageFile(lunet->GetFilter(), shortImage.c_str()));
    EXPECT_FALSE(Traced(from, "J image"));
    EXPECT_TRUE(SendEncoderImageFile(lunet->GetFilter(), whole.c_str()));
    EXPECT_TRUE(Traced(from, "J image cb=262156 inst=262156 trailer 02 00 00 00 06 00 00 00 01 00 00 00"));
}
