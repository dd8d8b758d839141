// The encoder card's register commands, byte for byte, as its driver receives them: the two
// transports and the module's encoder operations over a recording property set.
#include "EncoderCardControl.h"
#include "EncoderCardProperties.h"
#include "RecordingPropertySet.h"
#include "TransportFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// One register command: the request's fields and, for a write, the data word.
struct Command
{
    bool get;
    DWORD device;
    DWORD mode;
    DWORD sub;
    DWORD data;

    bool operator==(const Command& o) const
    {
        return get == o.get && device == o.device && mode == o.mode && sub == o.sub && (get || data == o.data);
    }
};

std::ostream& operator<<(std::ostream& out, const Command& c)
{
    return out << (c.get ? "get" : "set") << std::hex << " device 0x" << c.device << " mode 0x" << c.mode
               << " sub 0x" << c.sub << " data 0x" << c.data << std::dec;
}

Command Get(DWORD device, DWORD mode, DWORD sub)
{
    return {true, device, mode, sub, 0};
}

Command Set(DWORD device, DWORD mode, DWORD sub, DWORD data)
{
    return {false, device, mode, sub, data};
}

DWORD Le(const std::vector<BYTE>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | (DWORD)bytes[at + 3] << 24;
}

// The filter's requests read back as register commands; anything else fails the test.
std::vector<Command> Commands(RecordingPropertySet* filter)
{
    std::vector<Command> commands;
    for (const auto& r : filter->Requests()) {
        EXPECT_TRUE(IsEqualGUID(kEncoderCardSet, r.set));
        EXPECT_EQ(20u, r.id);
        EXPECT_EQ(9u, r.instanceLength);
        EXPECT_EQ(4u, r.dataLength);
        if (r.instance.size() != 9 || r.data.size() != 4)
            continue;
        commands.push_back({r.get, Le(r.instance, 0), r.instance[4], Le(r.instance, 5), Le(r.data, 0)});
    }
    return commands;
}

// A filter with the test's reference; each test hands it to the code under test.
struct Filter
{
    explicit Filter(bool withPropertySet = true) : set(new RecordingPropertySet(withPropertySet)) {}
    ~Filter() { EXPECT_EQ(0u, set->InnerRelease()); }
    IUnknown* Unknown() const { return set->InnerUnknown(); }
    RecordingPropertySet* operator->() const { return set; }

    RecordingPropertySet* set;
};

} // namespace

