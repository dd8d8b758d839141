#include "SimCardFixture.h"

// The tuner chips that are not PLL modules, as their bus protocols decode on the card.
class SimCardChipTest : public SimCardFixture
{
protected:
    void MakeWithProfile(DWORD profile)
    {
        Make([profile](SimConfig& c) {
            c.profile = profile;
            c.pllAddr = 0xC2;
        });
    }
};

TEST_F(SimCardChipTest, TheSiliconChipAnswersOnlyThroughItsOpenGate)
{
    MakeWithProfile(95);
    EXPECT_NE(S_OK, bus.WriteByte(0xC2, 0x00, 0x1D));
    ASSERT_EQ(S_OK, bus.WriteByte(0x96, 33, 0xC0));
    EXPECT_EQ(S_OK, bus.WriteByte(0xC2, 0x00, 0x1D));
    ASSERT_EQ(S_OK, bus.WriteByte(0x96, 33, 0x80));
    EXPECT_NE(S_OK, bus.WriteByte(0xC2, 0x00, 0x1D));
    // The PLL module's demodulator is not on this card.
    BYTE value = 0;
    EXPECT_NE(S_OK, bus.ReadByte(0x86, 0, &value));
}

TEST_F(SimCardChipTest, TheSiliconChipTunesFromItsDividerMultiplierAndStandardCode)
{
    struct Case
    {
        BYTE code, high, low, band;
        const char* trace;
        LONG hlock;
    };
    const Case cases[] = {
        // PAL D: 1916 x 250 kHz less 7.75 MHz.
        {0x10, 0x1D, 0xF0, 0x03, "T SI N=1916 t=471250 d=+0", 1},
        // Multiplier 16, NTSC offset 5.75 MHz: 3680 x 15.625 kHz less 5.75 MHz.
        {0x01, 0x39, 0x80, 0x90, "T SI N=3680 t=51750 d=-2000", 0},
        // Multiplier 4: the oscillator a quarter-step apart.
        {0x10, 0x1D, 0xF4, 0x03, "T SI N=1917 t=471500 d=-250", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trace);
        MakeWithProfile(95);
        bus.WriteByte(0x96, 1, c.code);
        bus.WriteByte(0x96, 33, 0xC0);
        bus.WriteByte(0xC2, 0x00, c.high);
        bus.WriteByte(0xC2, 0x10, c.low);
        bus.WriteByte(0xC2, 0x40, c.band);
        DWORD mark = Mark();
        bus.WriteByte(0xC2, 0x80, 0x08);
        EXPECT_TRUE(Traced(mark, c.trace)) << TraceFrom(mark);
        clock.AdvanceMs(10);
        EXPECT_EQ(c.hlock, HLock());
        BYTE afc = 0, level = 0;
        ASSERT_EQ(S_OK, bus.ReadByte(0x96, 25, &afc));
        ASSERT_EQ(S_OK, bus.ReadByte(0x96, 28, &level));
        EXPECT_EQ(c.hlock != 0, (afc & 0x80) != 0);
        EXPECT_EQ(c.hlock ? 40 : 127, level);
    }
}

TEST_F(SimCardChipTest, TheRegisterTableChipNamesItsTablesAndLocksAfterOne)
{
    MakeWithProfile(91);
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x00, 0x00, 0x75, 0xD0}));
    clock.AdvanceMs(10);
    // No table yet: no lock.
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x00, 0x02}));
    std::vector<BYTE> answer;
    ASSERT_EQ(S_OK, bus.Read(0xC2, 4, &answer));
    EXPECT_EQ(0, answer[1]);

    DWORD mark = Mark();
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0xFE, 'D', 'K'}));
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x12, 0x34, 0x56}));
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x00, 0x00, 0x75, 0xD0}));
    EXPECT_TRUE(Traced(mark, "C table DK"));
    EXPECT_TRUE(Traced(mark, "C loaded DK writes=2"));
    EXPECT_TRUE(Traced(mark, "T XC N=30160 t=471250 d=+0")) << TraceFrom(mark);
    clock.AdvanceMs(10);
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x00, 0x02}));
    ASSERT_EQ(S_OK, bus.Read(0xC2, 4, &answer));
    EXPECT_EQ(0x00, answer[0]);
    EXPECT_EQ(0x01, answer[1]);
    EXPECT_EQ(1, HLock());

    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x00, 0x00, 0x76, 0x00}));
    clock.AdvanceMs(10);
    ASSERT_EQ(S_OK, bus.Write({0xC2, 0x00, 0x02}));
    ASSERT_EQ(S_OK, bus.Read(0xC2, 4, &answer));
    EXPECT_EQ(0x00, answer[1]);
}
