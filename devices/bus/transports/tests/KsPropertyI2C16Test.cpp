#include "KsPropertyI2C16.h"
#include "TransportFixture.h"
#include "TransportSets.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// One request of the 16-byte family: its set, id, direction and whole data, without instance.
struct Expected16
{
    const GUID* set;
    DWORD id;
    bool get;
    std::vector<BYTE> data;
};

std::vector<BYTE> Zeros(DWORD size, const std::vector<std::pair<DWORD, std::vector<BYTE>>>& payload)
{
    std::vector<BYTE> data(size, 0);
    for (const auto& p : payload)
        std::copy(p.second.begin(), p.second.end(), data.begin() + p.first);
    return data;
}

Expected16 Block(bool read, BYTE bus, BYTE address, WORD count, const std::vector<BYTE>& data = {})
{
    return {&kBus16Set, read ? 3u : 4u, read, Zeros(264, {{0, {bus, address, LOBYTE(count), HIBYTE(count)}}, {8, data}})};
}

Expected16 Register(DWORD reg, DWORD value)
{
    return {&kBus16Set, 6, false, Zeros(8, {Dword(0, reg), Dword(4, value)})};
}

void Check(const std::vector<Expected16>& expected, RecordingPropertySet* filter, const std::string& where)
{
    auto actual = filter->Requests();
    auto queries = filter->SupportQueries();
    ASSERT_EQ(expected.size(), actual.size()) << where;
    ASSERT_EQ(expected.size(), queries.size()) << where;
    for (size_t i = 0; i < expected.size(); ++i) {
        std::string at = where + ", request " + std::to_string(i);
        EXPECT_TRUE(IsEqualGUID(*expected[i].set, actual[i].set)) << at;
        EXPECT_TRUE(IsEqualGUID(*expected[i].set, queries[i].first)) << at;
        EXPECT_EQ(expected[i].id, actual[i].id) << at;
        EXPECT_EQ(expected[i].id, queries[i].second) << at;
        EXPECT_EQ(expected[i].get, actual[i].get) << at;
        EXPECT_EQ(0u, actual[i].instanceLength) << at;
        EXPECT_EQ(expected[i].data, actual[i].data) << at;
    }
}
}

TEST(KsPropertyI2C16, EveryRequestIsAskedForThenLaidOutOnItsBus)
{
    BYTE b = 0;
    DWORD d = 0;
    std::vector<BYTE> pieceData(34);
    for (int i = 0; i < 34; ++i)
        pieceData[i] = (BYTE)(0x40 + i);
    pieceData[0] = 0xC0;
    pieceData[1] = 0x00;
    auto range = [&](int from, int count) {
        std::vector<BYTE> r = {0x00};
        r.insert(r.end(), pieceData.begin() + from, pieceData.begin() + from + count);
        return r;
    };
    struct Case { const char* what; std::function<HRESULT(CKsPropertyI2C16&)> call; std::vector<Expected16> requests; };
    const Case cases[] = {
        {"ReadByte on the EEPROM bus", [&](CKsPropertyI2C16& t) { return t.ReadByte(0xA0, 0x21, &b); },
         {{&kBus16Set, 0, true, Zeros(19, {{0, {1, 0xA0, 0x21}}})}}},
        {"WriteByte on the other bus", [](CKsPropertyI2C16& t) { return t.WriteByte(0x86, 0x02, 0x4B); },
         {{&kBus16Set, 1, false, Zeros(19, {{0, {2, 0x86, 0x02, 0x4B}}})}}},
        {"the split device (on the EEPROM bus, as 0xBA has both bits) takes sub-address and data separately",
         [&](CKsPropertyI2C16& t) { return t.ReadByte(0xBA, 0xAB, &b); },
         {Block(false, 1, 0xBA, 1, {0xAB}), Block(true, 1, 0xBB, 1)}},
        {"the split device's other registers read in one", [&](CKsPropertyI2C16& t) { return t.ReadByte(0xBA, 0x10, &b); },
         {{&kBus16Set, 0, true, Zeros(19, {{0, {1, 0xBA, 0x10}}})}}},
        {"Read addresses then reads",
         [](CKsPropertyI2C16& t) { BYTE r[16] = {0xA0}; return t.Read(r, 16); },
         {Block(false, 1, 0xA0, 0), Block(true, 1, 0xA1, 16)}},
        {"Write of 17 bytes in one request",
         [&](CKsPropertyI2C16& t) { return t.Write(pieceData.data(), 17); },
         {Block(false, 2, 0xC0, 16, std::vector<BYTE>(pieceData.begin() + 1, pieceData.begin() + 17))}},
        {"Write of 34 bytes: two pieces of 15 and the 2 left, each to the same sub-address",
         [&](CKsPropertyI2C16& t) { return t.Write(pieceData.data(), 34); },
         {Block(false, 2, 0xC0, 16, range(2, 15)), Block(false, 2, 0xC0, 16, range(17, 15)),
          Block(false, 2, 0xC0, 3, range(32, 2))}},
        {"WriteGpio", [](CKsPropertyI2C16& t) { return t.WriteGpio(0x00030002, 0x00070003); },
         {Register(0xC7008108, 0x00030000), Register(0xC700810C, 0x00070000),
          Register(0xC7008100, 0x00030002), Register(0xC7008104, 0x00070003)}},
        {"one line", [](CKsPropertyI2C16& t) { return t.SetGpioLine(4, 1); },
         {Register(0xC7008108, 0x00100000), Register(0xC700810C, 0), Register(0xC7008100, 0x00100010),
          Register(0xC7008104, 0)}},
        {"reset pulse on line 1", [](CKsPropertyI2C16& t) { return t.SetControlLine(1); },
         {Register(0xC7008108, 0x00020000), Register(0xC700810C, 0), Register(0xC7008100, 0x00020000),
          Register(0xC7008104, 0), Register(0xC7008108, 0x00020000), Register(0xC700810C, 0),
          Register(0xC7008100, 0x00020002), Register(0xC7008104, 0)}},
        {"ReadRegister", [&](CKsPropertyI2C16& t) { return t.ReadRegister(0xC7008100, &d); },
         {{&kBus16Set, 5, true, Zeros(8, {Dword(0, 0xC7008100)})}}},
        {"SendBusControl", [](CKsPropertyI2C16& t) { return t.SendBusControl(7); },
         {{&kBus16ControlSet, 0, false, {7, 0, 0, 0}}}},
        {"SendDeviceControl", [](CKsPropertyI2C16& t) { return t.SendDeviceControl(9); },
         {{&kBus16DeviceSet, 0, false, {9, 0, 0, 0}}}},
    };
    for (const Case& c : cases) {
        AttachedTransport<CKsPropertyI2C16> t;
        ASSERT_EQ(S_OK, t.attachResult);
        EXPECT_EQ(S_OK, c.call(*t.transport)) << c.what;
        Check(c.requests, t.filter, c.what);
    }
}

