#include "SimCardFixture.h"

#include <string.h>

class SimCardPropertyTest : public SimCardFixture
{
protected:
    HRESULT Send(bool get, DWORD id, DWORD size)
    {
        std::vector<BYTE> buffer(size);
        buffer[24] = 0xA0;
        if (id == 6)
            buffer[280] = 2;
        return card->Property("test", get, id, 24, buffer.data(), size, NULL);
    }
};

TEST_F(SimCardPropertyTest, SupportFollowsThePropertyTable)
{
    const DWORD expected[] = { 1, 2, 3, 2, 3, 3, 3 };
    for (DWORD id = 0; id < 7; ++id) {
        DWORD support = 0;
        EXPECT_EQ(S_OK, CSimCard::QuerySupport(id, &support));
        EXPECT_EQ(expected[id], support) << id;
    }
    DWORD support = 0;
    EXPECT_EQ((HRESULT)0x80070490, CSimCard::QuerySupport(7, &support));
}

TEST_F(SimCardPropertyTest, UnlistedIdsAndDirectionsAreRefused)
{
    EXPECT_EQ((HRESULT)0x80070490, Send(true, 7, 48));
    EXPECT_EQ((HRESULT)0x80070490, Send(false, 0, 48));
    EXPECT_EQ((HRESULT)0x80070490, Send(true, 1, 48));
    EXPECT_EQ((HRESULT)0x80070490, Send(true, 3, 48));
}

TEST_F(SimCardPropertyTest, BuffersShorterThanTheLayoutAreRefused)
{
    const struct
    {
        bool get;
        DWORD id;
        DWORD size;
    } cases[] = { { true, 0, 47 }, { false, 1, 47 }, { true, 2, 55 }, { false, 3, 47 },
                  { true, 4, 47 }, { false, 5, 47 }, { true, 6, 303 }, { false, 6, 303 } };
    for (const auto& c : cases)
        EXPECT_EQ((HRESULT)0x8007007A, Send(c.get, c.id, c.size)) << c.id << " " << c.size;
}

TEST_F(SimCardPropertyTest, GetReportsTheLayoutSize)
{
    DWORD words = 0;
    ASSERT_EQ(S_OK, bus.ReadIdWords(&words));
    EXPECT_EQ(0x00012388u, words);
    EXPECT_EQ(48u, bus.lastReturned);
    std::vector<BYTE> bytes;
    ASSERT_EQ(S_OK, bus.Read(0xA0, 4, &bytes));
    EXPECT_EQ(304u, bus.lastReturned);
}

TEST_F(SimCardPropertyTest, BlockLengthsOutsideTheBlockAreRefused)
{
    std::vector<BYTE> bytes;
    EXPECT_EQ((HRESULT)0x80070018, bus.Read(0xA0, 0, &bytes));
    EXPECT_EQ((HRESULT)0x80070018, bus.Read(0xA0, 257, &bytes));
    EXPECT_EQ((HRESULT)0x80070018, bus.Write({ 0xC0 }));
    EXPECT_EQ(S_OK, bus.Read(0xA0, 256, &bytes));
}

TEST_F(SimCardPropertyTest, AbsentDevicesNack)
{
    DWORD mark = Mark();
    BYTE value = 0;
    EXPECT_EQ((HRESULT)0x8007045D, bus.ReadByte(0x42, 0, &value));
    EXPECT_EQ((HRESULT)0x8007045D, bus.Write({ 0x42, 0x00, 0x01 }));
    EXPECT_TRUE(Traced(mark, "N 21 W"));
    std::vector<BYTE> bytes;
    EXPECT_EQ((HRESULT)0x8007045D, bus.Read(0x42, 1, &bytes));
    EXPECT_TRUE(Traced(mark, "N 21 R"));
}

TEST_F(SimCardPropertyTest, NackSwitchAndExtraAddresses)
{
    Make([](SimConfig& c) { CSimConfig::ParseAckList("96 B6", &c); });
    BYTE value = 0xEE;
    EXPECT_EQ(S_OK, bus.ReadByte(0xB6, 0, &value));
    EXPECT_EQ(0x00, value);
    EXPECT_EQ(S_OK, bus.WriteByte(0x96, 0, 0x80));

    ASSERT_EQ(S_OK, card->SetNack(0xC0, true));
    std::vector<BYTE> bytes;
    EXPECT_EQ((HRESULT)0x8007045D, bus.Read(0xC1, 1, &bytes));
    ASSERT_EQ(S_OK, card->SetNack(0xC1, false));
    EXPECT_EQ(S_OK, bus.Read(0xC1, 1, &bytes));
}