TEST(EncoderCardControl, TransportCommandsReachTheDevicesBehindTheEncoder)
{
    BYTE value = 0;
    BYTE frame[] = {0xC0, 0x05, 0xE2, 0xCE, 0x01};
    BYTE twelve[14] = {0xC2, 0x40, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    BYTE read[2] = {0xC1, 0x77};
    struct Case
    {
        const char* what;
        bool twin;
        std::function<HRESULT(CI2CAccess&)> call;
        std::vector<Command> commands;
    };
    const Case cases[] = {
        {"the video decoder's 8-bit address reads the encoder chip by register", false,
         [&](CI2CAccess& t) { return t.ReadByte(0x40, 0x0A, &value); }, {Get(0x21, 1, 0x0A)}},
        {"the tuner module reads by byte", false, [&](CI2CAccess& t) { return t.ReadByte(0xC0, 0x8E, &value); },
         {Get(0x60, 3, 0x8E)}},
        {"the EEPROM's byte write", false, [](CI2CAccess& t) { return t.WriteByte(0xA2, 0x10, 0x7E); },
         {Set(0x51, 2, 0x10, 0x7E)}},
        {"a one-byte read has no sub-address", false, [&](CI2CAccess& t) { read[0] = 0xC1; return t.Read(read, 1); },
         {Get(0x60, 0x21, 0)}},
        {"a tuner frame is one tuner write", false, [&](CI2CAccess& t) { return t.Write(frame, 5); },
         {Set(0x60, 10, 0x05E2, 0xCE01)}},
        {"the twin's one-byte read", true, [&](CI2CAccess& t) { read[0] = 0xC1; return t.Read(read, 2); },
         {Get(0x60, 0x38, 0)}},
        {"the twin sends a tuner frame as one four-byte block", true, [&](CI2CAccess& t) { return t.Write(frame, 5); },
         {Set(0x60, 0x39, 0, 0x05E2CE01)}},
        {"the twin's twelve data bytes go as seven and five, each led by the register", true,
         [&](CI2CAccess& t) { return t.Write(twelve, 14); },
         {Set(0x61, 0x1F, 0x40010203, 0x04050607), Set(0x61, 0x0F, 0x4008090A, 0x0B0C)}},
        {"a register byte alone", true, [&](CI2CAccess& t) { return t.Write(twelve, 2); }, {Set(0x61, 0x21, 0, 0x40)}},
        {"two bytes fill the data word from its low end", true, [&](CI2CAccess& t) { return t.Write(twelve, 3); },
         {Set(0x61, 0x29, 0, 0x4001)}},
        {"three bytes", true, [&](CI2CAccess& t) { return t.Write(twelve, 4); }, {Set(0x61, 0x31, 0, 0x400102)}},
        {"five bytes begin the sub word", true, [&](CI2CAccess& t) { return t.Write(twelve, 6); },
         {Set(0x61, 0x07, 0x40010203, 0x04)}},
        {"seven data bytes are one piece", true, [&](CI2CAccess& t) { return t.Write(twelve, 9); },
         {Set(0x61, 0x1F, 0x40010203, 0x04050607)}},
        {"eight data bytes leave one for a second piece", true, [&](CI2CAccess& t) { return t.Write(twelve, 10); },
         {Set(0x61, 0x1F, 0x40010203, 0x04050607), Set(0x61, 0x29, 0, 0x4008)}},
    };
    for (const Case& c : cases) {
        Filter filter;
        std::unique_ptr<CI2CAccess> t(c.twin ? new CEncoderCardControlB : new CEncoderCardControl);
        ASSERT_EQ(S_OK, t->Attach(filter.Unknown(), NULL));
        EXPECT_EQ(S_OK, c.call(*t)) << c.what;
        EXPECT_EQ(c.commands, Commands(filter.set)) << c.what;
    }
}

TEST(EncoderCardControl, RepliesFailuresAndRefusedBuffers)
{
    Filter filter;
    CEncoderCardControl t;
    CEncoderCardControlB twin;
    EXPECT_EQ(E_INVALIDARG, t.Attach(NULL, NULL));
    ASSERT_EQ(S_OK, t.Attach(filter.Unknown(), NULL));
    ASSERT_EQ(S_OK, twin.Attach(filter.Unknown(), NULL));

    // The low byte of the value read; the twin's one-byte read brings its byte in bits 16-23.
    filter->AnswerDword(0, 0x1234);
    BYTE value = 0;
    EXPECT_EQ(S_OK, t.ReadByte(0xA2, 3, &value));
    EXPECT_EQ(0x34, value);
    filter->AnswerDword(0, 0x00AB0000);
    BYTE byte[2] = {0xC1, 0};
    EXPECT_EQ(S_OK, twin.Read(byte, 2));
    EXPECT_EQ(0xC1, byte[0]);
    EXPECT_EQ(0xAB, byte[1]);
    filter->AnswerDword(0, 0x0000005C);
    EXPECT_EQ(S_OK, t.Read(byte, 1));
    EXPECT_EQ(0x5C, byte[0]);

    // Buffers that cannot hold a command are refused before anything is sent.
    filter->Clear();
    BYTE four[4] = {0xC0, 1, 2, 3};
    EXPECT_EQ(E_INVALIDARG, t.Write(four, 4));
    EXPECT_EQ(E_POINTER, t.Write(NULL, 5));
    EXPECT_EQ(E_POINTER, twin.Write(NULL, 5));
    EXPECT_EQ(S_OK, twin.Write(four, 1));
    EXPECT_EQ(E_INVALIDARG, twin.Read(byte, 1));
    EXPECT_EQ(E_POINTER, t.ReadByte(0xA0, 0, NULL));
    EXPECT_TRUE(filter->Requests().empty());

    // A driver that fails the call, answers S_FALSE, or lacks the support bit.
    filter->Answer(E_FAIL);
    EXPECT_EQ(E_FAIL, t.WriteByte(0xA0, 1, 2));
    filter->Answer(S_FALSE);
    EXPECT_EQ(E_FAIL, t.ReadByte(0xA0, 1, &value));
    filter->supportBits = [](const GUID&, DWORD) -> DWORD { return KSPROPERTY_SUPPORT_GET; };
    BYTE frame[5] = {0xC0, 1, 2, 3, 4};
    EXPECT_EQ(E_FAIL, t.Write(frame, 5));
    EXPECT_EQ(2u, filter->Requests().size());

    EXPECT_EQ(E_NOTIMPL, t.SendDeviceControl(1));
    EXPECT_EQ(E_NOTIMPL, t.ReadGpio(NULL));
    EXPECT_EQ(E_NOTIMPL, t.WriteGpio(1, 1));
    EXPECT_EQ(S_OK, t.SendBusControl(3));

    // Nothing attached: nothing can be sent, but a zero bus control is no command at all.
    CEncoderCardControl detached;
    EXPECT_EQ(E_FAIL, detached.ReadByte(0xA0, 0, &value));
    EXPECT_EQ(E_FAIL, detached.SendBusControl(1));
    EXPECT_EQ(S_OK, detached.SendBusControl(0));
}

TEST(EncoderCardControl, TwinControlLineIsItsOwnProperty)
{
    Filter filter;
    CEncoderCardControlB twin;
    ASSERT_EQ(S_OK, twin.Attach(filter.Unknown(), NULL));
    EXPECT_EQ(1, twin.SetControlLine(7));
    EXPECT_EQ(1, twin.SetControlLine(0));
    filter->Answer(E_FAIL);
    EXPECT_EQ(0, twin.SetControlLine(1));
    auto requests = filter->Requests();
    ASSERT_EQ(3u, requests.size());
    const BYTE expected[] = {1, 0, 1};
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_FALSE(requests[i].get);
        EXPECT_EQ(25u, requests[i].id);
        EXPECT_EQ(0u, requests[i].instanceLength);
        EXPECT_EQ(std::vector<BYTE>{expected[i]}, requests[i].data);
    }
}

