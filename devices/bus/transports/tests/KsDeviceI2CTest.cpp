#include "KsDeviceI2C.h"
#include "SimulatedKsDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <memory>

namespace
{
typedef std::vector<std::string> Log;

const HANDLE kHandle = (HANDLE)0x1234;
const HRESULT kNack = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);

// The device on the entry point, a transport attached to a filter with a handle, and at the
// end the filter's last reference back with the test.
struct AttachedDevice
{
    AttachedDevice() : filter(CreateKsObjectFilter(kHandle)), bus(new CKsDeviceI2C(SimulatedKsDevice::Control))
    {
        attachResult = bus->Attach(filter, this);
    }
    ~AttachedDevice()
    {
        bus.reset();
        EXPECT_EQ(0u, filter->Release());
    }

    SimulatedKsDevice device;
    IUnknown* filter;
    std::unique_ptr<CKsDeviceI2C> bus;
    HRESULT attachResult;
};

// A command buffer: set {C44A1A10-0A37-11D2-8328-006097BA83AB}, id, flags, code, payload.
std::vector<BYTE> Command(DWORD size, BYTE id, BYTE flags, std::vector<BYTE> code,
                          std::vector<std::pair<DWORD, std::vector<BYTE>>> payload)
{
    std::vector<BYTE> image = {0x10, 0x1A, 0x4A, 0xC4, 0x37, 0x0A, 0xD2, 0x11,
                               0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB,
                               id, 0x00, 0x00, 0x00, flags, 0x00, 0x00, 0x00};
    image.insert(image.end(), code.begin(), code.end());
    image.resize(size, 0);
    for (const auto& bytes : payload)
        std::copy(bytes.second.begin(), bytes.second.end(), image.begin() + bytes.first);
    return image;
}

struct Operation
{
    const char* name;
    std::function<HRESULT(CKsDeviceI2C&)> call;
};

std::vector<Operation> Operations()
{
    static BYTE b;
    static DWORD d;
    return {
        {"SendBusControl", [](CKsDeviceI2C& t) { return t.SendBusControl(7); }},
        {"ReadByte", [](CKsDeviceI2C& t) { return t.ReadByte(0xA0, 0x20, &b); }},
        {"WriteByte", [](CKsDeviceI2C& t) { return t.WriteByte(0xA0, 0x20, 0x54); }},
        {"Read", [](CKsDeviceI2C& t) { BYTE buf[2] = {0xC0}; return t.Read(buf, 2); }},
        {"Write", [](CKsDeviceI2C& t) { BYTE buf[2] = {0xC0, 1}; return t.Write(buf, 2); }},
        {"SendDeviceControl", [](CKsDeviceI2C& t) { return t.SendDeviceControl(1); }},
        {"ReadGpio", [](CKsDeviceI2C& t) { return t.ReadGpio(&d); }},
        {"WriteGpio", [](CKsDeviceI2C& t) { return t.WriteGpio(0, 0x3000); }},
    };
}
}

