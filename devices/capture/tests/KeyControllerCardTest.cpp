// The Raptor and Mirox cards through their records over a card of the prefix: Raptor on the
// 16-byte sets of its capture filter, Mirox on the device-I/O driver's device that the system's
// device-interface search finds. The card's trace shows what reached its bus.
#include <gtest/gtest.h>

#include "DeviceIoI2C.h"
#include "GraphBuilder.h"
#include "KsPropertyI2C16.h"
#include "MiroxCapture.h"
#include "RaptorCapture.h"
#include "SimFamilyCard.h"
#include "TunerXCEIVE2028.h"

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const DWORD kCard = 3;
typedef SimFamilyCard::Lines Lines;

const char kRaptor[] = "Conexant Raptor Video Capture";
const char kMirox[] = "QUORVEX Mirox Audio/Video Capture";
const wchar_t kRaptorCard[] = L"family=bus16";
// A card with no property set of its own under Mirox's name, its key controller at 0xBB and
// the register-table tuner at 0xC2; deviceio=1 enters its device.
const wchar_t kMiroxCard[] =
    L"family=usbcam;videoname=QUORVEX Mirox Audio/Video Capture;KeyController=0xBB;PllAddr=0xC2;Profile=91";

class KeyControllerCardTest : public testing::Test
{
protected:
    void TearDown() override
    {
        m_graph.TearDown();
        m_card.reset();
    }

    template <class T>
    T* Open(const std::wstring& line, const char* capture)
    {
        m_graph.TearDown();
        m_card.reset();
        EXPECT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_card.reset(new SimFamilyCard(kCard, line));
        EXPECT_EQ(S_OK, m_card->Installed());
        m_card->Control().Run("reset");
        return dynamic_cast<T*>(m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, capture, "Video Capture", 0, 0));
    }

    CGraphBuilder m_graph;
    std::unique_ptr<SimFamilyCard> m_card;
};

} // namespace

TEST_F(KeyControllerCardTest, RaptorReadsItsKeyAtBAWithTheSubAddressesInTransfersOfTheirOwn)
{
    CRaptorCapture* raptor = Open<CRaptorCapture>(kRaptorCard, kRaptor);
    ASSERT_NE(nullptr, raptor);
    ASSERT_TRUE(raptor->IsValid());
    EXPECT_EQ(13, raptor->GetAccessMode());
    ASSERT_NE(nullptr, raptor->GetI2CAccess());
    EXPECT_TRUE(typeid(*raptor->GetI2CAccess()) == typeid(CKsPropertyI2C16));

    BYTE key = 0;
    EXPECT_FALSE(raptor->ReadRemoteKey(&key));
    m_card->Control()("key 42");
    DWORD from = m_card->Mark();
    EXPECT_TRUE(raptor->ReadRemoteKey(&key));
    EXPECT_EQ(0x42, key);
    EXPECT_EQ((Lines{"W 5D AA", "R 5D -> 01", "W 5D AB", "K 42 read", "R 5D -> 42"}),
              m_card->TraceFrom(from, {"W 5D", "R 5D", "K "}));
    // The read took the key: the next poll finds none.
    EXPECT_FALSE(raptor->ReadRemoteKey(&key));
}

TEST_F(KeyControllerCardTest, MiroxOpensItsDeviceTunesUnaddressedAndReadsItsKeyAtBB)
{
    CMiroxCapture* mirox = Open<CMiroxCapture>(std::wstring(kMiroxCard) + L";deviceio=1", kMirox);
    ASSERT_NE(nullptr, mirox);
    ASSERT_TRUE(mirox->IsValid());
    EXPECT_EQ(0, mirox->GetAccessMode());
    ASSERT_NE(nullptr, mirox->GetI2CAccess());
    EXPECT_TRUE(typeid(*mirox->GetI2CAccess()) == typeid(CDeviceIoI2C));
    EXPECT_EQ(91, mirox->GetTunerModelId());
    ASSERT_NE(nullptr, dynamic_cast<CTunerXCEIVE2028*>(mirox->GetTuner()));

    // The driver adds the chip's address itself: the mode and divider words go without it.
    DWORD from = m_card->Mark();
    EXPECT_TRUE(mirox->SetTunerFrequency(471250));
    EXPECT_EQ((Lines{"W 61 00 02 00 00", "W 61 00 00 75 D0", "T XC N=30160 t=471250 d=+0"}),
              m_card->TraceFrom(from, {"W 61", "T "}));

    long locked = 0;
    EXPECT_EQ(S_OK, mirox->IsSignalLocked(&locked));
    EXPECT_EQ(1, locked);
    EXPECT_EQ(E_POINTER, mirox->IsSignalLocked(nullptr));

    BYTE key = 0;
    EXPECT_FALSE(mirox->ReadRemoteKey(&key));
    m_card->Control()("key 17");
    from = m_card->Mark();
    EXPECT_TRUE(mirox->ReadRemoteKey(&key));
    EXPECT_EQ(0x17, key);
    EXPECT_TRUE(mirox->ClearRemoteKey());
    EXPECT_EQ((Lines{"W 5D 30", "R 5D -> 01", "W 5D 31", "K 17 read", "R 5D -> 17", "W 5D 31 FF", "KC 49=FF"}),
              m_card->TraceFrom(from, {"W 5D", "R 5D", "K"}));
}

TEST_F(KeyControllerCardTest, MiroxWithoutItsDeviceDoesNotOpen)
{
    // Through the record: the device that failed to start is dropped.
    EXPECT_EQ(nullptr, Open<CMiroxCapture>(kMiroxCard, kMirox));

    CComRef<IBaseFilter> capture = m_card->BindCapture(kMirox);
    ASSERT_TRUE(capture);
    CMiroxCapture mirox(&m_graph, capture.Get());
    mirox.SetName("Video Capture");
    mirox.Open();
    EXPECT_FALSE(mirox.IsValid());
    EXPECT_EQ(nullptr, mirox.GetI2CAccess());
    EXPECT_EQ(nullptr, mirox.GetTuner());
}

TEST_F(KeyControllerCardTest, TheDriversRefusalsReachTheTransportAsItsErrors)
{
    ASSERT_NE(nullptr, Open<CMiroxCapture>(std::wstring(kMiroxCard) + L";deviceio=1", kMirox));
    CDeviceIoI2C transport;
    // Index 1: the card's second tuner, at 0xC8, which it does not have.
    ASSERT_EQ(S_OK, transport.Attach(NULL, (void*)1));
    BYTE word[2] = {0x00, 0x00};
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), transport.Write(word, 2));
    BYTE value = 0;
    EXPECT_EQ(S_OK, transport.ReadByte(0xA0, 0x21, &value));
    // Index 2: a second device, which the prefix does not have.
    EXPECT_EQ(E_FAIL, transport.Attach(NULL, (void*)2));
}