TEST(EncoderCardOperations, RegisterCommandsOfTheEncoderOperations)
{
    BYTE value = 0;
    DWORD status = 0;
    struct Case
    {
        const char* what;
        std::vector<DWORD> answers;     // what the requests give, in order
        std::function<BOOL(IUnknown*)> call;
        std::vector<Command> commands;
    };
    const Case cases[] = {
        {"tuning 55.25 MHz: divider 1506 in the low band, then one lock read that finds the lock", {0, 0x40},
         [](IUnknown* f) { return SetEncoderTunerFrequency(f, 55250); },
         {Set(0x60, 10, 1506, 0xCE01), Get(0x60, 1, 0x8E)}},
        {"just below the middle band's split", {0, 0x40}, [](IUnknown* f) { return SetEncoderTunerFrequency(f, 169999); },
         {Set(0x60, 10, (169999 + 38900) * 16 / 1000, 0xCE01), Get(0x60, 1, 0x8E)}},
        {"the middle band", {0, 0x40}, [](IUnknown* f) { return SetEncoderTunerFrequency(f, 170000); },
         {Set(0x60, 10, (170000 + 38900) * 16 / 1000, 0xCE02), Get(0x60, 1, 0x8E)}},
        {"the high band", {0, 0x40}, [](IUnknown* f) { return SetEncoderTunerFrequency(f, 450000); },
         {Set(0x60, 10, (450000 + 38900) * 16 / 1000, 0xCE08), Get(0x60, 1, 0x8E)}},
        {"video input 1 keeps the high nibble", {0xA5}, [](IUnknown* f) { return SelectEncoderVideoInput(f, 1, 1); },
         {Get(0x21, 1, 2), Set(0x21, 0, 2, 0xA3)}},
        {"video input 0", {0x5F}, [](IUnknown* f) { return SelectEncoderVideoInput(f, 0, 2); },
         {Get(0x21, 1, 2), Set(0x21, 0, 2, 0x56)}},
        {"another input leaves the register as read", {0x5F}, [](IUnknown* f) { return SelectEncoderVideoInput(f, 7, 2); },
         {Get(0x21, 1, 2), Set(0x21, 0, 2, 0x5F)}},
        {"an input kind the encoder lacks", {}, [](IUnknown* f) { return !SelectEncoderVideoInput(f, 0, 3); }, {}},
        {"register 9 under standard 0", {}, [](IUnknown* f) { return WriteVideoSetting(f, 9, 10, 0); },
         {Set(0x21, 0, 9, 199)}},
        {"register 9 under standard 2", {}, [](IUnknown* f) { return WriteVideoSetting(f, 9, 10, 2); },
         {Set(0x21, 0, 9, 87)}},
        {"register 13 is written less 127", {}, [](IUnknown* f) { return WriteVideoSetting(f, 13, 200, 1); },
         {Set(0x21, 0, 13, 73)}},
        {"register 9 reads back less its offset", {199},
         [&](IUnknown* f) { return ReadVideoSetting(f, 9, &value, 0) && value == 10; }, {Get(0x21, 1, 9)}},
        {"the demodulator's word for value 5", {}, [](IUnknown* f) { return SetDemodulatorWord(f, 5); },
         {Set(0x43, 8, 0, 0x1610)}},
        {"its second form", {}, [](IUnknown* f) { return SetDemodulatorWordB(f, 5); }, {Set(0x43, 8, 0, 0x3610)}},
        {"other values write nothing", {}, [](IUnknown* f) { return SetDemodulatorWord(f, 4); }, {}},
        {"EEPROM write", {}, [](IUnknown* f) { return WriteEepromByte(f, 0x20, 0x91); }, {Set(0x51, 2, 0x20, 0x91)}},
        {"EEPROM read", {0x1291}, [&](IUnknown* f) { return ReadEepromByte(f, 0x21, &value) && value == 0x91; },
         {Get(0x51, 3, 0x21)}},
        {"the tuner probe", {}, [](IUnknown* f) { return ProbeTuner(f); }, {Get(0x60, 0x21, 0)}},
        {"the status register", {0x62},
         [&](IUnknown* f) { return ReadEncoderStatus(f, &status) && status == 0x62; }, {Get(0x21, 1, 31)}},
        {"the status bit", {0x2}, [](IUnknown* f) { return ReadEncoderStatusBit(f, 3); }, {Get(0x21, 0, 31)}},
        {"the status bit clear", {0xFD}, [](IUnknown* f) { return !ReadEncoderStatusBit(f, 1); }, {Get(0x21, 0, 31)}},
        {"a status kind of no meaning", {}, [](IUnknown* f) { return !ReadEncoderStatusBit(f, 2); }, {}},
        {"the key registers", {0x1}, [&](IUnknown* f) { return ReadCardRegister(f, 0x5D, 1, 48, &status) && status == 1; },
         {Get(0x5D, 1, 48)}},
    };
    for (const Case& c : cases) {
        Filter filter;
        for (DWORD answer : c.answers)
            filter->AnswerDword(0, answer);
        EXPECT_TRUE(c.call(filter.Unknown())) << c.what;
        EXPECT_EQ(c.commands, Commands(filter.set)) << c.what;
    }
}