TEST(KsDeviceI2C, EveryCommandIsLaidOutByteForByteAndSentAsSetThenGet)
{
    // By command code: size, id and payload of the Set; the Get carries the same with flags 1.
    struct Layout { DWORD size; BYTE id; std::vector<BYTE> code; std::vector<std::pair<DWORD, std::vector<BYTE>>> payload; };
    std::map<DWORD, Layout> layouts = {
        {0x1100000B, {120, 4, {0x0B, 0x00, 0x00, 0x11}, {}}},
        {0x1100000C, {120, 4, {0x0C, 0x00, 0x00, 0x11}, {}}},
        {0x1100000D, {120, 4, {0x0D, 0x00, 0x00, 0x11}, {}}},
        {0x11000010, {120, 4, {0x10, 0x00, 0x00, 0x11}, {}}},
        {0x11000018, {120, 4, {0x18, 0x00, 0x00, 0x11}, {{50, {0x07}}}}},
        {0x10000002, {328, 2, {0x02, 0x00, 0x00, 0x10}, {}}},
        {0x00000002, {328, 2, {0x02, 0x00, 0x00, 0x00}, {}}},
        {0x1000000A, {328, 2, {0x0A, 0x00, 0x00, 0x10}, {{40, {0x01}}}}},
        {0x0000000A, {328, 2, {0x0A, 0x00, 0x00, 0x00}, {{48, {0x01}}, {52, {0x01}}, {72, {0x34, 0x12, 0, 0, 0x00, 0xF0}}}}},
        {0x1000000C, {328, 2, {0x0C, 0x00, 0x00, 0x10}, {}}},
    };
    AttachedDevice t;
    ASSERT_EQ(S_OK, t.attachResult);
    BYTE block[1] = {0xC0};
    DWORD d = 0;
    t.device.mode = 0;
    ASSERT_EQ(S_OK, t.bus->SendBusControl(0x07));
    ASSERT_EQ(S_OK, t.bus->SendDeviceControl(0x99));
    ASSERT_EQ(S_OK, t.bus->Read(block, 1));
    ASSERT_EQ(S_OK, t.bus->ReadGpio(&d));
    ASSERT_EQ(S_OK, t.bus->WriteGpio(0x1234, 0xF000));
    // The one layout left: a byte sent.
    layouts[0x1100000E] = {120, 4, {0x0E, 0x00, 0x00, 0x11}, {{50, {0xC1}}}};

    std::vector<SimulatedKsDevice::Call> calls = t.device.Calls();
    ASSERT_EQ(0u, calls.size() % 2);
    std::map<DWORD, int> seen;
    for (size_t i = 0; i < calls.size(); i += 2) {
        DWORD code = calls[i].buffer[24] | calls[i].buffer[25] << 8 | calls[i].buffer[26] << 16 | calls[i].buffer[27] << 24;
        ASSERT_TRUE(layouts.count(code)) << std::hex << code;
        const Layout& l = layouts[code];
        ++seen[code];
        for (size_t k = 0; k < 2; ++k) {
            const SimulatedKsDevice::Call& c = calls[i + k];
            std::string at = "call " + std::to_string(i + k);
            EXPECT_EQ(kHandle, c.handle) << at;
            EXPECT_EQ(0x2F0003u, c.ioctl) << at;
            EXPECT_TRUE(c.sameBuffer) << at;
            EXPECT_EQ(l.size, c.inSize) << at;
            EXPECT_EQ(l.size, c.outSize) << at;
            EXPECT_EQ(Command(l.size, l.id, k == 0 ? 2 : 1, l.code, l.payload), c.buffer) << at;
        }
    }
    EXPECT_EQ(layouts.size(), seen.size());
}

TEST(KsDeviceI2C, TransfersAreDrivenConditionByCondition)
{
    struct Case
    {
        const char* what;
        std::function<HRESULT(CKsDeviceI2C&)> call;
        Log log;
    };
    BYTE b = 0;
    BYTE read[3] = {0xC0, 0xEE, 0xEE};
    BYTE write[5] = {0xC1, 0x1F, 0xE2, 0xCE, 0x30};
    DWORD gpio = 0;
    const Case cases[] = {
        {"ReadByte", [&](CKsDeviceI2C& t) { return t.ReadByte(0xA1, 0x21, &b); },
         {"start", "send A0", "send 21", "start", "send A1", "receive", "stop"}},
        {"WriteByte", [](CKsDeviceI2C& t) { return t.WriteByte(0xA1, 0x121, 0x5C); },
         {"start", "send A0", "send 21", "send 5C", "stop"}},
        {"Read", [&](CKsDeviceI2C& t) { return t.Read(read, 3); },
         {"start", "send C1", "receive", "next", "receive", "next", "receive", "next", "stop"}},
        {"Write", [&](CKsDeviceI2C& t) { return t.Write(write, 5); },
         {"start", "send C0", "send 1F", "send E2", "send CE", "send 30", "stop"}},
        {"ReadGpio", [&](CKsDeviceI2C& t) { return t.ReadGpio(&gpio); },
         {"mode?", "mode 0", "gpio?", "mode 5"}},
        {"WriteGpio", [](CKsDeviceI2C& t) { return t.WriteGpio(0x00001234, 0x0000F000); },
         {"mode?", "mode 0", "gpio 00001234/0000F000", "mode 5"}},
        {"SendBusControl", [](CKsDeviceI2C& t) { return t.SendBusControl(0x07); }, {"bus control 07"}},
        {"SendBusControl of 0 sends nothing", [](CKsDeviceI2C& t) { return t.SendBusControl(0); }, {}},
        {"SendDeviceControl", [](CKsDeviceI2C& t) { return t.SendDeviceControl(0x07); }, {"device control"}},
    };
    for (const Case& c : cases) {
        AttachedDevice t;
        t.device.incoming = {0x42, 0x43, 0x44};
        t.device.gpio = 0x00008E00;
        EXPECT_EQ(S_OK, c.call(*t.bus)) << c.what;
        EXPECT_EQ(c.log, t.device.Log()) << c.what;
    }
    EXPECT_EQ(0x42, b);
    EXPECT_EQ(0x42, read[0]);
    EXPECT_EQ(0x43, read[1]);
    EXPECT_EQ(0x44, read[2]);
    EXPECT_EQ(0x00008E00u, gpio);
    EXPECT_EQ(0xC0, write[0]);
}

