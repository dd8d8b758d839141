#include "GpioLockI2C.h"
#include "KsPropertyI2CEx.h"
#include "TransportFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
const GUID kPrivateSet = {0xFC8FACFF, 0x0293, 0x4CE3, {0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0}};
const GUID kExSet = {0xB9433C39, 0x8511, 0x4660, {0xA2, 0xED, 0xE0, 0x91, 0x14, 0x56, 0xDF, 0x74}};
const HRESULT kNack = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);

template <class Transport>
struct Operation
{
    const char* name;
    std::function<HRESULT(Transport&)> call;
    std::vector<ExpectedRequest> requests;
};

// The requests of the GPIO-lock protocol, the same on either set.
template <class Transport>
std::vector<Operation<Transport>> Operations()
{
    static BYTE b;
    static DWORD d1, d2;
    return {
        {"SendBusControl", [](Transport& t) { return t.SendBusControl(0x5A); },
         {{kSet, 1, 48, {{24, {0x5A}}}}}},
        {"ReadByte", [](Transport& t) { return t.ReadByte(0xA0, 0x21, &b); },
         {{kGet, 2, 56, {{24, {0xA0}}, {28, {0x21, 0x00, 0x00, 0x00}}}}}},
        {"WriteByte", [](Transport& t) { return t.WriteByte(0xA0, 0x0102, 0x5A); },
         {{kSet, 2, 56, {{24, {0xA0}}, {28, {0x02, 0x01, 0x00, 0x00}}, {32, {0x5A}}}}}},
        {"Read", [](Transport& t) { BYTE buf[2] = {0xC0, 0x77}; return t.Read(buf, 2); },
         {{kGet, 6, 304, {{24, {0xC1, 0x77}}, {280, {0x02, 0x00, 0x00, 0x00}}}}}},
        {"Write", [](Transport& t) { BYTE buf[3] = {0x87, 0x00, 0x16}; return t.Write(buf, 3); },
         {{kSet, 6, 304, {{24, {0x86, 0x00, 0x16}}, {280, {0x03, 0x00, 0x00, 0x00}}}}}},
        {"SendDeviceControl", [](Transport& t) { return t.SendDeviceControl(0x3C); },
         {{kSet, 3, 48, {{24, {0x3C}}}}}},
        {"ReadGpio", [](Transport& t) { return t.ReadGpio(&d1); },
         {{kGet, 4, 48, {{24, {0xFF, 0xFF, 0xFF, 0x0F}}}}}},
        {"WriteGpio", [](Transport& t) { return t.WriteGpio(0x00120400, 0x00FFF600); },
         {{kSet, 4, 48, {{24, {0x00, 0xF6, 0xFF, 0x00}}, {28, {0x00, 0x04, 0x12, 0x00}}}}}},
        {"ReadIdWords", [](Transport& t) { return t.ReadIdWords(&d1, &d2); },
         {{kGet, 0, 48, {}}}},
    };
}

template <class Transport>
void ExpectLayouts(const GUID& set)
{
    for (const auto& op : Operations<Transport>()) {
        AttachedTransport<Transport> t;
        ASSERT_EQ(S_OK, t.attachResult);
        EXPECT_EQ(S_OK, op.call(*t.transport)) << op.name;
        ExpectRequests(set, op.requests, t.filter->Requests(), op.name);
    }
}

template <class Transport>
void ExpectResultsOfTheDriverPassedOn()
{
    AttachedTransport<Transport> t;
    for (const auto& op : Operations<Transport>()) {
        t.filter->Answer(kNack);
        EXPECT_EQ(kNack, op.call(*t.transport)) << op.name;
    }

    DWORD first = 0, second = 0;
    t.filter->AnswerDword(24, 0x00012388);
    EXPECT_EQ(S_OK, t.transport->ReadIdWords(&first, &second));
    EXPECT_EQ(0x2388u, first);
    EXPECT_EQ(0x0001u, second);

    DWORD gpio = 0;
    t.filter->AnswerDword(28, 0x00008E00);
    EXPECT_EQ(S_OK, t.transport->ReadGpio(&gpio));
    EXPECT_EQ(0x00008E00u, gpio);

    BYTE b = 0;
    t.filter->AnswerBytes(32, {0x54});
    EXPECT_EQ(S_OK, t.transport->ReadByte(0xA0, 0x20, &b));
    EXPECT_EQ(0x54, b);

    BYTE block[2] = {0xC0, 0x00};
    t.filter->AnswerBytes(24, {0x42, 0x43});
    EXPECT_EQ(S_OK, t.transport->Read(block, 2));
    EXPECT_EQ(0x42, block[0]);
    EXPECT_EQ(0x43, block[1]);
}

