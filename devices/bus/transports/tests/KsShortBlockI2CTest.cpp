#include "KsPortI2C.h"
#include "KsShortBlockI2C.h"
#include "TransportFixture.h"
#include "TransportSets.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
std::pair<DWORD, std::vector<BYTE>> SetGuid()
{
    const BYTE* g = (const BYTE*)&kUsbTunnelSet;
    return {0, std::vector<BYTE>(g, g + 16)};
}

// One tunnelled request: the Set carrying header and data, then the Get of the reply.
std::vector<ExpectedRequest> Tunnel(const std::vector<BYTE>& request)
{
    return {{kSet, 0, 48, {SetGuid(), {24, request}, {44, {(BYTE)request.size()}}}},
            {kGet, 0, 48, {SetGuid()}}};
}

// The device's reply: its bytes from 24 and their count at 44.
std::vector<BYTE> Reply(const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> reply(21, 0);
    std::copy(bytes.begin(), bytes.end(), reply.begin());
    reply[20] = (BYTE)bytes.size();
    return reply;
}

template <class Transport>
struct Case
{
    const char* what;
    std::function<HRESULT(Transport&)> call;
    std::vector<std::vector<BYTE>> requests;
};

template <class Transport>
void RunCases(const std::vector<Case<Transport>>& cases)
{
    for (const auto& c : cases) {
        AttachedTransport<Transport> t;
        ASSERT_EQ(S_OK, t.attachResult);
        EXPECT_EQ(S_OK, c.call(*t.transport)) << c.what;
        std::vector<ExpectedRequest> expected;
        for (const auto& r : c.requests) {
            auto pair = Tunnel(r);
            expected.insert(expected.end(), pair.begin(), pair.end());
        }
        ExpectRequests(kUsbTunnelSet, expected, t.filter->Requests(), c.what);
    }
}
}

