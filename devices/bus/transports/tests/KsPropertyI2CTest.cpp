#include "KsPropertyI2C.h"
#include "KsPropertyI2CB.h"
#include "KsPropertyI2CC.h"
#include "TransportFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>

namespace
{
const GUID kPrivateSet = {0xFC8FACFF, 0x0293, 0x4CE3, {0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0}};

template <class Transport>
struct LayoutCase
{
    const char* what;
    std::function<HRESULT(Transport&)> call;
    std::vector<ExpectedRequest> requests;
};

template <class Transport>
void RunLayoutCases(const std::vector<LayoutCase<Transport>>& cases)
{
    for (const auto& c : cases) {
        AttachedTransport<Transport> t;
        ASSERT_EQ(S_OK, t.attachResult);
        EXPECT_EQ(S_OK, c.call(*t.transport)) << c.what;
        ExpectRequests(kPrivateSet, c.requests, t.filter->Requests(), c.what);
    }
}

std::vector<BYTE> FullBlock(BYTE address)
{
    std::vector<BYTE> block(256);
    for (int i = 0; i < 256; ++i)
        block[i] = (BYTE)i;
    block[0] = address;
    return block;
}

// The GPIO register steps of a write: enable the mask's outputs, latch them, write the data,
// restore the idle outputs 12 and 13.
std::vector<ExpectedRequest> GpioWriteSteps(DWORD value, DWORD mask)
{
    return {
        {kSet, 5, 48, {Dword(24, 0x1B0), Dword(28, mask)}},
        {kSet, 5, 48, {Dword(24, 0x1B0), Dword(28, mask | 0x80000000)}},
        {kSet, 5, 48, {Dword(24, 0x1B4), Dword(28, value)}},
        {kSet, 5, 48, {Dword(24, 0x1B0), Dword(28, 0x80003000)}},
    };
}
}

TEST(KsPropertyI2C, EveryRequestIsLaidOutByteForByteWithTheRestZero)
{
    BYTE b = 0;
    DWORD d = 0;
    std::vector<LayoutCase<CKsPropertyI2C>> cases = {
        {"SendBusControl", [](CKsPropertyI2C& t) { return t.SendBusControl(0x5A); },
         {{kSet, 1, 48, {{24, {0x5A}}}}}},
        {"ReadByte", [&](CKsPropertyI2C& t) { return t.ReadByte(0xA0, 0x21, &b); },
         {{kGet, 2, 56, {{24, {0xA0}}, {28, {0x21, 0x00, 0x00, 0x00}}}}}},
        {"WriteByte", [](CKsPropertyI2C& t) { return t.WriteByte(0xA0, 0x0102, 0x5A); },
         {{kSet, 2, 56, {{24, {0xA0}}, {28, {0x02, 0x01, 0x00, 0x00}}, {32, {0x5A}}}}}},
        {"SendDeviceControl", [](CKsPropertyI2C& t) { return t.SendDeviceControl(0x3C); },
         {{kSet, 3, 48, {{24, {0x3C}}}}}},
        {"GetRegister", [&](CKsPropertyI2C& t) { return t.GetRegister(0x1B4, &d); },
         {{kGet, 5, 48, {{24, {0xB4, 0x01, 0x00, 0x00}}}}}},
        {"SetRegister", [](CKsPropertyI2C& t) { return t.SetRegister(0x1B0, 0x80003000); },
         {{kSet, 5, 48, {{24, {0xB0, 0x01, 0x00, 0x00}}, {28, {0x00, 0x30, 0x00, 0x80}}}}}},
        {"Read sets the read bit",
         [](CKsPropertyI2C& t) { BYTE buf[4] = {0xC0, 0x11, 0x22, 0x33}; return t.Read(buf, 4); },
         {{kGet, 6, 304, {{24, {0xC1, 0x11, 0x22, 0x33}}, {280, {0x04, 0x00, 0x00, 0x00}}}}}},
        {"Read of one byte", [](CKsPropertyI2C& t) { BYTE buf[1] = {0xC1}; return t.Read(buf, 1); },
         {{kGet, 6, 304, {{24, {0xC1}}, {280, {0x01}}}}}},
        {"Write clears the read bit",
         [](CKsPropertyI2C& t) { BYTE buf[5] = {0xC1, 0x1F, 0xE2, 0xCE, 0x30}; return t.Write(buf, 5); },
         {{kSet, 6, 304, {{24, {0xC0, 0x1F, 0xE2, 0xCE, 0x30}}, {280, {0x05}}}}}},
        {"Write of 256 bytes fills the block",
         [](CKsPropertyI2C& t) { std::vector<BYTE> buf = FullBlock(0xA0); return t.Write(buf.data(), 256); },
         {{kSet, 6, 304, {{24, FullBlock(0xA0)}, {280, {0x00, 0x01, 0x00, 0x00}}}}}},
        {"Read of 256 bytes", [](CKsPropertyI2C& t) { std::vector<BYTE> buf = FullBlock(0xA0); return t.Read(buf.data(), 256); },
         {{kGet, 6, 304, {{24, FullBlock(0xA1)}, {280, {0x00, 0x01, 0x00, 0x00}}}}}},
        {"ReadGpio", [&](CKsPropertyI2C& t) { return t.ReadGpio(&d); },
         {{kSet, 5, 48, {Dword(24, 0x1B0), Dword(28, 0x00003000)}},
          {kSet, 5, 48, {Dword(24, 0x1B0), Dword(28, 0x80003000)}},
          {kGet, 5, 48, {Dword(24, 0x1B4)}}}},
        {"WriteGpio", [](CKsPropertyI2C& t) { return t.WriteGpio(0x00001234, 0x0000F000); },
         GpioWriteSteps(0x00001234, 0x0000F000)},
        {"WriteGpioTimed ignores the delay", [](CKsPropertyI2C& t) { return t.WriteGpioTimed(0x00120400, 0x00FFF600, 5000); },
         GpioWriteSteps(0x00120400, 0x00FFF600)},
        {"ReadRegByte reads the whole register", [&](CKsPropertyI2C& t) { return t.ReadRegByte(0x1B5, &b); },
         {{kGet, 5, 48, {Dword(24, 0x1B4)}}}},
    };
    RunLayoutCases(cases);
}

