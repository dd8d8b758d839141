#include "KsPortI2C.h"
#include "KsPropertyI2C16.h"
#include "KsShortBlockI2C.h"
#include "SimFamilyCard.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The tunnelled and sixteen-byte transports on the capture filters of simulated cards
// registered under those drivers' names; the card's trace shows what reached its bus.
namespace
{
const DWORD kTunnelCard = 9;
const DWORD kBus16Card = 3;
typedef SimFamilyCard::Lines Lines;

// Bus transactions, tuning, EEPROM writes and the families' own register and GPIO lines.
const std::vector<std::string> kBusLines = {"W ", "R ", "N ", "T ", "E ", "Q ", "Y gpio"};

class SimFamilies : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        s_tunnel = new SimFamilyCard(kTunnelCard, L"family=tunnel");
        s_bus16 = new SimFamilyCard(kBus16Card, L"family=bus16");
    }

    static void TearDownTestSuite()
    {
        delete s_tunnel;
        delete s_bus16;
        CoUninitialize();
    }

    // The card's capture filter with the transport attached, the card back at its instance
    // values.
    void Open(SimFamilyCard* card, const char* name, CI2CAccess* transport)
    {
        ASSERT_EQ(S_OK, card->Installed());
        m_filter = card->BindCapture(name);
        ASSERT_TRUE(m_filter) << name;
        card->Control()("reset");
        ASSERT_EQ(S_OK, transport->Attach(m_filter.Get(), NULL));
    }

    static SimFamilyCard* s_tunnel;
    static SimFamilyCard* s_bus16;
    CComRef<IBaseFilter> m_filter;
};

SimFamilyCard* SimFamilies::s_tunnel = NULL;
SimFamilyCard* SimFamilies::s_bus16 = NULL;

// Eighteen EEPROM bytes at 0x40, after the address and sub-address.
std::vector<BYTE> LongEepromWrite()
{
    std::vector<BYTE> buffer = {0xA0, 0x40};
    for (BYTE i = 0; i < 18; ++i)
        buffer.push_back((BYTE)(0x10 + i));
    return buffer;
}
} // namespace

