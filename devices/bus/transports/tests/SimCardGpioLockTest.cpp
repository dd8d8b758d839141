#include "GpioLockI2C.h"
#include "HelperProcess.h"
#include "MutexHolder.h"

#include <gtest/gtest.h>

#include <dshow.h>

#include <stdio.h>

#include <functional>
#include <sstream>

// CGpioLockI2C on the simulated card's tuner filter, found as the program finds it: the first
// "Conexant 2388x_1 Tuner" of the TV tuner category. The card's trace shows what reached it.
namespace
{
const char kTunerName[] = "Conexant 2388x_1 Tuner";
typedef std::vector<std::string> Lines;

IBaseFilter* BindTuner()
{
    ICreateDevEnum* devices = NULL;
    IEnumMoniker* monikers = NULL;
    IBaseFilter* filter = NULL;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                (void**)&devices)))
        return NULL;
    if (devices->CreateClassEnumerator(AM_KSCATEGORY_TVTUNER, &monikers, 0) == S_OK) {
        IMoniker* moniker = NULL;
        while (!filter && monikers->Next(1, &moniker, NULL) == S_OK) {
            IPropertyBag* bag = NULL;
            VARIANT name;
            VariantInit(&name);
            if (SUCCEEDED(moniker->BindToStorage(NULL, NULL, IID_IPropertyBag, (void**)&bag)) &&
                SUCCEEDED(bag->Read(L"FriendlyName", &name, NULL)) && name.vt == VT_BSTR) {
                char text[256] = "";
                WideCharToMultiByte(CP_ACP, 0, name.bstrVal, -1, text, sizeof(text), NULL, NULL);
                if (strcmp(text, kTunerName) == 0)
                    moniker->BindToObject(NULL, NULL, IID_IBaseFilter, (void**)&filter);
            }
            VariantClear(&name);
            if (bag)
                bag->Release();
            moniker->Release();
        }
        monikers->Release();
    }
    devices->Release();
    return filter;
}

// args: none. Takes "GPIO_LOCK" and ends without releasing it, which abandons it.
SUITE_HELPER(TakeGpioLockAndDie)
{
    HANDLE mutex = CreateMutexA(NULL, FALSE, "GPIO_LOCK");
    return WaitForSingleObject(mutex, 10000) == WAIT_OBJECT_0 ? 0 : 2;
}

class SimCardGpioLock : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        m_filter = BindTuner();
        ASSERT_TRUE(m_filter) << kTunerName << " is not registered in the prefix";
        m_command = (Command)(void*)GetProcAddress(GetModuleHandleA("sim2388x.ax"), "SimCommand");
        ASSERT_TRUE(m_command);
        ASSERT_EQ(S_OK, m_bus.Attach(m_filter, NULL));
        Sim("reset");
        // Level 2 shows every property request besides the bus transactions.
        Sim("trace level 2");
    }

    void TearDown() override
    {
        if (m_command)
            Sim("trace level 1");
        m_bus.Attach(NULL, NULL);
        if (m_filter) {
            EXPECT_EQ(0u, m_filter->Release());
        }
        CoUninitialize();
    }

    std::string Sim(const std::string& command)
    {
        std::vector<char> out(1 << 16);
        EXPECT_EQ(S_OK, m_command(0, command.c_str(), out.data(), (DWORD)out.size())) << command;
        return out.data();
    }

    DWORD Mark()
    {
        DWORD seq = 0;
        EXPECT_EQ(1, sscanf(Sim("trace mark").c_str(), "seq=%lu", &seq));
        return seq;
    }

    // The trace lines from seq on, without their numbers.
    Lines TraceFrom(DWORD seq)
    {
        Lines lines;
        std::istringstream text(Sim("trace " + std::to_string(seq)));
        std::string line;
        while (std::getline(text, line))
            lines.push_back(line.substr(line.find('=') + 1));
        return lines;
    }

    typedef HRESULT(WINAPI* Command)(int, const char*, char*, DWORD);
    IBaseFilter* m_filter = NULL;
    Command m_command = NULL;
    CGpioLockI2C m_bus;
};

struct Operation
{
    const char* name;
    std::function<HRESULT(CGpioLockI2C&)> call;
};

std::vector<Operation> Operations()
{
    static BYTE b;
    static DWORD d1, d2;
    return {
        {"SendBusControl", [](CGpioLockI2C& t) { return t.SendBusControl(1); }},
        {"ReadByte", [](CGpioLockI2C& t) { return t.ReadByte(0xA0, 0x20, &b); }},
        {"WriteByte", [](CGpioLockI2C& t) { return t.WriteByte(0xA0, 0x40, 0x00); }},
        {"Read", [](CGpioLockI2C& t) { BYTE buf[1] = {0xC0}; return t.Read(buf, 1); }},
        {"Write", [](CGpioLockI2C& t) { BYTE buf[5] = {0xC0, 0x05, 0x8A, 0xCE, 0xA0}; return t.Write(buf, 5); }},
        {"SendDeviceControl", [](CGpioLockI2C& t) { return t.SendDeviceControl(1); }},
        {"ReadGpio", [](CGpioLockI2C& t) { return t.ReadGpio(&d1); }},
        {"WriteGpio", [](CGpioLockI2C& t) { return t.WriteGpio(0x00000000, 0x00003000); }},
        {"ReadIdWords", [](CGpioLockI2C& t) { return t.ReadIdWords(&d1, &d2); }},
    };
}
}

