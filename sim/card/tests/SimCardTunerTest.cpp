#include "SimCardFixture.h"

namespace
{
struct TuningCase
{
    std::vector<BYTE> write;
    const char* trace;
    BYTE status;
    LONG hlock;
};
}

class SimCardTunerTest : public SimCardFixture
{
};

// The type-11 module at 0xC0/0xC1: what each tuning write decodes to and reads back.
TEST_F(SimCardTunerTest, Type11WritesDecodeAndReadBackTheirStatus)
{
    const TuningCase cases[] = {
        { { 0xC0, 0x05, 0x8A, 0xCE, 0xA0 }, "T TV N=1418 t=49725 band=1 ok d=+25", 0x42, 1 },
        { { 0xC0, 0x1F, 0xE2, 0xCE, 0x30 }, "T TV N=8162 t=471225 band=3 ok d=+25", 0x42, 1 },
        { { 0xC0, 0x1F, 0xE0, 0xCE, 0x30 }, "T TV N=8160 t=471100 band=3 ok d=+150", 0x44, 1 },
        { { 0xC0, 0x1F, 0xE1, 0xCE, 0x30 }, "T TV N=8161 t=471162.5 band=3 ok d=+87.5", 0x43, 1 },
        { { 0xC0, 0x1F, 0xE3, 0xCE, 0x30 }, "T TV N=8163 t=471287.5 band=3 ok d=-37.5", 0x41, 1 },
        { { 0xC0, 0x1F, 0xE4, 0xCE, 0x30 }, "T TV N=8164 t=471350 band=3 ok d=-100", 0x40, 1 },
        { { 0xC0, 0x06, 0x0A, 0xCE, 0xA0 }, "T TV N=1546 t=57725 band=1 ok d=-7975", 0x40, 0 },
        { { 0xC0, 0x1F, 0xE2, 0xCE, 0xA0 }, "T TV N=8162 t=471225 band=1 bad d=+25", 0x02, 0 },
        { { 0xC0, 0x0D, 0x0E, 0xCE, 0x90 }, "T TV N=3342 t=169975 band=2 ok", 0x40, 0 },
        { { 0xC0, 0x0D, 0x0E, 0xCE, 0xA0 }, "T TV N=3342 t=169975 band=1 ok", 0x40, 0 },
        { { 0xC0, 0x0D, 0xD6, 0x8A, 0xA5 }, "T FM N=3542 t=99987.5 d=+12.5", 0x44, 0 },
        { { 0xC0, 0x0C, 0x96, 0x8A, 0xA5 }, "T FM N=3222 t=89987.5 d=+12.5", 0x44, 0 },
        { { 0xC0, 0x0C, 0x99, 0x8A, 0xA5 }, "T FM N=3225 t=90081.25 d=-81.25", 0x40, 0 },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        DWORD mark = Mark();
        Tune(cases[i].write);
        EXPECT_TRUE(Traced(mark, cases[i].trace)) << TraceFrom(mark);
        EXPECT_EQ(cases[i].status, bus.Status(0xC1));
        EXPECT_EQ(cases[i].hlock, HLock());
    }
}

TEST_F(SimCardTunerTest, BusTraceShowsTheWriteInSevenBitForm)
{
    DWORD mark = Mark();
    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 });
    EXPECT_EQ(0u, TraceFrom(mark).find(std::to_string(mark) + "=W 60 1F E2 CE 30\n"));
    bus.Status(0xC1);
    EXPECT_TRUE(Traced(mark, "R 60 -> 42"));
}

TEST_F(SimCardTunerTest, StatusHasNoLockBitUntilTheLockTimeHasPassed)
{
    ASSERT_EQ(S_OK, bus.Write({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 }));
    clock.AdvanceMs(9);
    EXPECT_EQ(0x02, bus.Status(0xC1));
    EXPECT_EQ(0, HLock());
    clock.AdvanceMs(1);
    EXPECT_EQ(0x42, bus.Status(0xC1));
}

TEST_F(SimCardTunerTest, StatusIsZeroBeforeTheFirstTuningWrite)
{
    EXPECT_EQ(0x00, bus.Status(0xC1));
    EXPECT_EQ(0, HLock());
}

TEST_F(SimCardTunerTest, ShortWritesAreIgnoredAndControlFirstKeepsTheDivider)
{
    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 });
    DWORD mark = Mark();
    Tune({ 0xC0, 0x1F, 0xE2 });
    EXPECT_TRUE(Traced(mark, "T ignored n=2"));
    EXPECT_EQ(0x42, bus.Status(0xC1));

    // Control byte first: the band byte changes, the divider stays and keeps its lock.
    Tune({ 0xC0, 0xCE, 0xA0 });
    EXPECT_TRUE(Traced(mark, "T TV N=8162 t=471225 band=1 bad"));
    EXPECT_EQ(0x02, bus.Status(0xC1));
}

TEST_F(SimCardTunerTest, StationsOutsideTheAfcWindowReadAsNoStation)
{
    Make([](SimConfig& c) { c.afcWindowKHz = 100; });
    Tune({ 0xC0, 0x1F, 0xE0, 0xCE, 0x30 });     // d = +150
    EXPECT_EQ(0x40, bus.Status(0xC1));
    Tune({ 0xC0, 0x1F, 0xE3, 0xCE, 0x30 });     // d = -37.5
    EXPECT_EQ(0x41, bus.Status(0xC1));
}