TEST_F(SimCardPropertyTest, InjectedFailuresComeBeforeTheCard)
{
    ASSERT_EQ(S_OK, card->SetFault(4, E_FAIL, 2));
    DWORD mark = Mark();
    EXPECT_EQ(E_FAIL, bus.WriteGpio(0x7000, 0x3000));
    EXPECT_EQ(E_FAIL, bus.WriteGpio(0x7000, 0x3000));
    EXPECT_TRUE(Traced(mark, "! fail prop=4 hr=80004005"));
    EXPECT_FALSE(Traced(mark, "S4"));
    EXPECT_EQ(S_OK, bus.WriteGpio(0x7000, 0x3000));
}

TEST_F(SimCardPropertyTest, EepromReadsWritesAndWraps)
{
    BYTE value = 0;
    ASSERT_EQ(S_OK, bus.ReadByte(0xA0, 0x21, &value));
    EXPECT_EQ(0x0B, value);
    ASSERT_EQ(S_OK, bus.ReadByte(0xA0, 0x120, &value));
    EXPECT_EQ('T', value);

    DWORD mark = Mark();
    ASSERT_EQ(S_OK, bus.WriteByte(0xA0, 0x21, 0x5C));
    EXPECT_TRUE(Traced(mark, "E [21]=5C"));
    ASSERT_EQ(S_OK, bus.ReadByte(0xA0, 0x21, &value));
    EXPECT_EQ(0x5C, value);

    ASSERT_EQ(S_OK, bus.Write({ 0xA0, 0xFF, 0x11, 0x22 }));
    std::vector<BYTE> bytes;
    ASSERT_EQ(S_OK, bus.Write({ 0xA0, 0xFE }));
    ASSERT_EQ(S_OK, bus.Read(0xA0, 4, &bytes));
    EXPECT_EQ((std::vector<BYTE>{ 0xFF, 0x11, 0x22, 0xFF }), bytes);
}

TEST_F(SimCardPropertyTest, ControlPropertiesAreTraced)
{
    DWORD mark = Mark();
    ASSERT_EQ(S_OK, bus.BusControl(1, 0x01));
    ASSERT_EQ(S_OK, bus.BusControl(3, 0x01));
    EXPECT_TRUE(Traced(mark, "B1 01"));
    EXPECT_TRUE(Traced(mark, "B3 01"));
}

TEST_F(SimCardPropertyTest, LevelTwoTracesRawCallsAndGpioReads)
{
    ASSERT_EQ(S_OK, card->SetTraceLevel(2));
    DWORD mark = Mark();
    DWORD value = 0;
    ASSERT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
    EXPECT_TRUE(Traced(mark, "P test Get 4 inst=+24 cb=48"));
    EXPECT_TRUE(Traced(mark, "G4 -> 00008E00"));
    ASSERT_EQ(S_OK, card->SetTraceLevel(1));
    mark = Mark();
    ASSERT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
    EXPECT_EQ("", TraceFrom(mark));
}

TEST_F(SimCardPropertyTest, TraceRingReportsLostLines)
{
    for (int i = 0; i < 4100; ++i)
        bus.BusControl(1, 0x01);
    std::string text = TraceFrom(1);
    EXPECT_EQ(0u, text.find("lost=4\n5=B1 01\n"));
    ASSERT_EQ(S_OK, card->ClearTrace());
    EXPECT_EQ("", TraceFrom(1));
}

TEST_F(SimCardPropertyTest, TheEventPropertiesBelongToTheCardWhoseDriverSignals)
{
    BYTE buffer[48] = {};
    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    DWORD value = (DWORD)(ULONG_PTR)event;
    memcpy(buffer + 24, &value, sizeof(value));
    EXPECT_EQ((HRESULT)0x80070490, card->Property("test", false, 7, 24, buffer, sizeof(buffer), NULL));

    Make([](SimConfig& c) { c.family = SIM_FAMILY_713X_IO; });
    DWORD support = 0;
    EXPECT_EQ(S_OK, CSimCard::QuerySupport(9, &support, true));
    EXPECT_EQ((DWORD)CSimCard::SUPPORT_SET, support);
    ASSERT_EQ(S_OK, card->Property("test", false, 7, 24, buffer, sizeof(buffer), NULL));
    // Only a started driver signals.
    EXPECT_EQ(E_FAIL, card->SignalDriverEvent());
    ASSERT_EQ(S_OK, card->Property("test", false, 8, 24, buffer, sizeof(buffer), NULL));
    EXPECT_EQ(S_OK, card->SignalDriverEvent());
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(event, 0));
    ASSERT_EQ(S_OK, card->Property("test", false, 9, 24, buffer, 40, NULL));
    EXPECT_EQ(E_FAIL, card->SignalDriverEvent());
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    // A closed event is reported, not signalled.
    ASSERT_EQ(S_OK, card->Property("test", false, 8, 24, buffer, sizeof(buffer), NULL));
    CloseHandle(event);
    EXPECT_EQ(E_FAIL, card->SignalDriverEvent());
}
