#include "CSimCard.h"
#include "CSimConfig.h"
#include "DeviceIoI2C.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

// CDeviceIoI2C against the device-I/O family's driver over private cards: one card per
// device, the tuner PLL of each at 0xC2.
namespace
{
typedef std::vector<std::string> Lines;

std::unique_ptr<CSimCard> g_devices[2];

HANDLE OpenDevice(DWORD member)
{
    return member < 2 && g_devices[member] ? (HANDLE)(UINT_PTR)(member + 1) : INVALID_HANDLE_VALUE;
}

BOOL ControlDevice(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned)
{
    CSimCard* card = g_devices[(UINT_PTR)device - 1].get();
    DWORD error = card->DeviceControl(code, (const BYTE*)in, inSize, (BYTE*)out, outSize, returned);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

void CloseDevice(HANDLE)
{
}

const DeviceIoFunctions kSimulatedDevice = {OpenDevice, ControlDevice, CloseDevice};

class SimDeviceIo : public testing::Test
{
protected:
    void SetUp() override
    {
        for (DWORD i = 0; i < 2; ++i) {
            SimConfig config;
            CSimConfig::SetDefaults(&config, 0);
            config.pllAddr = 0xC2;
            config.eeprom[0x21] = (BYTE)(0x0B + i);
            g_devices[i].reset(CSimCard::CreatePrivate(config));
        }
    }

    void TearDown() override
    {
        for (auto& device : g_devices)
            device.reset();
    }

    static Lines TraceFrom(DWORD member, DWORD seq)
    {
        std::string text;
        g_devices[member]->TraceLines(seq, &text);
        Lines lines;
        std::istringstream stream(text);
        std::string line;
        while (std::getline(stream, line))
            lines.push_back(line.substr(line.find('=') + 1));
        return lines;
    }

    static DWORD Mark(DWORD member)
    {
        DWORD seq = 0;
        g_devices[member]->TraceMark(&seq);
        return seq;
    }
};
} // namespace

TEST_F(SimDeviceIo, ReadsTheEepromWritesThePllAndSetsTheTunerLine)
{
    CDeviceIoI2C transport(&kSimulatedDevice);
    ASSERT_EQ(S_OK, transport.Attach(NULL, (void*)0));
    DWORD from = Mark(0);
    BYTE type = 0;
    EXPECT_EQ(S_OK, transport.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x0B, type);
    BYTE pll[4] = {0x1F, 0xE2, 0xCE, 0x30};
    EXPECT_EQ(S_OK, transport.Write(pll, 4));
    EXPECT_EQ(S_OK, transport.WriteGpio(1, 0));
    // Past the PLL's lock time.
    Sleep(50);
    BYTE status[2] = {0, 0};
    EXPECT_EQ(S_OK, transport.Read(status, 2));
    EXPECT_EQ(0x42, status[0]);
    // The EEPROM takes one address byte: the second byte of a 16-bit sub-address is data to it.
    EXPECT_EQ(S_OK, transport.WriteByte16(0xA0, 0x0030, 0x77));
    EXPECT_EQ(S_OK, transport.ReadByte16(0xA0, 0x0030, &type));
    EXPECT_EQ(0x77, type);
    Lines expected = {
        "W 50 21", "R 50 -> 0B",
        "W 61 1F E2 CE 30", "T TV N=8162 t=471225 band=3 ok d=+25",
        "Z gpio line=3 level=01",
        "R 61 -> 42 42",
        "W 50 00 30 77", "E [00]=30 77",
        "W 50 00 30", "E [00]=30", "R 50 -> 77",
    };
    EXPECT_EQ(expected, TraceFrom(0, from));
}

TEST_F(SimDeviceIo, TheIndexChoosesTheDeviceAndItsSecondTuner)
{
    CDeviceIoI2C transport(&kSimulatedDevice);
    // Index 3: the second device, its second tuner at 0xC8/0xC9, which is not fitted.
    ASSERT_EQ(S_OK, transport.Attach(NULL, (void*)3));
    DWORD from = Mark(1);
    BYTE type = 0;
    EXPECT_EQ(S_OK, transport.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x0C, type);
    BYTE pll[4] = {0x1F, 0xE2, 0xCE, 0x30};
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), transport.Write(pll, 4));
    EXPECT_EQ(S_OK, transport.WriteGpio(0, 0));
    Lines expected = {"W 50 21", "R 50 -> 0C", "N 64 W", "Z gpio line=4 level=00"};
    EXPECT_EQ(expected, TraceFrom(1, from));
    EXPECT_EQ(Lines(), TraceFrom(0, Mark(0)));

    // A larger index keeps the previous one.
    ASSERT_EQ(S_OK, transport.Attach(NULL, (void*)256));
    from = Mark(1);
    EXPECT_EQ(S_OK, transport.WriteGpio(1, 0));
    EXPECT_EQ(Lines({"Z gpio line=4 level=01"}), TraceFrom(1, from));
}