TEST_F(SimCardTunerTest, UnknownProfileFallsBackToType4)
{
    Make([](SimConfig& c) { c.eeprom[0x21] = 37; });
    DWORD mark = Mark();
    Tune({ 0xC0, 0x05, 0x8A, 0xCE, 0x01 });
    EXPECT_TRUE(Traced(mark, "! no profile 37"));
    EXPECT_TRUE(Traced(mark, "T TV N=1418 t=49725 band=1 ok d=+25"));
    EXPECT_EQ(0x42, bus.Status(0xC1));
}

TEST_F(SimCardTunerTest, ProfileValueOverridesTheEeprom)
{
    for (DWORD eepromType : { 0u, 255u, 11u }) {
        SCOPED_TRACE(eepromType);
        Make([&](SimConfig& c) {
            c.eeprom[0x21] = (BYTE)eepromType;
            c.profile = 4;
        });
        Tune({ 0xC0, 0x05, 0x8A, 0xCE, 0x01 });
        EXPECT_EQ(0x42, bus.Status(0xC1));
    }
}

// Type 4 on a card whose PLL answers at 0xC2/0xC3.
TEST_F(SimCardTunerTest, Type4AtAnotherAddressAnswersThereOnly)
{
    Make([](SimConfig& c) {
        c.eeprom[0x21] = 4;
        c.pllAddr = 0xC2;
    });
    std::vector<BYTE> bytes;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), bus.Read(0xC1, 1, &bytes));

    std::vector<BYTE> answering;
    for (int a = 0; a < 256; ++a) {
        if (SUCCEEDED(bus.Read((BYTE)a, 1, &bytes)))
            answering.push_back((BYTE)a);
    }
    EXPECT_EQ((std::vector<BYTE>{ 0xA0, 0xA1, 0xC2, 0xC3 }), answering);

    DWORD mark = Mark();
    Tune({ 0xC2, 0x05, 0x8A, 0xCE, 0x01 });
    EXPECT_TRUE(Traced(mark, "W 61 05 8A CE 01"));
    EXPECT_TRUE(Traced(mark, "T TV N=1418 t=49725 band=1 ok d=+25"));
    EXPECT_EQ(0x42, bus.Status(0xC3));
}

class SimCardDemodTest : public SimCardFixture
{
protected:
    void SetUp() override { Make([](SimConfig& c) { c.eeprom[0x21] = 92; }); }

    void SetStandard(BYTE r0, BYTE r1, BYTE r2)
    {
        ASSERT_EQ(S_OK, bus.WriteByte(0x86, 0, r0));
        ASSERT_EQ(S_OK, bus.WriteByte(0x86, 1, r1));
        ASSERT_EQ(S_OK, bus.WriteByte(0x86, 2, r2));
    }
};

TEST_F(SimCardDemodTest, DemodulatorJoinsTheBusWithItsProfile)
{
    std::vector<BYTE> bytes;
    EXPECT_EQ(S_OK, bus.Read(0x87, 1, &bytes));
    Make([](SimConfig& c) { c.eeprom[0x21] = 11; });
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), bus.Read(0x87, 1, &bytes));
    Make([](SimConfig& c) {
        c.eeprom[0x21] = 11;
        c.demod = 1;
    });
    EXPECT_EQ(S_OK, bus.Read(0x87, 1, &bytes));
    Make([](SimConfig& c) {
        c.eeprom[0x21] = 92;
        c.demod = 0;
    });
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), bus.Read(0x87, 1, &bytes));
}

TEST_F(SimCardDemodTest, StatusCarriesTheAfcOffset)
{
    DWORD mark = Mark();
    SetStandard(0x16, 0x70, 0x4B);
    EXPECT_TRUE(Traced(mark, "D r0=16 r1=70 r2=4B"));

    struct
    {
        std::vector<BYTE> write;
        BYTE status;
    } cases[] = {
        { { 0xC0, 0x1F, 0xE2, 0xCE, 0x04, 0xA0 }, 0xC0 },   // d = +25, a = 0
        { { 0xC0, 0x1F, 0xE0, 0xCE, 0x04, 0xA0 }, 0xC8 },   // d = +150, a = 4
        { { 0xC0, 0x1F, 0xE4, 0xCE, 0x04, 0xA0 }, 0xD8 },   // d = -100, a = 12
        { { 0xC0, 0x06, 0x0A, 0xCE, 0x01, 0xA0 }, 0x10 },   // no station
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        Tune(cases[i].write);
        EXPECT_EQ(cases[i].status, bus.Status(0x87));
    }
}

TEST_F(SimCardDemodTest, StatusIsEmptyWhileTheSynthesizerSettles)
{
    ASSERT_EQ(S_OK, bus.Write({ 0xC0, 0x1F, 0xE2, 0xCE, 0x04, 0xA0 }));
    EXPECT_EQ(0x10, bus.Status(0x87));
}