TEST(KsPropertyI2C, ControlLineIsGpio18DrivenAsAnOutput)
{
    struct Case { int state; DWORD data; DWORD written; };
    const Case cases[] = {
        {1, 0x00008E00, 0x00048E00},
        {0, 0x00048E00, 0x00008E00},
        {7, 0x00040000, 0x00040000},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        AttachedTransport<CKsPropertyI2C> t;
        t.filter->AnswerDword(28, 0x80003000);
        t.filter->AnswerDword(28, cases[i].data);
        EXPECT_EQ(S_OK, t.transport->SetControlLine(cases[i].state)) << i;
        ExpectRequests(kPrivateSet,
                       {{kGet, 5, 48, {Dword(24, 0x1B0)}},
                        {kGet, 5, 48, {Dword(24, 0x1B4)}},
                        {kSet, 5, 48, {Dword(24, 0x1B0), Dword(28, 0x80043000)}},
                        {kSet, 5, 48, {Dword(24, 0x1B4), Dword(28, cases[i].written)}}},
                       t.filter->Requests(), "case " + std::to_string(i));
    }
}

TEST(KsPropertyI2C, ReadsReturnWhatTheDriverAnswered)
{
    AttachedTransport<CKsPropertyI2C> t;
    CKsPropertyI2C& bus = *t.transport;

    BYTE b = 0;
    t.filter->AnswerBytes(32, {0x0B});
    EXPECT_EQ(S_OK, bus.ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x0B, b);

    BYTE block[3] = {0xC0, 0xEE, 0xEE};
    t.filter->AnswerBytes(24, {0x42, 0x43, 0x44});
    EXPECT_EQ(S_OK, bus.Read(block, 3));
    EXPECT_EQ(0x42, block[0]);
    EXPECT_EQ(0x43, block[1]);
    EXPECT_EQ(0x44, block[2]);

    DWORD d = 0;
    t.filter->AnswerDword(28, 0x00008E00);
    EXPECT_EQ(S_OK, bus.GetRegister(0x1B4, &d));
    EXPECT_EQ(0x00008E00u, d);

    t.filter->Answer(S_OK);
    t.filter->Answer(S_OK);
    t.filter->AnswerDword(28, 0x003C8600);
    EXPECT_EQ(S_OK, bus.ReadGpio(&d));
    EXPECT_EQ(0x003C8600u, d);

    struct Case { DWORD reg; BYTE expected; };
    const Case bytes[] = {{0x1B4, 0x44}, {0x1B5, 0x33}, {0x1B6, 0x22}, {0x1B7, 0x11}};
    for (const Case& c : bytes) {
        t.filter->AnswerDword(28, 0x11223344);
        EXPECT_EQ(S_OK, bus.ReadRegByte(c.reg, &b)) << c.reg;
        EXPECT_EQ(c.expected, b) << c.reg;
    }
}