template <class Transport>
void ExpectBadArgumentsRefused()
{
    AttachedTransport<Transport> t;
    Transport& bus = *t.transport;
    BYTE buf[300] = {0xC0};
    DWORD d = 0;
    EXPECT_EQ(E_POINTER, bus.ReadByte(0xA0, 0, NULL));
    EXPECT_EQ(E_POINTER, bus.Read(NULL, 1));
    EXPECT_EQ(E_POINTER, bus.Write(NULL, 2));
    EXPECT_EQ(E_POINTER, bus.ReadGpio(NULL));
    EXPECT_EQ(E_POINTER, bus.ReadIdWords(NULL, &d));
    EXPECT_EQ(E_POINTER, bus.ReadIdWords(&d, NULL));
    EXPECT_EQ(E_INVALIDARG, bus.ReadByte(0xA0, -1, buf));
    EXPECT_EQ(E_INVALIDARG, bus.WriteByte(0xA0, -1, 0));
    EXPECT_EQ(E_INVALIDARG, bus.Read(buf, 0));
    EXPECT_EQ(E_INVALIDARG, bus.Read(buf, 257));
    EXPECT_EQ(E_INVALIDARG, bus.Write(buf, 1));
    EXPECT_EQ(E_INVALIDARG, bus.Write(buf, 257));
    EXPECT_EQ(0u, t.filter->Requests().size());
}

template <class Transport>
void ExpectNothingSentWhenDetached()
{
    Transport never;
    AttachedTransport<Transport> detached;
    EXPECT_EQ(E_POINTER, detached.transport->Attach(NULL, NULL));
    for (const auto& op : Operations<Transport>()) {
        EXPECT_EQ(E_FAIL, op.call(never)) << op.name;
        EXPECT_EQ(E_FAIL, op.call(*detached.transport)) << op.name << " after Attach(NULL)";
    }
    EXPECT_EQ(0u, detached.filter->Requests().size());
}
}

TEST(GpioLockI2C, EveryRequestIsLaidOutByteForByteOnTheCardsSet)
{
    ExpectLayouts<CGpioLockI2C>(kPrivateSet);
}

TEST(GpioLockI2C, ResultsAndFailuresOfTheDriverArePassedOn)
{
    ExpectResultsOfTheDriverPassedOn<CGpioLockI2C>();
}

TEST(GpioLockI2C, BadArgumentsAreRefusedBeforeTheDriver)
{
    ExpectBadArgumentsRefused<CGpioLockI2C>();
}

TEST(GpioLockI2C, AttachWithoutAFilterDetachesAndNothingIsSentWithoutAnInterface)
{
    ExpectNothingSentWhenDetached<CGpioLockI2C>();
}

TEST(KsPropertyI2CEx, EveryRequestIsLaidOutByteForByteOnItsOwnSet)
{
    ExpectLayouts<CKsPropertyI2CEx>(kExSet);
}

TEST(KsPropertyI2CEx, ResultsAndFailuresOfTheDriverArePassedOn)
{
    ExpectResultsOfTheDriverPassedOn<CKsPropertyI2CEx>();
}

TEST(KsPropertyI2CEx, BadArgumentsAreRefusedBeforeTheDriver)
{
    ExpectBadArgumentsRefused<CKsPropertyI2CEx>();
}

TEST(KsPropertyI2CEx, AttachWithoutAFilterDetachesAndNothingIsSentWithoutAnInterface)
{
    ExpectNothingSentWhenDetached<CKsPropertyI2CEx>();
}

TEST(KsPropertyI2CEx, AttachAsksWhetherTheSetIsSupported)
{
    AttachedTransport<CKsPropertyI2CEx> t;
    EXPECT_EQ(S_OK, t.attachResult);
    std::vector<std::pair<GUID, DWORD>> queries = t.filter->SupportQueries();
    ASSERT_EQ(1u, queries.size());
    EXPECT_TRUE(IsEqualGUID(kExSet, queries[0].first));
    EXPECT_EQ(0u, queries[0].second);
}

TEST(KsPropertyI2CEx, AFilterWithoutTheSetIsNotAttached)
{
    const HRESULT unsupported = HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND);
    RecordingPropertySet* filter = new RecordingPropertySet;
    filter->supportResult = unsupported;
    {
        CKsPropertyI2CEx bus;
        EXPECT_EQ(unsupported, bus.Attach(filter->InnerUnknown(), NULL));
        BYTE b = 0;
        EXPECT_EQ(E_FAIL, bus.ReadByte(0xA0, 0x20, &b));
        EXPECT_EQ(0u, filter->Requests().size());
    }
    EXPECT_EQ(0u, filter->InnerRelease());
}