TEST_F(SimCardDemodTest, SecamLPrimeMovesTheIntermediateFrequency)
{
    SetStandard(0x86, 0x50, 0x53);
    DWORD mark = Mark();
    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x04, 0x20 });
    EXPECT_TRUE(Traced(mark, "T TV N=8162 t=476225 band=3 ok")) << TraceFrom(mark);
}

TEST_F(SimCardDemodTest, RadioSetUpThenFmTuningLocks)
{
    DWORD mark = Mark();
    Tune({ 0xC0, 0x08, 0xFF, 0x8E, 0x01 });
    EXPECT_EQ(0x00, bus.Status(0xC1));
    Tune({ 0xC0, 0x08, 0xFF, 0x8E, 0x19 });
    ASSERT_EQ(S_OK, bus.Write({ 0x86, 0x00, 0x5A, 0x90, 0x20 }));
    Tune({ 0xC0, 0x08, 0xA6, 0x88, 0x19 });
    EXPECT_TRUE(Traced(mark, "T SETUP CB=8E BB=01"));
    EXPECT_TRUE(Traced(mark, "T SETUP CB=8E BB=19"));
    EXPECT_TRUE(Traced(mark, "D r0=5A r1=90 r2=20"));
    EXPECT_TRUE(Traced(mark, "T FM N=2214 t=100000 d=+0")) << TraceFrom(mark);
    EXPECT_EQ(0x44, bus.Status(0xC1));
    // FM station in range, within 2 x the FM window: in range and FM.
    EXPECT_EQ(0xA0, bus.Status(0x87));
}

// A profile whose FM pair equals a TV pair tells them apart by the radio set-up bytes.
TEST_F(SimCardDemodTest, SharedPairIsFmOnlyAfterTheRadioSetUp)
{
    SimTunerProfile p;
    ASSERT_TRUE(CSimConfig::ParseProfile("id=98 if=45750 split=160000,442000 bands=01,02,04 cb=CE "
                                         "fm=CE,01,10700,31.25 codes=4,3,2,1,0 fmlock=4 demod=1",
                                         &p));
    Make([&](SimConfig& c) {
        CSimConfig::AddProfile(&c, p);
        c.profile = 98;
    });
    DWORD mark = Mark();
    Tune({ 0xC0, 0x0D, 0xD6, 0xCE, 0x01 });
    EXPECT_TRUE(Traced(mark, "T TV N=3542"));
    ASSERT_EQ(S_OK, bus.Write({ 0x86, 0x00, 0x0A, 0x90, 0x20 }));
    mark = Mark();
    Tune({ 0xC0, 0x0D, 0xD6, 0xCE, 0x01 });
    EXPECT_TRUE(Traced(mark, "T FM N=3542 t=99987.5")) << TraceFrom(mark);
}

// The scan threads' AFC search on a type-11 module, step by step as the host runs it:
// each in-tune reading is confirmed by the picture lock, each other code moves the
// frequency, and the search must end on the station.
class SimCardScanTest : public SimCardFixture
{
protected:
    void TuneTo(float kHz)
    {
        DWORD divider = (DWORD)((38900.0f + kHz) * 0.016f);
        BYTE band = kHz < 170000 ? 0xA0 : (kHz < 450000 ? 0x90 : 0x30);
        Tune({ 0xC0, (BYTE)(divider >> 8), (BYTE)divider, 0xCE, band });
        clock.AdvanceMs(50);
    }

    bool InTuneAndLocked()
    {
        BYTE status = bus.Status(0xC1);
        return (status & 0x40) != 0 && (status & 7) == 2 && HLock() == 1;
    }

    // Found frequency, or 0.
    DWORD Search(float lo, float hi, float f)
    {
        TuneTo(f);
        if (InTuneAndLocked())
            return (DWORD)f;
        std::vector<float> history;
        for (float c = lo; c <= hi && c >= lo;) {
            for (float h : history) {
                if (h == c)
                    return (DWORD)c;
            }
            history.insert(history.begin(), c);
            if (history.size() > 4)
                history.pop_back();
            TuneTo(c);
            BYTE status = bus.Status(0xC1);
            if ((status & 0x40) == 0) {
                c += 375;
                continue;
            }
            switch (status & 7) {
            case 0: c -= 125; break;
            case 1: c -= 62.5f; break;
            case 2:
                if (HLock() == 1)
                    return (DWORD)c;
                break;
            case 3: c += 62.5f; break;
            default: c += 125; break;
            }
        }
        return 0;
    }
};

TEST_F(SimCardScanTest, AfcSearchEndsOnTheStation)
{
    const struct
    {
        float centre;
        float halfWidth;
        DWORD found;
    } cases[] = {
        { 49750, 625, 49750 },      // table entries
        { 57750, 625, 0 },
        { 471250, 625, 471250 },
        { 50250, 1000, 49750 },     // sweep window whose direct try reads -125
        { 48250, 1000, 0 },         // the station lies above the window
        { 470250, 1000, 471250 },
        { 472250, 1000, 471250 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, Search(c.centre - c.halfWidth, c.centre + c.halfWidth, c.centre)) << c.centre;
}