TEST(KsShortBlockI2C, EveryRequestIsAVendorControlHeaderWithItsData)
{
    BYTE b = 0;
    std::vector<Case<CKsShortBlockI2C>> cases = {
        {"ReadByte clears the read bit", [&](CKsShortBlockI2C& t) { return t.ReadByte(0xA1, 0x21, &b); },
         {{0xC0, 16, 0xA0, 0x21, 0, 0, 1, 0}}},
        {"WriteByte", [](CKsShortBlockI2C& t) { return t.WriteByte(0xC2, 0x05, 0x9A); },
         {{0x40, 16, 0xC2, 0x05, 0x9A, 0, 0, 0}}},
        {"Read of one byte", [](CKsShortBlockI2C& t) { BYTE r[1] = {0xA1}; return t.Read(r, 1); },
         {{0xC0, 9, 0xA0, 0, 0, 0, 1, 0}}},
        {"Write of 12 bytes, the longest",
         [](CKsShortBlockI2C& t) {
             BYTE w[12] = {0xC0, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
             return t.Write(w, 12);
         },
         {{0x40, 16, 0xC0, 0x10, 0, 0, 10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}},
        {"Write of 3 bytes, the shortest",
         [](CKsShortBlockI2C& t) { BYTE w[3] = {0xC0, 0x0B, 0xDC}; return t.Write(w, 3); },
         {{0x40, 16, 0xC0, 0x0B, 0, 0, 1, 0, 0xDC}}},
        {"ReadRegByte", [&](CKsShortBlockI2C& t) { return t.ReadRegByte(0x1F, &b); }, {{0xC0, 7, 0x1F, 0, 0, 0, 1, 0}}},
        {"WriteRegByte", [](CKsShortBlockI2C& t) { return t.WriteRegByte(0x1F, 0x44); },
         {{0x40, 7, 0x1F, 0, 0x44, 0, 0, 0}}},
        {"GPIO lines 0-3 are ports 1-4 of group 1", [](CKsShortBlockI2C& t) { return t.WriteGpio(5, 2); },
         {{0x40, 3, 3, 1, 1, 0, 0, 0}}},
        {"GPIO line 4", [](CKsShortBlockI2C& t) { return t.WriteGpio(0, 4); }, {{0x40, 3, 0, 3, 0, 0, 0, 0}}},
        {"GPIO line 6", [](CKsShortBlockI2C& t) { return t.WriteGpio(1, 6); }, {{0x40, 3, 4, 3, 1, 0, 0, 0}}},
        {"GPIO line 7", [](CKsShortBlockI2C& t) { return t.WriteGpio(1, 7); }, {{0x40, 3, 5, 3, 1, 0, 0, 0}}},
        {"reset line 0 is active low", [](CKsShortBlockI2C& t) { return t.SetControlLine(0); },
         {{0x40, 3, 1, 1, 1, 0, 0, 0}}},
    };
    RunCases(cases);

    std::vector<Case<CKsShortBlockI2C2>> second = {
        {"reset on line 1, three times", [](CKsShortBlockI2C2& t) { return t.SetControlLine(1); },
         {{0x40, 3, 2, 1, 1, 0, 0, 0}, {0x40, 3, 2, 1, 1, 0, 0, 0}, {0x40, 3, 2, 1, 1, 0, 0, 0}}},
        {"second line on line 0", [](CKsShortBlockI2C2& t) { return t.SetControlLine2(0); },
         {{0x40, 3, 1, 1, 0, 0, 0, 0}}},
    };
    RunCases(second);
}

TEST(KsShortBlockI2C, RepliesComeBackAndRefusalsSendNothing)
{
    AttachedTransport<CKsShortBlockI2C> t;
    ASSERT_EQ(S_OK, t.attachResult);
    t.filter->Answer(S_OK);
    t.filter->AnswerBytes(24, Reply({0x5C}));
    BYTE value = 0;
    EXPECT_EQ(S_OK, t.transport->ReadByte(0xA0, 3, &value));
    EXPECT_EQ(0x5C, value);
    t.filter->Answer(S_OK);
    t.filter->AnswerBytes(24, Reply({0x3E}));
    BYTE block[1] = {0xC0};
    EXPECT_EQ(S_OK, t.transport->Read(block, 1));
    EXPECT_EQ(0x3E, block[0]);
    // A reply longer than the caller asked for stays in the transport.
    t.filter->Answer(S_OK);
    t.filter->AnswerBytes(24, Reply({0x11, 0x22, 0x33}));
    BYTE reg[2] = {0, 0xEE};
    EXPECT_EQ(S_OK, t.transport->ReadRegByte(4, reg));
    EXPECT_EQ(0x11, reg[0]);
    EXPECT_EQ(0xEE, reg[1]);
    // A refused Set sends no Get and its failure is the result.
    t.filter->Clear();
    t.filter->Answer(E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, t.transport->WriteByte(0xA0, 1, 2));
    EXPECT_EQ(1u, t.filter->Requests().size());

    t.filter->Clear();
    BYTE w[13] = {0xC0};
    BYTE two[2] = {0xC0, 0};
    EXPECT_EQ(E_INVALIDARG, t.transport->Write(two, 2));
    EXPECT_EQ(E_INVALIDARG, t.transport->Write(w, 13));
    EXPECT_EQ(E_INVALIDARG, t.transport->Read(two, 2));
    EXPECT_EQ(E_INVALIDARG, t.transport->WriteGpio(1, 8));
    EXPECT_TRUE(t.filter->Requests().empty());

    CKsShortBlockI2C detached;
    EXPECT_EQ(E_FAIL, detached.WriteByte(0xA0, 1, 2));
    EXPECT_EQ(E_FAIL, detached.Write(w, 3));
}

TEST(KsPortI2C, ByteAccessIsIndexedAndLongWritesGoInPiecesOfEight)
{
    BYTE b = 0;
    std::vector<Case<CKsPortI2C>> cases = {
        {"ReadByte", [&](CKsPortI2C& t) { return t.ReadByte(0xA0, 0x21, &b); }, {{0xC0, 14, 0xA0, 0, 0x21, 0, 1, 0}}},
        {"WriteByte", [](CKsPortI2C& t) { return t.WriteByte(0x86, 0x02, 0x4B); },
         {{0x40, 14, 0x86, 0, 0x02, 0, 1, 0, 0x4B}}},
        {"ReadByte12", [&](CKsPortI2C& t) { return t.ReadByte12(0xA0, 0x05, &b); }, {{0xC0, 12, 0xA0, 0, 0x05, 0, 1, 0}}},
        {"WriteByte12", [](CKsPortI2C& t) { return t.WriteByte12(0xA0, 0x05, 0x66); },
         {{0x40, 12, 0xA0, 0, 0x05, 0, 1, 0, 0x66}}},
        {"ReadPortRegister", [&](CKsPortI2C& t) { return t.ReadPortRegister(0x30, &b); }, {{0xC0, 5, 0x30, 0, 0, 0, 1, 0}}},
        {"Read of 8 bytes", [](CKsPortI2C& t) { BYTE r[8] = {0xA1}; return t.Read(r, 8); }, {{0xC0, 9, 0xA0, 0, 0, 0, 8, 0}}},
        {"Write of 9 bytes in one request",
         [](CKsPortI2C& t) { BYTE w[9] = {0xC0, 0x00, 1, 2, 3, 4, 5, 6, 7}; return t.Write(w, 9); },
         {{0x40, 16, 0xC0, 0x00, 0, 0, 7, 0, 1, 2, 3, 4, 5, 6, 7}}},
        {"Write of 21 bytes: two pieces of 8 and the 3 left, each to the same sub-address",
         [](CKsPortI2C& t) {
             BYTE w[21] = {0xC0, 0x10};
             for (int i = 2; i < 21; ++i)
                 w[i] = (BYTE)i;
             return t.Write(w, 21);
         },
         {{0x40, 16, 0xC0, 0x10, 0, 0, 8, 0, 2, 3, 4, 5, 6, 7, 8, 9},
          {0x40, 16, 0xC0, 0x10, 0, 0, 8, 0, 10, 11, 12, 13, 14, 15, 16, 17},
          {0x40, 16, 0xC0, 0x10, 0, 0, 3, 0, 18, 19, 20}}},
        {"Write of 10 bytes: one piece and nothing left",
         [](CKsPortI2C& t) { BYTE w[10] = {0xC2, 0x20, 1, 2, 3, 4, 5, 6, 7, 8}; return t.Write(w, 10); },
         {{0x40, 16, 0xC2, 0x20, 0, 0, 8, 0, 1, 2, 3, 4, 5, 6, 7, 8}}},
        {"GPIO as the short-block transport", [](CKsPortI2C& t) { return t.WriteGpio(1, 5); },
         {{0x40, 3, 1, 3, 1, 0, 0, 0}}},
    };
    RunCases(cases);

    AttachedTransport<CKsPortI2C> t;
    BYTE tuner[1] = {0xC1};
    BYTE nine[9] = {0xA0};
    EXPECT_EQ(E_INVALIDARG, t.transport->Read(tuner, 1));
    EXPECT_EQ(E_INVALIDARG, t.transport->Read(nine, 9));
    EXPECT_EQ(E_INVALIDARG, t.transport->ReadByte(0x42, 0, &b));
    EXPECT_EQ(E_INVALIDARG, t.transport->WriteByte(0x10, 0, 1));
    EXPECT_TRUE(t.filter->Requests().empty());
    t.filter->Answer(S_OK);
    t.filter->AnswerBytes(24, Reply({0xDE, 0xAD}));
    nine[0] = 0xA0;
    EXPECT_EQ(S_OK, t.transport->Read(nine, 2));
    EXPECT_EQ(0xDE, nine[0]);
    EXPECT_EQ(0xAD, nine[1]);
}