// Every operation of the family, as a call on the base class.
struct Operation
{
    const char* name;
    std::function<HRESULT(CI2CAccess&)> call;
};

std::vector<Operation> BusOperations()
{
    static BYTE b;
    static DWORD d;
    return {
        {"SendBusControl", [](CI2CAccess& t) { return t.SendBusControl(1); }},
        {"ReadByte", [](CI2CAccess& t) { return t.ReadByte(0xA0, 0x20, &b); }},
        {"WriteByte", [](CI2CAccess& t) { return t.WriteByte(0xA0, 0x20, 0x54); }},
        {"Read", [](CI2CAccess& t) { BYTE buf[2] = {0xC0}; return t.Read(buf, 2); }},
        {"Write", [](CI2CAccess& t) { BYTE buf[2] = {0xC0, 1}; return t.Write(buf, 2); }},
        {"SendDeviceControl", [](CI2CAccess& t) { return t.SendDeviceControl(1); }},
        {"ReadGpio", [](CI2CAccess& t) { return t.ReadGpio(&d); }},
        {"WriteGpio", [](CI2CAccess& t) { return t.WriteGpio(0, 0x3000); }},
        {"WriteGpioTimed", [](CI2CAccess& t) { return t.WriteGpioTimed(0, 0x3000, 0); }},
        {"SetControlLine", [](CI2CAccess& t) { return t.SetControlLine(1); }},
        {"ReadRegByte", [](CI2CAccess& t) { return t.ReadRegByte(0x1B4, &b); }},
        {"GetRegister", [](CI2CAccess& t) { return static_cast<CKsPropertyI2C&>(t).GetRegister(0x1B4, &d); }},
        {"SetRegister", [](CI2CAccess& t) { return static_cast<CKsPropertyI2C&>(t).SetRegister(0x1B4, 0); }},
    };
}

TEST(KsPropertyI2C, EveryOperationFailsWithoutReachingADriverWhenNothingIsAttached)
{
    RecordingPropertySet* noSet = new RecordingPropertySet(false);
    CKsPropertyI2C never;
    CKsPropertyI2C failed;
    EXPECT_EQ(E_NOINTERFACE, failed.Attach(noSet->InnerUnknown(), NULL));
    for (const Operation& op : BusOperations()) {
        EXPECT_EQ(E_FAIL, op.call(never)) << op.name;
        EXPECT_EQ(E_FAIL, op.call(failed)) << op.name << " after a failed Attach";
    }
    EXPECT_EQ(0u, noSet->InnerRelease());
}

TEST(KsPropertyI2C, AttachWithoutAFilterKeepsTheInterfaceHeld)
{
    AttachedTransport<CKsPropertyI2C> t;
    EXPECT_EQ(S_OK, t.attachResult);
    EXPECT_EQ(E_POINTER, t.transport->Attach(NULL, NULL));
    EXPECT_EQ(S_OK, t.transport->SendBusControl(1));
    EXPECT_EQ(1u, t.filter->Requests().size());
}

TEST(KsPropertyI2C, AttachingAgainMovesToTheNewFilter)
{
    AttachedTransport<CKsPropertyI2C> t;
    RecordingPropertySet* second = new RecordingPropertySet;
    EXPECT_EQ(S_OK, t.transport->Attach(second->InnerUnknown(), NULL));
    EXPECT_EQ(S_OK, t.transport->SendBusControl(1));
    EXPECT_EQ(0u, t.filter->Requests().size());
    EXPECT_EQ(1u, second->Requests().size());
    t.transport.reset();
    EXPECT_EQ(0u, second->InnerRelease());
}

