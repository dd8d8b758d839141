#include "SimCardFixture.h"

#include <string.h>

// The other driver families' front ends decoding their requests onto the card: what each
// refuses, and the decoding a transport never exercises.
namespace
{
class SimCardFamily : public SimCardFixture
{
protected:
    void MakeFamily(DWORD family)
    {
        Make([family](SimConfig& c) { c.family = family; });
    }

    // The tunnel's 48-byte buffer around one request.
    HRESULT Tunnel(const std::vector<BYTE>& request, std::vector<BYTE>* reply = NULL)
    {
        BYTE buffer[CSimCard::TUNNEL_BUFFER] = {};
        memcpy(buffer + 24, request.data(), request.size() < 20 ? request.size() : 20);
        buffer[44] = (BYTE)request.size();
        HRESULT hr = card->TunnelSet(buffer, sizeof(buffer));
        if (FAILED(hr) || !reply)
            return hr;
        BYTE back[CSimCard::TUNNEL_BUFFER] = {};
        DWORD returned = 0;
        hr = card->TunnelGet(back, sizeof(back), &returned);
        reply->assign(back + 24, back + 24 + back[44]);
        return hr;
    }
};
} // namespace

TEST_F(SimCardFamily, BoxDataPropertiesNeedTheirSelectorAndFaultsHitOnlyTheirId)
{
    MakeFamily(SIM_FAMILY_USB2800);
    BYTE data[4] = {};
    EXPECT_EQ(E_UNEXPECTED, card->BoxGet(4102, data));
    EXPECT_EQ(E_UNEXPECTED, card->BoxSet(4104, data));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, card->BoxGet(4101, data));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, card->BoxSet(4200, data));

    ASSERT_EQ(S_OK, card->SetFault(4104, E_ACCESSDENIED, 1));
    DWORD selector = 0x01A02001;       // EEPROM, sub-address 0x20, one byte
    EXPECT_EQ(S_OK, card->BoxSet(4103, &selector));
    EXPECT_EQ(E_ACCESSDENIED, card->BoxGet(4104, data));
    EXPECT_EQ(S_OK, card->BoxGet(4104, data));
    EXPECT_EQ('T', data[0]);
    EXPECT_EQ(E_INVALIDARG, card->SetFault(4200, E_FAIL, 1));
}

TEST_F(SimCardFamily, TheBoxDemodulatorAnswersOnlyOnTheBoxAndShowsThePictureLock)
{
    MakeFamily(SIM_FAMILY_2388X);
    BYTE status = 0;
    DWORD mark = Mark();
    EXPECT_NE(S_OK, bus.ReadByte(0x42, 31, &status));
    EXPECT_TRUE(Traced(mark, "N 21 W"));

    MakeFamily(SIM_FAMILY_USB2800);
    EXPECT_EQ(S_OK, bus.ReadByte(0x42, 31, &status));
    EXPECT_EQ(0x40, status);
    Tune({0xC0, 0x1F, 0xE2, 0xCE, 0x30});
    EXPECT_EQ(S_OK, bus.ReadByte(0x42, 31, &status));
    EXPECT_EQ(0x00, status);
    // Its other registers keep what is written.
    EXPECT_EQ(S_OK, bus.WriteByte(0x42, 3, 0x5C));
    EXPECT_EQ(S_OK, bus.ReadByte(0x42, 3, &status));
    EXPECT_EQ(0x5C, status);
}