TEST(EncoderCardOperations, PollsFollowTheStatusBits)
{
    {
        Filter filter;
        filter->AnswerDword(0, 0x40);
        filter->Answer(E_FAIL);
        filter->AnswerDword(0, 0x20);
        EXPECT_TRUE(WaitEncoderReady(filter.Unknown()));
        EXPECT_EQ(std::vector<Command>(3, Get(0x21, 0, 31)), Commands(filter.set));
    }
    {
        Filter filter;
        for (int i = 0; i < 60; ++i)
            filter->AnswerDword(0, 0x40);
        EXPECT_FALSE(WaitEncoderReady(filter.Unknown()));
        EXPECT_EQ(50u, filter->Requests().size());
    }
    {
        // The idle bit is reported, set or clear, by the first read that succeeds.
        Filter filter;
        filter->Answer(E_FAIL);
        filter->AnswerDword(0, 0x20);
        filter->AnswerDword(0, 0x40);
        BOOL idle = 7;
        EXPECT_TRUE(GetEncoderIdle(filter.Unknown(), &idle));
        EXPECT_EQ(0, idle);
        EXPECT_TRUE(GetEncoderIdle(filter.Unknown(), &idle));
        EXPECT_EQ(1, idle);
        EXPECT_EQ(3u, filter->Requests().size());
    }
    {
        Filter filter;
        for (int i = 0; i < 50; ++i)
            filter->Answer(E_FAIL);
        BOOL idle = 7;
        EXPECT_FALSE(GetEncoderIdle(filter.Unknown(), &idle));
        EXPECT_EQ(7, idle);
    }
    {
        // The tuner lock poll ends at a failed read, and runs out after 50 without the lock.
        Filter filter;
        filter->AnswerDword(0, 0);
        filter->Answer(E_FAIL);
        EXPECT_TRUE(WaitTunerLock(filter.Unknown()));
        EXPECT_EQ(2u, filter->Requests().size());
        filter->Clear();
        EXPECT_TRUE(WaitTunerLock(filter.Unknown()));
        EXPECT_EQ(50u, filter->Requests().size());
    }
}