TEST(KsPropertyI2C, BadArgumentsAreRefusedBeforeTheDriver)
{
    BYTE buf[300] = {0xC0};
    const Operation cases[] = {
        {"ReadByte without out", [](CI2CAccess& t) { return t.ReadByte(0xA0, 0, NULL); }},
        {"Read without buffer", [](CI2CAccess& t) { return t.Read(NULL, 1); }},
        {"Write without buffer", [](CI2CAccess& t) { return t.Write(NULL, 2); }},
        {"ReadGpio without out", [](CI2CAccess& t) { return t.ReadGpio(NULL); }},
        {"ReadRegByte without out", [](CI2CAccess& t) { return t.ReadRegByte(0x1B4, NULL); }},
        {"GetRegister without out", [](CI2CAccess& t) { return static_cast<CKsPropertyI2C&>(t).GetRegister(0, NULL); }},
    };
    const Operation invalid[] = {
        {"ReadByte at sub-address -1", [&](CI2CAccess& t) { return t.ReadByte(0xA0, -1, buf); }},
        {"WriteByte at sub-address -1", [](CI2CAccess& t) { return t.WriteByte(0xA0, -1, 0); }},
        {"Read of 0 bytes", [&](CI2CAccess& t) { return t.Read(buf, 0); }},
        {"Read of -1 bytes", [&](CI2CAccess& t) { return t.Read(buf, -1); }},
        {"Read of 257 bytes", [&](CI2CAccess& t) { return t.Read(buf, 257); }},
        {"Write of 1 byte", [&](CI2CAccess& t) { return t.Write(buf, 1); }},
        {"Write of 257 bytes", [&](CI2CAccess& t) { return t.Write(buf, 257); }},
    };
    AttachedTransport<CKsPropertyI2C> t;
    for (const Operation& op : cases)
        EXPECT_EQ(E_POINTER, op.call(*t.transport)) << op.name;
    for (const Operation& op : invalid)
        EXPECT_EQ(E_INVALIDARG, op.call(*t.transport)) << op.name;
    EXPECT_EQ(0u, t.filter->Requests().size());
    EXPECT_EQ(0xC0, buf[0]);
}

TEST(KsPropertyI2C, TheDriversFailureIsPassedOnAndLeavesTheOutputsAlone)
{
    const HRESULT nack = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);
    AttachedTransport<CKsPropertyI2C> t;
    for (const Operation& op : BusOperations()) {
        t.filter->Clear();
        t.filter->Answer(nack);
        EXPECT_EQ(nack, op.call(*t.transport)) << op.name;
        EXPECT_EQ(1u, t.filter->Requests().size()) << op.name << ": stops at the failing step";
    }

    BYTE b = 0x77;
    t.filter->AnswerBytes(32, {0x0B}, nack);
    EXPECT_EQ(nack, t.transport->ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x77, b);

    BYTE block[3] = {0xC0, 0x11, 0x22};
    t.filter->AnswerBytes(24, {0x42, 0x43, 0x44}, nack);
    EXPECT_EQ(nack, t.transport->Read(block, 3));
    EXPECT_EQ(0xC1, block[0]);
    EXPECT_EQ(0x11, block[1]);
    EXPECT_EQ(0x22, block[2]);
}

TEST(KsPropertyI2C, GpioWriteStopsAtTheFailingStep)
{
    const HRESULT failure = HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
    for (size_t failing = 0; failing < 4; ++failing) {
        AttachedTransport<CKsPropertyI2C> t;
        for (size_t i = 0; i < failing; ++i)
            t.filter->Answer(S_OK);
        t.filter->Answer(failure);
        EXPECT_EQ(failure, t.transport->WriteGpio(0x1234, 0xF000)) << failing;
        EXPECT_EQ(failing + 1, t.filter->Requests().size()) << failing;
    }
}

TEST(KsPropertyI2CB, GpioAndControlPropertiesAreLaidOutByteForByte)
{
    std::vector<LayoutCase<CKsPropertyI2CB>> cases = {
        {"WriteGpio", [](CKsPropertyI2CB& t) { return t.WriteGpio(0x00001234, 0x0000F000); },
         GpioWriteSteps(0x00001234, 0x0000F000)},
        {"WriteGpioTimed", [](CKsPropertyI2CB& t) { return t.WriteGpioTimed(0x00001234, 0x0000F000, 1); },
         GpioWriteSteps(0x00001234, 0x0000F000)},
        {"WriteGpioTimed without a delay", [](CKsPropertyI2CB& t) { return t.WriteGpioTimed(0x5, 0x7, 0); },
         GpioWriteSteps(0x5, 0x7)},
        {"SetProperty7", [](CKsPropertyI2CB& t) { return t.SetProperty7(0x11223344); },
         {{kSet, 7, 48, {{24, {0x44, 0x33, 0x22, 0x11}}}}}},
        {"SetProperty8", [](CKsPropertyI2CB& t) { return t.SetProperty8(0x00000001); },
         {{kSet, 8, 48, {{24, {0x01}}}}}},
        {"SendProperty9", [](CKsPropertyI2CB& t) { return t.SendProperty9(); },
         {{kSet, 9, 40, {}}}},
        {"SetProperty10", [](CKsPropertyI2CB& t) { return t.SetProperty10(0xA5A5A5A5); },
         {{kSet, 10, 48, {{24, {0xA5, 0xA5, 0xA5, 0xA5}}}}}},
    };
    RunLayoutCases(cases);
}