TEST(KsPropertyI2C16, RepliesRefusalsAndUnsupportedRequests)
{
    AttachedTransport<CKsPropertyI2C16> t;
    t.filter->AnswerBytes(0, {1, 0xA0, 0x21, 0x5E});
    BYTE value = 0;
    EXPECT_EQ(S_OK, t.transport->ReadByte(0xA0, 0x21, &value));
    EXPECT_EQ(0x5E, value);
    t.filter->Answer(S_OK);
    t.filter->AnswerBytes(8, {0xDE, 0xAD, 0xBE});
    BYTE block[3] = {0xA0};
    EXPECT_EQ(S_OK, t.transport->Read(block, 3));
    EXPECT_EQ((std::vector<BYTE>{0xDE, 0xAD, 0xBE}), std::vector<BYTE>(block, block + 3));
    t.filter->AnswerBytes(4, {0x34, 0x12, 0, 0});
    t.filter->AnswerBytes(4, {0x78, 0x56, 0, 0});
    DWORD gpio = 0;
    EXPECT_EQ(S_OK, t.transport->ReadGpio(&gpio));
    EXPECT_EQ(0x56781234u, gpio);

    t.filter->Clear();
    BYTE big[17] = {0xA0};
    EXPECT_EQ(E_INVALIDARG, t.transport->Read(big, 17));
    EXPECT_EQ(E_INVALIDARG, t.transport->Write(big, 1));
    EXPECT_TRUE(t.filter->Requests().empty());

    // A request the driver does not support is not sent.
    t.filter->supportResult = E_NOTIMPL;
    EXPECT_EQ(E_NOTIMPL, t.transport->WriteByte(0xA0, 1, 2));
    EXPECT_TRUE(t.filter->Requests().empty());
    t.filter->supportResult = S_OK;
    // The reset pulse reports its second write.
    t.filter->Answer(E_FAIL);
    EXPECT_EQ(S_OK, t.transport->SetControlLine(1));
    t.filter->Clear();
    for (int i = 0; i < 4; ++i)
        t.filter->Answer(S_OK);
    t.filter->Answer(E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, t.transport->SetControlLine(1));
    EXPECT_EQ(5u, t.filter->Requests().size());

    CKsPropertyI2C16 detached;
    EXPECT_EQ(E_FAIL, detached.WriteGpio(1, 1));
}