TEST(KsDeviceI2C, GpioReadTakesTheFirstWordOfTheBlock)
{
    AttachedDevice t;
    t.device.gpio = 0x003C8600;
    DWORD gpio = 0;
    EXPECT_EQ(S_OK, t.bus->ReadGpio(&gpio));
    EXPECT_EQ(0x003C8600u, gpio);
}

TEST(KsDeviceI2C, AttachNeedsAFilterWithAnObjectHandle)
{
    SimulatedKsDevice device;
    IUnknown* withHandle = CreateKsObjectFilter(kHandle);
    IUnknown* withoutKsObject = CreateKsObjectFilter(kHandle, false);
    IUnknown* withoutHandle = CreateKsObjectFilter(NULL);
    int owner = 0;
    {
        CKsDeviceI2C bus(SimulatedKsDevice::Control);
        EXPECT_EQ(E_POINTER, bus.Attach(NULL, &owner));
        EXPECT_EQ(E_POINTER, bus.Attach(withHandle, NULL));
        EXPECT_EQ(E_INVALIDARG, bus.Attach(withoutKsObject, &owner));
        EXPECT_EQ(E_FAIL, bus.SendDeviceControl(1));
        EXPECT_EQ(E_FAIL, bus.Attach(withoutHandle, &owner));
        EXPECT_EQ(E_FAIL, bus.SendDeviceControl(1));
        EXPECT_EQ(S_OK, bus.Attach(withHandle, &owner));
        EXPECT_EQ(S_OK, bus.SendDeviceControl(1));
        EXPECT_EQ(E_FAIL, bus.Attach(withoutHandle, &owner));
        EXPECT_EQ(E_FAIL, bus.SendDeviceControl(1));
    }
    EXPECT_EQ(2u, device.Calls().size());
    EXPECT_EQ(0u, withHandle->Release());
    EXPECT_EQ(0u, withoutKsObject->Release());
    EXPECT_EQ(0u, withoutHandle->Release());
}

TEST(KsDeviceI2C, EveryOperationFailsWithoutAHandleAndSendsNothing)
{
    SimulatedKsDevice device;
    CKsDeviceI2C bus(SimulatedKsDevice::Control);
    for (const Operation& op : Operations())
        EXPECT_EQ(E_FAIL, op.call(bus)) << op.name;
    EXPECT_EQ(0u, device.Calls().size());
}

// Wine's KsSynchronousDeviceControl ends the process: the library is touched only when a
// command really goes out.
TEST(KsDeviceI2C, TheSystemEntryPointIsNotLoadedForATransportWithoutAHandle)
{
    CKsDeviceI2C bus;
    for (const Operation& op : Operations())
        EXPECT_EQ(E_FAIL, op.call(bus)) << op.name;
    EXPECT_EQ(NULL, GetModuleHandleA("ksproxy.ax"));
}

TEST(KsDeviceI2C, BadArgumentsAreRefusedBeforeTheBus)
{
    AttachedDevice t;
    BYTE buf[300] = {0xC0};
    EXPECT_EQ(E_POINTER, t.bus->ReadByte(0xA0, 0, NULL));
    EXPECT_EQ(E_POINTER, t.bus->Read(NULL, 1));
    EXPECT_EQ(E_POINTER, t.bus->Write(NULL, 2));
    EXPECT_EQ(E_POINTER, t.bus->ReadGpio(NULL));
    EXPECT_EQ(E_INVALIDARG, t.bus->ReadByte(0xA0, -1, buf));
    EXPECT_EQ(E_INVALIDARG, t.bus->WriteByte(0xA0, -1, 0));
    EXPECT_EQ(E_INVALIDARG, t.bus->Read(buf, 0));
    EXPECT_EQ(E_INVALIDARG, t.bus->Read(buf, 257));
    EXPECT_EQ(E_INVALIDARG, t.bus->Write(buf, 1));
    EXPECT_EQ(E_INVALIDARG, t.bus->Write(buf, 257));
    EXPECT_EQ(0u, t.device.Calls().size());
}

