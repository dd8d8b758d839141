#include "Go7007RegisterAccess.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
// One call of the driver's register interface as it arrived.
struct Call
{
    int method;
    DWORD device, width, subAddress, count, flags;
    std::vector<BYTE> data;     // written bytes, or the command's request
    DWORD value;                // register write data, or the command's value

    bool operator==(const Call& o) const
    {
        return method == o.method && device == o.device && width == o.width && subAddress == o.subAddress &&
               count == o.count && flags == o.flags && data == o.data && value == o.value;
    }
};

std::ostream& operator<<(std::ostream& out, const Call& c)
{
    out << "method " << c.method << " dev " << c.device << " width " << c.width << " sub " << c.subAddress
        << " count " << c.count << " flags " << std::hex << c.flags << " value " << c.value << std::dec << " data";
    for (BYTE b : c.data)
        out << ' ' << (int)b;
    return out;
}

// The driver's register interface, recording each call and answering reads with 0x5A.
class RecordingRegisters : public IGo7007Registers
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = NULL;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IGo7007Registers))
            return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterWrite(DWORD device, DWORD width, DWORD sub, DWORD data, DWORD flags) override
    {
        calls.push_back({7, device, width, sub, 0, flags, {}, data});
        return result;
    }
    HRESULT STDMETHODCALLTYPE RegisterRead(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags) override
    {
        calls.push_back({8, device, width, sub, 0, flags, {}, 0});
        *value = 0x5A;
        return result;
    }
    HRESULT STDMETHODCALLTYPE BlockWrite(DWORD device, DWORD width, DWORD sub, DWORD count, BYTE* data,
                                         DWORD flags) override
    {
        calls.push_back({9, device, width, sub, count, flags, std::vector<BYTE>(data, data + count), 0});
        return result;
    }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Command(DWORD code, BYTE* request, DWORD count, DWORD* value, DWORD flags) override
    {
        calls.push_back({15, code, 0, 0, count, flags, std::vector<BYTE>(request, request + 3), *value});
        return result;
    }

    ULONG refs = 1;
    HRESULT result = S_OK;
    std::vector<Call> calls;
};

// A filter that has no register interface.
class PlainUnknown : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID, void** out) override
    {
        *out = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

typedef std::function<HRESULT(CGo7007RegisterAccess&)> Operation;
}

TEST(Go7007RegisterAccess, EachOperationCallsItsMethodWithWidthFlagsAndCount)
{
    BYTE out = 0;
    BYTE block[] = {0xC0, 0x1F, 0xE2, 0xCE, 0x30};
    BYTE readBuffer[4] = {0xC1, 0, 0, 0};
    struct Case { const char* what; Operation call; Call expected; };
    const Case cases[] = {
        {"ReadByte of a 16-bit sub-address", [&](CGo7007RegisterAccess& a) { return a.ReadByte(0xA0, 0x1234, &out); },
         {8, 0xA0, 16, 0x1234, 0, 0x8000, {}, 0}},
        {"ReadByte of an 8-bit sub-address", [&](CGo7007RegisterAccess& a) { return a.ReadByte(0xBB, 0x34, &out); },
         {8, 0xBB, 8, 0x34, 0, 0x8000, {}, 0}},
        {"WriteByte of a 16-bit sub-address", [](CGo7007RegisterAccess& a) { return a.WriteByte(0xA0, 0x0100, 0x77); },
         {7, 0xA0, 16, 0x0100, 0, 0x8000, {}, 0x77}},
        {"WriteByte of an 8-bit sub-address", [](CGo7007RegisterAccess& a) { return a.WriteByte(0x86, 0xFF, 0x4B); },
         {7, 0x86, 8, 0xFF, 0, 0x8000, {}, 0x4B}},
        {"Read takes one byte whatever the length", [&](CGo7007RegisterAccess& a) { return a.Read(readBuffer, 4); },
         {8, 0xC1, 8, 0, 0, 0x8000, {}, 0}},
        {"Write sends the bytes after the address", [&](CGo7007RegisterAccess& a) { return a.Write(block, 5); },
         {9, 0xC0, 0, 0, 4, 0x8000, {0x1F, 0xE2, 0xCE, 0x30}, 0}},
        {"Write of the address alone sends no bytes", [&](CGo7007RegisterAccess& a) { return a.Write(block, 1); },
         {9, 0xC0, 0, 0, 0, 0x8000, {}, 0}},
        {"ReadRegister passes its values unchanged",
         [&](CGo7007RegisterAccess& a) { return a.ReadRegister(0x41, 16, 0x31F, &out, 0x12); },
         {8, 0x41, 16, 0x31F, 0, 0x12, {}, 0}},
        {"WriteRegister is command 2 with the low sub-address byte",
         [](CGo7007RegisterAccess& a) { return a.WriteRegister(0xA0, 8, 0x1F7, 0xABCD, 0x8000); },
         {15, 2, 0, 0, 1, 0x8000, {0xA0, 0xF7, 0}, 0xABCD}},
    };
    for (const HRESULT result : {S_OK, (HRESULT)0x8007045D}) {
        for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
            RecordingRegisters driver;
            driver.result = result;
            {
                CGo7007RegisterAccess access;
                ASSERT_EQ(S_OK, access.Attach(&driver, NULL));
                readBuffer[0] = 0xC1;
                EXPECT_EQ(result, cases[i].call(access)) << cases[i].what;
                ASSERT_EQ(1u, driver.calls.size()) << cases[i].what;
                EXPECT_EQ(cases[i].expected, driver.calls[0]) << cases[i].what;
            }
            EXPECT_EQ(1u, driver.refs) << cases[i].what;
        }
    }
}