TEST_F(SimFamilies, TunnelTransportsReadTheEepromWriteThePllAndSetGpioLines)
{
    struct Case
    {
        const char* name;
        std::function<CKsShortBlockI2C*()> make;
        Lines controlLine;      // SetControlLine(1)
    };
    const Case cases[] = {
        {"short block", [] { return new CKsShortBlockI2C; }, {"Q gpio line=0 level=0"}},
        {"short block 2", [] { return new CKsShortBlockI2C2; },
         {"Q gpio line=1 level=1", "Q gpio line=1 level=1", "Q gpio line=1 level=1"}},
        {"port", [] { return new CKsPortI2C; }, {"Q gpio line=0 level=0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CKsShortBlockI2C> transport(c.make());
        Open(s_tunnel, "TridVid Capture", transport.get());
        DWORD from = s_tunnel->Mark();
        BYTE type = 0;
        EXPECT_EQ(S_OK, transport->ReadByte(0xA0, 0x21, &type));
        EXPECT_EQ(0x0B, type);
        BYTE pll[5] = {0xC0, 0x1F, 0xE2, 0xCE, 0x30};
        EXPECT_EQ(S_OK, transport->Write(pll, 5));
        EXPECT_EQ(S_OK, transport->WriteGpio(1, 5));
        EXPECT_EQ(S_OK, transport->WriteRegByte(0x10, 0x5A));
        BYTE reg = 0;
        EXPECT_EQ(S_OK, transport->ReadRegByte(0x10, &reg));
        EXPECT_EQ(0x5A, reg);
        Lines expected = {
            "W 50 21", "R 50 -> 0B", "W 60 1F E2 CE 30", "T TV N=8162 t=471225 band=3 ok d=+25",
            "Q gpio line=5 level=1", "Q reg 10 = 5A", "Q reg 10 -> 5A",
        };
        EXPECT_EQ(expected, s_tunnel->TraceFrom(from, kBusLines));

        from = s_tunnel->Mark();
        transport->SetControlLine(1);
        EXPECT_EQ(c.controlLine, s_tunnel->TraceFrom(from, kBusLines));
    }
}

TEST_F(SimFamilies, TheShortBlockTransportRefusesWritesItsRequestCannotHold)
{
    CKsShortBlockI2C transport;
    Open(s_tunnel, "TridVid Capture", &transport);
    DWORD from = s_tunnel->Mark();
    std::vector<BYTE> buffer = LongEepromWrite();
    EXPECT_EQ(E_INVALIDARG, transport.Write(buffer.data(), 13));
    EXPECT_EQ(S_OK, transport.Write(buffer.data(), 12));
    Lines expected = {"W 50 40 10 11 12 13 14 15 16 17 18 19", "E [40]=10 11 12 13 14 15 16 17 18 19"};
    EXPECT_EQ(expected, s_tunnel->TraceFrom(from, kBusLines));
}

TEST_F(SimFamilies, ThePortSplitsLongWritesAndKeepsToItsAddressRange)
{
    CKsPortI2C transport;
    Open(s_tunnel, "TridVid Capture", &transport);
    DWORD from = s_tunnel->Mark();
    std::vector<BYTE> buffer = LongEepromWrite();
    EXPECT_EQ(S_OK, transport.Write(buffer.data(), (int)buffer.size()));
    BYTE value = 0;
    EXPECT_EQ(E_INVALIDARG, transport.ReadByte(0x42, 0x00, &value));
    BYTE tuner[1] = {0xC1};
    EXPECT_EQ(E_INVALIDARG, transport.Read(tuner, 1));
    BYTE eeprom[4] = {0xA0};
    EXPECT_EQ(S_OK, transport.Read(eeprom, 4));
    EXPECT_EQ(S_OK, transport.ReadPortRegister(0x10, &value));
    // Every piece goes to the same sub-address.
    Lines expected = {
        "W 50 40 10 11 12 13 14 15 16 17", "E [40]=10 11 12 13 14 15 16 17",
        "W 50 40 18 19 1A 1B 1C 1D 1E 1F", "E [40]=18 19 1A 1B 1C 1D 1E 1F",
        "W 50 40 20 21", "E [40]=20 21",
        "R 50 -> 1A 1B 1C 1D", "Q reg 10 -> 00",
    };
    EXPECT_EQ(expected, s_tunnel->TraceFrom(from, kBusLines));
}

TEST_F(SimFamilies, TheSixteenByteTransportUsesItsTwoBusesPiecesAndGpioRegisters)
{
    CKsPropertyI2C16 transport;
    Open(s_bus16, "Conexant Raptor Video Capture", &transport);
    s_bus16->Control()("ack BA");
    DWORD from = s_bus16->Mark();
    BYTE type = 0;
    EXPECT_EQ(S_OK, transport.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x0B, type);
    BYTE pll[5] = {0xC0, 0x1F, 0xE2, 0xCE, 0x30};
    EXPECT_EQ(S_OK, transport.Write(pll, 5));
    std::vector<BYTE> buffer = LongEepromWrite();
    EXPECT_EQ(S_OK, transport.Write(buffer.data(), (int)buffer.size()));
    BYTE eeprom[3] = {0xA0};
    EXPECT_EQ(S_OK, transport.Read(eeprom, 3));
    EXPECT_EQ(S_OK, transport.ReadByte(0xBA, 0xAA, &type));
    EXPECT_EQ(S_OK, transport.SetGpioLine(5, 1));
    EXPECT_EQ(S_OK, transport.SetControlLine(1));
    DWORD lines = 0;
    EXPECT_EQ(S_OK, transport.ReadGpio(&lines));
    EXPECT_EQ(0x22u, lines);
    Lines expected = {
        "W 50 21", "R 50 -> 0B",
        "W 60 1F E2 CE 30", "T TV N=8162 t=471225 band=3 ok d=+25",
        "W 50 40 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E", "E [40]=10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E",
        "W 50 40 1F 20 21", "E [40]=1F 20 21",
        "W 50", "R 50 -> 13 14 15",
        "W 5D AA", "R 5D -> 00",
        "Y gpio lines=00000020 out=00000020", "Y gpio lines=00000020 out=00000020",
        // The reset pulse on line 1: low, then high.
        "Y gpio lines=00000020 out=00000022", "Y gpio lines=00000020 out=00000022",
        "Y gpio lines=00000022 out=00000022", "Y gpio lines=00000022 out=00000022",
    };
    EXPECT_EQ(expected, s_bus16->TraceFrom(from, kBusLines));
}

TEST_F(SimFamilies, EachFamilyAnswersOnlyItsOwnSets)
{
    const GUID captureSet = {0xFC8FACFF, 0x0293, 0x4CE3, {0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0}};
    CKsShortBlockI2C tunnel;
    Open(s_bus16, "Conexant Raptor Video Capture", &tunnel);
    BYTE value = 0;
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, tunnel.ReadByte(0xA0, 0x21, &value));
    CKsPropertyI2C16 bus16;
    Open(s_tunnel, "TridVid Capture", &bus16);
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, bus16.ReadByte(0xA0, 0x21, &value));
    CComRef<IKsPropertySet> set;
    ASSERT_EQ(S_OK, m_filter->QueryInterface(IID_IKsPropertySet, set.ReceiveVoid()));
    DWORD support = 0;
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, set->QuerySupported(captureSet, 0, &support));
}