TEST(KsDeviceI2C, ATransferStopsAtItsFirstFailingStep)
{
    struct Case
    {
        const char* what;
        DWORD failCode;
        DWORD failFlags;
        std::function<HRESULT(CKsDeviceI2C&)> call;
        Log log;
    };
    BYTE b = 0x77;
    BYTE read[2] = {0xC0, 0x55};
    BYTE write[3] = {0xC0, 0x01, 0x02};
    DWORD gpio = 0x77;
    const Case cases[] = {
        {"ReadByte, address not acknowledged", 0x1100000E, 2, [&](CKsDeviceI2C& t) { return t.ReadByte(0xA0, 0x20, &b); },
         {"start", "send A0"}},
        {"ReadByte, byte not received", 0x1100000D, 1, [&](CKsDeviceI2C& t) { return t.ReadByte(0xA0, 0x20, &b); },
         {"start", "send A0", "send 20", "start", "send A1", "receive"}},
        {"WriteByte, no start", 0x1100000B, 1, [](CKsDeviceI2C& t) { return t.WriteByte(0xA0, 0x20, 0x54); },
         {"start"}},
        {"Read, byte not received", 0x1100000D, 2, [&](CKsDeviceI2C& t) { return t.Read(read, 2); },
         {"start", "send C1", "receive"}},
        {"Write, first byte not acknowledged", 0x1100000E, 2, [&](CKsDeviceI2C& t) { return t.Write(write, 3); },
         {"start", "send C0"}},
        {"Write, no stop", 0x1100000C, 2, [&](CKsDeviceI2C& t) { return t.Write(write, 3); },
         {"start", "send C0", "send 01", "send 02", "stop"}},
        {"ReadGpio, mode unknown", 0x10000002, 2, [&](CKsDeviceI2C& t) { return t.ReadGpio(&gpio); },
         {"mode?"}},
        {"ReadGpio, block not read: the mode goes back", 0x1000000A, 1, [&](CKsDeviceI2C& t) { return t.ReadGpio(&gpio); },
         {"mode?", "mode 0", "gpio?", "mode 5"}},
        {"WriteGpio, block not written: the mode goes back", 10, 2, [](CKsDeviceI2C& t) { return t.WriteGpio(1, 1); },
         {"mode?", "mode 0", "gpio 00000001/00000001", "mode 5"}},
        {"SendBusControl", 0x11000018, 2, [](CKsDeviceI2C& t) { return t.SendBusControl(1); }, {"bus control 01"}},
        {"SendDeviceControl", 0x1000000C, 1, [](CKsDeviceI2C& t) { return t.SendDeviceControl(1); }, {"device control"}},
    };
    for (const Case& c : cases) {
        AttachedDevice t;
        t.device.failCode = c.failCode;
        t.device.failFlags = c.failFlags;
        t.device.failResult = kNack;
        EXPECT_EQ(kNack, c.call(*t.bus)) << c.what;
        EXPECT_EQ(c.log, t.device.Log()) << c.what;
    }
    EXPECT_EQ(0x77, b);
    EXPECT_EQ(0x77u, gpio);
    EXPECT_EQ(0x55, read[1]);
}

TEST(KsDeviceI2C, ABlockReadThatTakesTooLongFailsThoughEveryByteCame)
{
    AttachedDevice t;
    t.device.incoming = {0x42};
    t.device.onCall = [](DWORD code) {
        if (code == 0x1100000D)
            Sleep(150);
    };
    BYTE buf[1] = {0xC0};
    EXPECT_EQ(E_FAIL, t.bus->Read(buf, 1));
    EXPECT_EQ(0x42, buf[0]);
    Log complete = {"start", "send C1", "receive", "next", "stop"};
    EXPECT_EQ(complete, t.device.Log());
}

// The user interface, scan and remote-poll threads share the transport: a transfer of one
// must not be cut into by another.
TEST(KsDeviceI2C, EveryOperationWaitsForOneInProgressOnAnotherThread)
{
    HANDLE inside = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE go = CreateEventA(NULL, TRUE, FALSE, NULL);
    for (const Operation& op : Operations()) {
        ResetEvent(inside);
        ResetEvent(go);
        AttachedDevice t;
        std::atomic<bool> blocked(false);
        t.device.onCall = [&](DWORD code) {
            if (code == 0x1100000E && !blocked.exchange(true)) {
                SetEvent(inside);
                WaitForSingleObject(go, 10000);
            }
        };
        auto first = std::async(std::launch::async, [&] {
            BYTE buf[2] = {0xC0, 0x01};
            return t.bus->Write(buf, 2);
        });
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(inside, 10000));
        size_t before = t.device.Calls().size();
        auto second = std::async(std::launch::async, [&] { return op.call(*t.bus); });
        EXPECT_EQ(std::future_status::timeout, second.wait_for(std::chrono::milliseconds(200))) << op.name;
        EXPECT_EQ(before, t.device.Calls().size()) << op.name;
        SetEvent(go);
        EXPECT_EQ(S_OK, first.get());
        EXPECT_EQ(S_OK, second.get()) << op.name;
        Log log = t.device.Log();
        ASSERT_LE(4u, log.size()) << op.name;
        EXPECT_EQ("stop", log[3]) << op.name << ": the write finished first";
    }
    CloseHandle(inside);
    CloseHandle(go);
}
