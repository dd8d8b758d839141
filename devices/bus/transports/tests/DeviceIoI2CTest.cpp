#include "DeviceIoI2C.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A device that writes down each open, control and close and answers reads from a script.
struct FakeDevice
{
    struct Call { DWORD code; std::vector<BYTE> in; DWORD outSize; };
    static FakeDevice* current;

    std::vector<DWORD> opened;
    std::vector<Call> calls;
    int closes = 0;
    DWORD members = 2;
    std::vector<BYTE> reply;
    DWORD failWith = 0;

    static HANDLE Open(DWORD member)
    {
        current->opened.push_back(member);
        return member < current->members ? (HANDLE)(UINT_PTR)(0x100 + member) : INVALID_HANDLE_VALUE;
    }
    static BOOL Control(HANDLE, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned)
    {
        current->calls.push_back({code, std::vector<BYTE>((BYTE*)in, (BYTE*)in + inSize), outSize});
        if (current->failWith) {
            SetLastError(current->failWith);
            return FALSE;
        }
        DWORD n = std::min<DWORD>(outSize, (DWORD)current->reply.size());
        if (n)
            memcpy(out, current->reply.data(), n);
        *returned = n;
        return TRUE;
    }
    static void Close(HANDLE) { ++current->closes; }
};
FakeDevice* FakeDevice::current;

const DeviceIoFunctions kFake = {FakeDevice::Open, FakeDevice::Control, FakeDevice::Close};

std::vector<BYTE> Request(DWORD size, const std::vector<BYTE>& head)
{
    std::vector<BYTE> r(size, 0);
    std::copy(head.begin(), head.end(), r.begin());
    return r;
}

struct DeviceIoFixture : public ::testing::Test
{
    DeviceIoFixture() { FakeDevice::current = &device; }
    FakeDevice device;
};
}

TEST_F(DeviceIoFixture, EveryRequestIsLaidOutByteForByte)
{
    struct Case { const char* what; DWORD index; std::function<HRESULT(CDeviceIoI2C&)> call; DWORD code; std::vector<BYTE> request; DWORD outSize; };
    BYTE value = 0;
    BYTE block[4] = {0x00, 0x0B, 0xDC, 0xCE};
    BYTE pll[4] = {0xC0, 0x0B, 0xDC, 0xCE};
    const Case cases[] = {
        {"ReadByte", 0, [&](CDeviceIoI2C& t) { return t.ReadByte(0xA0, 0x12, &value); }, 0x226000,
         Request(253, {0xA0, 1, 1, 0x12}), 2},
        {"WriteByte", 0, [](CDeviceIoI2C& t) { return t.WriteByte(0x86, 0x01, 0x70); }, 0x22A004,
         Request(252, {0x86, 2, 0x01, 0x70}), 0},
        {"ReadByte16", 0, [&](CDeviceIoI2C& t) { return t.ReadByte16(0xA0, 0x0123, &value); }, 0x226000,
         Request(253, {0xA0, 2, 2, 0x01, 0x23}), 2},
        {"WriteByte16", 0, [](CDeviceIoI2C& t) { return t.WriteByte16(0xA0, 0x0045, 0x77); }, 0x22A004,
         Request(252, {0xA0, 3, 0x00, 0x45, 0x77}), 0},
        {"Read, first tuner", 0, [&](CDeviceIoI2C& t) { return t.Read(block, 3); }, 0x226000,
         Request(253, {0xC3, 1, 3}), 3},
        {"Read, second tuner", 3, [&](CDeviceIoI2C& t) { return t.Read(block, 1); }, 0x226000,
         Request(253, {0xC9, 1, 1}), 1},
        {"Write, first tuner", 2, [&](CDeviceIoI2C& t) { return t.Write(pll, 4); }, 0x22A004,
         Request(252, {0xC2, 4, 0xC0, 0x0B, 0xDC, 0xCE}), 0},
        {"Write, second tuner", 1, [&](CDeviceIoI2C& t) { return t.Write(pll, 2); }, 0x22A004,
         Request(252, {0xC8, 2, 0xC0, 0x0B}), 0},
        {"WriteGpio", 0, [](CDeviceIoI2C& t) { return t.WriteGpio(0x1FF, 0x55); }, 0x226458, {3, 0xFF}, 0},
        {"WriteGpio, second tuner", 5, [](CDeviceIoI2C& t) { return t.WriteGpio(1, 0); }, 0x226458, {4, 1}, 0},
        {"SetControlLine", 0, [](CDeviceIoI2C& t) { return t.SetControlLine(7); }, 0x226458, {3, 1}, 0},
    };
    for (const Case& c : cases) {
        device.calls.clear();
        device.reply = {0x11, 0x22, 0x33};
        device.members = 4;
        CDeviceIoI2C transport(&kFake);
        ASSERT_EQ(S_OK, transport.Attach(NULL, (void*)(UINT_PTR)c.index)) << c.what;
        EXPECT_EQ(S_OK, c.call(transport)) << c.what;
        ASSERT_EQ(1u, device.calls.size()) << c.what;
        EXPECT_EQ(c.code, device.calls[0].code) << c.what;
        EXPECT_EQ(c.request, device.calls[0].in) << c.what;
        EXPECT_EQ(c.outSize, device.calls[0].outSize) << c.what;
    }
    EXPECT_EQ(0x22, value);
    EXPECT_EQ((std::vector<BYTE>{0x11, 0x22, 0x33, 0xCE}), std::vector<BYTE>(block, block + 4));
}