TEST_F(SimCardGpioLock, ReadByteReadsTheTunerLetterAndTypeFromTheEeprom)
{
    DWORD from = Mark();
    BYTE letter = 0;
    BYTE type = 0;
    EXPECT_EQ(S_OK, m_bus.ReadByte(0xA0, 0x20, &letter));
    EXPECT_EQ(S_OK, m_bus.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ('T', letter);
    EXPECT_EQ(0x0B, type);
    Lines expected = {
        "P tuner Get 2 inst=+24 cb=56", "W 50 20", "R 50 -> 54",
        "P tuner Get 2 inst=+24 cb=56", "W 50 21", "R 50 -> 0B",
    };
    EXPECT_EQ(expected, TraceFrom(from));
}

TEST_F(SimCardGpioLock, GpioIsReadAndWrittenUnderAMask)
{
    DWORD from = Mark();
    DWORD idle = 0;
    DWORD fm = 0;
    DWORD id1 = 0, id2 = 0;
    EXPECT_EQ(S_OK, m_bus.ReadGpio(&idle));
    // Card audio input (lines 12-13) to FM; nothing else may change.
    EXPECT_EQ(S_OK, m_bus.WriteGpio(0x00001000, 0x00003000));
    EXPECT_EQ(S_OK, m_bus.ReadGpio(&fm));
    EXPECT_EQ(S_OK, m_bus.WriteGpio(0xFFFFCFFF, 0x00003000));
    EXPECT_EQ(S_OK, m_bus.ReadIdWords(&id1, &id2));
    EXPECT_EQ(0x00008E00u, idle);
    EXPECT_EQ(0x00009E00u, fm);
    EXPECT_EQ(0x2388u, id1);
    EXPECT_EQ(0x0001u, id2);
    Lines expected = {
        "P tuner Get 4 inst=+24 cb=48", "G4 -> 00008E00",
        "P tuner Set 4 inst=+24 cb=48", "S4 m=00003000 v=00001000 latch=00009600", "A in=1 mute=0 mux_off=0",
        "P tuner Get 4 inst=+24 cb=48", "G4 -> 00009E00",
        "P tuner Set 4 inst=+24 cb=48", "S4 m=00003000 v=FFFFCFFF latch=00008600", "A in=0 mute=0 mux_off=0",
        "P tuner Get 0 inst=+24 cb=48",
    };
    EXPECT_EQ(expected, TraceFrom(from));
}

TEST_F(SimCardGpioLock, ThePllIsWrittenAndItsStatusReadBack)
{
    DWORD from = Mark();
    BYTE divider[5] = {0xC1, 0x1F, 0xE2, 0xCE, 0x30};
    EXPECT_EQ(S_OK, m_bus.Write(divider, 5));
    EXPECT_EQ(0xC0, divider[0]);
    // The tuner's PLL needs its lock time (10 ms on this card) before it reports lock.
    Sleep(50);
    BYTE status[1] = {0xC0};
    EXPECT_EQ(S_OK, m_bus.Read(status, 1));
    EXPECT_EQ(0x42, status[0]);
    Lines expected = {
        "P tuner Set 6 inst=+24 cb=304", "W 60 1F E2 CE 30", "T TV N=8162 t=471225 band=3 ok d=+25",
        "P tuner Get 6 inst=+24 cb=304", "R 60 -> 42",
    };
    EXPECT_EQ(expected, TraceFrom(from));
}

TEST_F(SimCardGpioLock, WhileAnotherProgramHoldsTheCardEveryOperationFailsWithoutTouchingIt)
{
    {
        MutexHolder holder("GPIO_LOCK");
        ASSERT_TRUE(holder.IsHolding());
        DWORD from = Mark();
        for (const Operation& op : Operations()) {
            DWORD started = GetTickCount();
            EXPECT_EQ(E_FAIL, op.call(m_bus)) << op.name;
            printf("%s refused after %lu ms\n", op.name, GetTickCount() - started);
        }
        EXPECT_EQ(Lines(), TraceFrom(from));
    }
    BYTE letter = 0;
    EXPECT_EQ(S_OK, m_bus.ReadByte(0xA0, 0x20, &letter));
    EXPECT_EQ('T', letter);
}

TEST_F(SimCardGpioLock, ALockLeftByAProgramThatDiedIsTakenOver)
{
    ASSERT_EQ(0, HelperProcess::Run("TakeGpioLockAndDie"));
    for (const Operation& op : Operations())
        EXPECT_EQ(S_OK, op.call(m_bus)) << op.name;
    BYTE letter = 0;
    EXPECT_EQ(S_OK, m_bus.ReadByte(0xA0, 0x20, &letter));
    EXPECT_EQ('T', letter);
}