TEST_F(SimCardFamily, TunnelRequestsAreCheckedAndGpioPortsMapToLines)
{
    MakeFamily(SIM_FAMILY_TUNNEL);
    const HRESULT badRequest = HRESULT_FROM_WIN32(ERROR_INVALID_FUNCTION);
    const HRESULT badLength = HRESULT_FROM_WIN32(ERROR_BAD_LENGTH);
    EXPECT_EQ(badLength, Tunnel({0x40, 3, 1, 1, 1, 0, 0}));
    EXPECT_EQ(badLength, Tunnel(std::vector<BYTE>(19, 0x40)));
    EXPECT_EQ(badRequest, Tunnel({0x41, 3, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(badRequest, Tunnel({0x40, 99, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(badLength, Tunnel({0xC0, 9, 0xA0, 0, 0, 0, 0, 0}));
    // A block write whose length field disagrees with its data.
    EXPECT_EQ(badLength, Tunnel({0x40, 16, 0xA0, 0x10, 0, 0, 3, 0, 1, 2}));

    struct Port { BYTE port, group; const char* line; };
    const Port ports[] = {
        {1, 1, "line=0"}, {4, 1, "line=3"}, {0, 3, "line=4"}, {1, 3, "line=5"}, {4, 3, "line=6"}, {5, 3, "line=7"},
    };
    for (const Port& p : ports) {
        DWORD mark = Mark();
        EXPECT_EQ(S_OK, Tunnel({0x40, 3, p.port, p.group, 1, 0, 0, 0}));
        EXPECT_TRUE(Traced(mark, (std::string("Q gpio ") + p.line + " level=1").c_str())) << p.line;
    }
    EXPECT_EQ(badRequest, Tunnel({0x40, 3, 0, 1, 1, 0, 0, 0}));
    EXPECT_EQ(badRequest, Tunnel({0x40, 3, 2, 3, 1, 0, 0, 0}));

    // An IN request's reply is what the Get after it returns; a failed one leaves none.
    std::vector<BYTE> reply;
    EXPECT_EQ(S_OK, Tunnel({0xC0, 16, 0xA0, 0x20, 0, 0, 2, 0}, &reply));
    EXPECT_EQ(std::vector<BYTE>({'T', 0x0B}), reply);
    EXPECT_NE(S_OK, Tunnel({0xC0, 9, 0x30, 0, 0, 0, 1, 0}));
    BYTE back[CSimCard::TUNNEL_BUFFER] = {};
    EXPECT_EQ(S_OK, card->TunnelGet(back, sizeof(back), NULL));
    EXPECT_EQ(0, back[44]);
}

TEST_F(SimCardFamily, SixteenByteRequestsReachOnlyTheirBus)
{
    MakeFamily(SIM_FAMILY_BUS16);
    const HRESULT nack = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);
    struct Case { BYTE bus, address; HRESULT result; };
    const Case cases[] = {{1, 0xA0, S_OK}, {2, 0xA0, nack}, {2, 0xC0, S_OK}, {1, 0xC0, nack}};
    for (const Case& c : cases) {
        BYTE data[19] = {c.bus, c.address, 0x21};
        DWORD returned = 0;
        EXPECT_EQ(c.result, card->Bus16Property(CSimCard::BUS16_MAIN, 0, true, data, sizeof(data), &returned))
            << (int)c.bus << " " << std::hex << (int)c.address;
    }
    DWORD support = 0;
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, CSimCard::Bus16Support(CSimCard::BUS16_MAIN, 2, &support));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, CSimCard::Bus16Support(CSimCard::BUS16_MAIN, 7, &support));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, CSimCard::Bus16Support(CSimCard::BUS16_CONTROL, 1, &support));
    BYTE shortBuffer[18] = {1, 0xA0};
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER),
              card->Bus16Property(CSimCard::BUS16_MAIN, 0, true, shortBuffer, sizeof(shortBuffer), NULL));
    BYTE block[264] = {1, 0xA1, 0, 0};
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BAD_LENGTH),
              card->Bus16Property(CSimCard::BUS16_MAIN, 3, true, block, sizeof(block), NULL));
}

TEST_F(SimCardFamily, DeviceControlsRefuseWhatTheyDoNotKnow)
{
    BYTE request[253] = {0xA0, 1, 1, 0x21};
    BYTE reply[2] = {};
    DWORD returned = 0;
    EXPECT_EQ((DWORD)ERROR_SUCCESS, card->DeviceControl(CSimCard::IOCTL_READ, request, 253, reply, 2, &returned));
    EXPECT_EQ(0x0B, reply[1]);
    EXPECT_EQ(2u, returned);
    EXPECT_EQ((DWORD)ERROR_INVALID_FUNCTION, card->DeviceControl(0x226004, request, 253, reply, 2, &returned));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, card->DeviceControl(CSimCard::IOCTL_READ, request, 252, reply, 2, &returned));
    BYTE gpio[2] = {5, 1};
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, card->DeviceControl(CSimCard::IOCTL_GPIO, gpio, 2, NULL, 0, &returned));
    BYTE write[252] = {0x30, 1, 0};
    EXPECT_EQ((DWORD)ERROR_IO_DEVICE, card->DeviceControl(CSimCard::IOCTL_WRITE, write, 252, NULL, 0, &returned));
}

TEST_F(SimCardFamily, TheBoxKeyControllerHandsOverQueuedKeysOneByOne)
{
    MakeFamily(SIM_FAMILY_2388X);
    BYTE value = 0;
    EXPECT_NE(S_OK, bus.ReadByte(0xBA, 48, &value));   // the card's keys come over GPIO

    Make([](SimConfig& c) { c.family = SIM_FAMILY_USB2800; c.keyTunerCode = 3; });
    EXPECT_EQ(S_OK, bus.ReadByte(0xBA, 48, &value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(S_OK, bus.ReadByte(0xBA, 50, &value));
    EXPECT_EQ(3, value);
    ASSERT_EQ(S_OK, card->QueueKey(0x15, 0));
    ASSERT_EQ(S_OK, card->QueueKey(0x2A, 0));
    DWORD mark = Mark();
    for (BYTE key : {0x15, 0x2A}) {
        EXPECT_EQ(S_OK, bus.ReadByte(0xBA, 48, &value));
        EXPECT_EQ(1, value);
        EXPECT_EQ(S_OK, bus.WriteByte(0xBA, 48, 0));
        EXPECT_EQ(S_OK, bus.ReadByte(0xBA, 49, &value));
        EXPECT_EQ(key, value);
    }
    EXPECT_TRUE(Traced(mark, "KC 48=00"));
    EXPECT_TRUE(Traced(mark, "K 2A read"));
    EXPECT_EQ(S_OK, bus.ReadByte(0xBA, 48, &value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(S_OK, bus.ReadByte(0xBA, 49, &value));
    EXPECT_EQ(0, value);
}