TEST_F(DeviceIoFixture, TheIndexChoosesTheDeviceAndFailuresAreFailures)
{
    CDeviceIoI2C transport(&kFake);
    BYTE b[251] = {};
    EXPECT_EQ(E_FAIL, transport.Write(b, 2));
    EXPECT_EQ(S_OK, transport.Attach(NULL, (void*)3));
    EXPECT_EQ(S_OK, transport.Attach(NULL, (void*)256));
    // A bad index keeps the last one; the device is reopened each time.
    EXPECT_EQ((std::vector<DWORD>{1, 1}), device.opened);
    EXPECT_EQ(1, device.closes);
    EXPECT_EQ(E_FAIL, transport.Attach(NULL, (void*)4));
    EXPECT_EQ(2, device.closes);
    EXPECT_EQ(E_FAIL, transport.Write(b, 2));
    EXPECT_TRUE(device.calls.empty());

    ASSERT_EQ(S_OK, transport.Attach(NULL, (void*)0));
    device.failWith = ERROR_GEN_FAILURE;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), transport.WriteByte(0xC0, 1, 2));
    BYTE v = 0x99;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), transport.ReadByte(0xC0, 1, &v));
    EXPECT_EQ(0x99, v);
    device.failWith = 0;

    device.calls.clear();
    // The write's header takes two bytes of its 252: at most 250 data bytes.
    EXPECT_EQ(S_OK, transport.Write(b, 250));
    EXPECT_EQ(E_INVALIDARG, transport.Write(b, 251));
    EXPECT_EQ(E_INVALIDARG, transport.Read(b, 251));
    EXPECT_EQ(E_INVALIDARG, transport.Read(b, 0));
    EXPECT_EQ(1u, device.calls.size());
}

TEST(DeviceIoI2C, TheSystemSearchFindsNoDeviceAndEveryTransferFails)
{
    CDeviceIoI2C transport;
    EXPECT_EQ(E_FAIL, transport.Attach(NULL, (void*)0));
    BYTE b[3] = {0xC0, 1, 2};
    EXPECT_EQ(E_FAIL, transport.Write(b, 3));
    EXPECT_EQ(E_FAIL, transport.Read(b, 1));
    EXPECT_EQ(E_FAIL, transport.WriteGpio(1, 0));
}