TEST(KsPropertyI2CB, ControlPropertiesFailWithoutAnInterfaceAndPassTheDriversAnswer)
{
    const Operation cases[] = {
        {"SetProperty7", [](CI2CAccess& t) { return t.SetProperty7(1); }},
        {"SetProperty8", [](CI2CAccess& t) { return t.SetProperty8(1); }},
        {"SendProperty9", [](CI2CAccess& t) { return t.SendProperty9(); }},
        {"SetProperty10", [](CI2CAccess& t) { return t.SetProperty10(1); }},
    };
    const HRESULT unsupported = HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND);
    CKsPropertyI2CB detached;
    AttachedTransport<CKsPropertyI2CB> t;
    for (const Operation& op : cases) {
        EXPECT_EQ(E_FAIL, op.call(detached)) << op.name;
        t.filter->Answer(unsupported);
        EXPECT_EQ(unsupported, op.call(*t.transport)) << op.name;
    }
}

TEST(KsPropertyI2C, OperationsWithoutADriverRequestKeepTheirDefaults)
{
    CKsPropertyI2C base;
    CKsPropertyI2CC c;
    AttachedTransport<CKsPropertyI2CC> attachedC;
    for (CI2CAccess* t : {(CI2CAccess*)&base, (CI2CAccess*)&c}) {
        EXPECT_EQ(S_OK, t->SetProperty7(1));
        EXPECT_EQ(S_OK, t->SetProperty8(1));
        EXPECT_EQ(S_OK, t->SendProperty9());
        EXPECT_EQ(S_OK, t->SetProperty10(1));
        EXPECT_EQ(S_OK, t->SetControlLine2(1));
        EXPECT_EQ(E_FAIL, t->WriteRegByte(0x10, 1));
    }
    EXPECT_EQ(S_OK, attachedC.transport->SetControlLine(1));
    EXPECT_EQ(0u, attachedC.filter->Requests().size());
}

// The remote poll thread rewrites the GPIO registers every 100 ms while the user interface or
// a scan thread talks to the tuner: no request may slip in while another operation runs.
TEST(KsPropertyI2C, EveryOperationWaitsForOneInProgressOnAnotherThread)
{
    HANDLE inside = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE go = CreateEventA(NULL, TRUE, FALSE, NULL);
    for (const Operation& op : BusOperations()) {
        ResetEvent(inside);
        ResetEvent(go);
        AttachedTransport<CKsPropertyI2C> t;
        std::atomic<bool> blocked(false);
        t.filter->onRequest = [&](const RecordingPropertySet::Request&) {
            if (!blocked.exchange(true)) {
                SetEvent(inside);
                WaitForSingleObject(go, 10000);
            }
        };
        auto first = std::async(std::launch::async, [&] {
            BYTE buf[4] = {0xC0};
            return t.transport->Read(buf, 4);
        });
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(inside, 10000));
        auto second = std::async(std::launch::async, [&] { return op.call(*t.transport); });
        EXPECT_EQ(std::future_status::timeout, second.wait_for(std::chrono::milliseconds(200))) << op.name;
        EXPECT_EQ(0u, t.filter->Requests().size()) << op.name;
        SetEvent(go);
        EXPECT_EQ(S_OK, first.get());
        EXPECT_EQ(S_OK, second.get()) << op.name;
        std::vector<RecordingPropertySet::Request> requests = t.filter->Requests();
        ASSERT_LE(2u, requests.size()) << op.name;
        EXPECT_EQ(6u, requests[0].id) << op.name << ": the read finished first";
    }
    CloseHandle(inside);
    CloseHandle(go);
}