TEST(EncoderCardOperations, CommandsNeedThePropertySetAndItsSupportBit)
{
    DWORD value = 0;
    Filter bare(false);
    EXPECT_FALSE(ReadCardRegister(bare.Unknown(), 0x21, 0, 31, &value));
    EXPECT_FALSE(WriteCardRegister(bare.Unknown(), 0x21, 0, 31, 1));
    EXPECT_FALSE(SendCardProperty63(bare.Unknown()));
    EXPECT_FALSE(ReadCardRegister(NULL, 0x21, 0, 31, &value));

    Filter filter;
    filter->supportBits = [](const GUID&, DWORD) -> DWORD { return KSPROPERTY_SUPPORT_SET; };
    EXPECT_FALSE(ReadCardRegister(filter.Unknown(), 0x21, 0, 31, &value));
    EXPECT_TRUE(WriteCardRegister(filter.Unknown(), 0x21, 0, 31, 1));
    filter->supportBits = [](const GUID&, DWORD) -> DWORD { return KSPROPERTY_SUPPORT_GET; };
    EXPECT_FALSE(WriteCardRegister(filter.Unknown(), 0x21, 0, 31, 1));
    EXPECT_TRUE(ReadCardRegister(filter.Unknown(), 0x21, 0, 31, &value));
    EXPECT_EQ(2u, filter->Requests().size());
    // The driver's refusal comes back as FALSE and leaves the caller's value.
    value = 0x99;
    filter->AnswerBytes(0, {1, 2, 3, 4}, E_FAIL);
    EXPECT_FALSE(ReadCardRegister(filter.Unknown(), 0x21, 0, 31, &value));
    EXPECT_EQ(0x99u, value);
    // These two report the interface, not the driver's answer.
    filter->supportBits = [](const GUID&, DWORD) -> DWORD { return 0; };
    EXPECT_TRUE(SendCardProperty64(filter.Unknown()));
}

TEST(EncoderCardOperations, BlockPropertiesUseOneBufferForInstanceAndData)
{
    Filter filter;
    EXPECT_TRUE(SetChannelProperties(filter.Unknown()));
    EXPECT_TRUE(SendCardProperty63(filter.Unknown()));
    EXPECT_TRUE(SendCardProperty64(filter.Unknown()));
    DWORD four = 0x01020304;
    EXPECT_TRUE(SetCardProperty4(filter.Unknown(), &four));
    filter->AnswerDword(0, 0x0A0B0C0D);
    EXPECT_TRUE(GetCardProperty4(filter.Unknown(), &four));
    EXPECT_EQ(0x0A0B0C0Du, four);

    struct Expected { bool get; DWORD id; std::vector<BYTE> bytes; };
    const Expected expected[] = {
        {false, 22, {3, 1, 0, 0, 0}},   {false, 22, {13, 1, 0, 0, 0}}, {false, 24, {3, 0, 0, 0, 0}},
        {false, 24, {13, 0, 0, 0, 0}},  {false, 63, {0}},              {false, 64, {0}},
        {false, 4, {4, 3, 2, 1}},       {true, 4, {0, 0, 0, 0}},
    };
    auto requests = filter->Requests();
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), requests.size());
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(expected[i].get, requests[i].get) << i;
        EXPECT_EQ(expected[i].id, requests[i].id) << i;
        EXPECT_EQ(0, requests[i].instanceOffset) << i;
        EXPECT_EQ(expected[i].bytes.size(), requests[i].instanceLength) << i;
        if (!expected[i].get) {
            EXPECT_EQ(expected[i].bytes, requests[i].data) << i;
        }
    }
}