TEST(Go7007RegisterAccess, ReadsLandInTheCallersByte)
{
    RecordingRegisters driver;
    CGo7007RegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&driver, NULL));
    BYTE out = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &out));
    EXPECT_EQ(0x5A, out);
    BYTE buffer[2] = {0xC1, 0x00};
    EXPECT_EQ(S_OK, access.Read(buffer, 2));
    EXPECT_EQ(0x5A, buffer[0]);
    EXPECT_EQ(0x00, buffer[1]);
}

TEST(Go7007RegisterAccess, RefusesWithoutInterfaceOrOutputAndNeverCallsTheDriver)
{
    BYTE out = 0;
    BYTE buffer[2] = {0xC0, 0x00};
    const Operation driverCalls[] = {
        [&](CGo7007RegisterAccess& a) { return a.ReadByte(0xA0, 0, &out); },
        [](CGo7007RegisterAccess& a) { return a.WriteByte(0xA0, 0, 1); },
        [&](CGo7007RegisterAccess& a) { return a.Read(buffer, 1); },
        [&](CGo7007RegisterAccess& a) { return a.Write(buffer, 2); },
        [&](CGo7007RegisterAccess& a) { return a.ReadRegister(0xA0, 8, 0, &out, 0x8000); },
        [](CGo7007RegisterAccess& a) { return a.WriteRegister(0xA0, 8, 0, 1, 0x8000); },
    };
    CGo7007RegisterAccess unattached;
    for (size_t i = 0; i < sizeof(driverCalls) / sizeof(driverCalls[0]); ++i)
        EXPECT_EQ(E_FAIL, driverCalls[i](unattached)) << "before Attach, operation " << i;

    RecordingRegisters driver;
    {
        CGo7007RegisterAccess access;
        PlainUnknown plain;
        EXPECT_EQ(E_FAIL, access.Attach(NULL, NULL));
        EXPECT_EQ(E_FAIL, access.Attach(&plain, NULL));
        EXPECT_EQ(E_FAIL, driverCalls[0](access));
        ASSERT_EQ(S_OK, access.Attach(&driver, NULL));
        const Operation refused[] = {
            [](CGo7007RegisterAccess& a) { return a.ReadByte(0xA0, 0, NULL); },
            [](CGo7007RegisterAccess& a) { return a.ReadRegister(0xA0, 8, 0, NULL, 0x8000); },
            [](CGo7007RegisterAccess& a) { return a.Read(NULL, 1); },
            [](CGo7007RegisterAccess& a) { return a.Write(NULL, 2); },
            [&](CGo7007RegisterAccess& a) { return a.Read(buffer, 0); },
            [&](CGo7007RegisterAccess& a) { return a.Write(buffer, 0); },
        };
        for (size_t i = 0; i < sizeof(refused) / sizeof(refused[0]); ++i)
            EXPECT_EQ(E_FAIL, refused[i](access)) << "refused operation " << i;
        EXPECT_TRUE(driver.calls.empty());
    }
    EXPECT_EQ(1u, driver.refs);
}

TEST(Go7007RegisterAccess, GpioAndControlsSucceedWithoutTouchingTheDriver)
{
    RecordingRegisters driver;
    CGo7007RegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&driver, NULL));
    DWORD gpio = 0x12345678;
    EXPECT_EQ(S_OK, access.ReadGpio(&gpio));
    EXPECT_EQ(0x12345678u, gpio);
    EXPECT_EQ(S_OK, access.WriteGpio(1, 1));
    EXPECT_EQ(S_OK, access.SendBusControl(1));
    EXPECT_EQ(S_OK, access.SendDeviceControl(1));
    EXPECT_TRUE(driver.calls.empty());
}
