#include <gtest/gtest.h>

#include "ChipBusRecorder.h"
#include "SiliconTuner.h"
#include "TunerI2CSink.h"
#include "TunerPHILIPSTDA8275A.h"

#include <strmif.h>

#include <string>

namespace {

typedef ChipBusRecorder::Lines Lines;

const BYTE kLocked = 0x80;      // AFC register: lock bit, AFC value 0
const BYTE kStrong = 50;        // level register: a usable carrier

// A demodulator that is never busy and reads the given AFC and level.
void Answer(ChipBusRecorder& bus, BYTE afc, BYTE level)
{
    bus.byteAnswer = [afc, level](BYTE, DWORD reg) -> BYTE {
        if (reg == CSiliconTuner::kDemodAfc)
            return afc;
        if (reg == CSiliconTuner::kDemodLevel)
            return level;
        return 0;
    };
}

// The lines from the first one equal to from on.
Lines From(const Lines& lines, const std::string& from)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == from)
            return Lines(lines.begin() + i, lines.end());
    }
    return Lines();
}

// The value of the first write of a chip register: "1D".
std::string FirstChipWrite(const Lines& lines, const char* reg)
{
    std::string prefix = std::string("B C2 ") + reg + " ";
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    }
    return "";
}

// The chip writes of the second pass: from the second opening write of register 7 up to
// the gate's closing.
Lines SecondPass(const Lines& lines)
{
    Lines pass = From(lines, "B C2 07 26");
    pass = From(Lines(pass.begin() + (pass.empty() ? 0 : 1), pass.end()), "B C2 07 26");
    Lines chip;
    for (const std::string& line : pass) {
        if (line == "B 96 21 80")
            break;
        if (line.compare(0, 5, "B C2 ") == 0)
            chip.push_back(line);
    }
    return chip;
}

// Programming bytes 0, 1, 3, 4, 5 and 13 as the pass first writes them.
std::string ProgrammingBytes(const Lines& lines)
{
    return FirstChipWrite(lines, "00") + " " + FirstChipWrite(lines, "10") + " " + FirstChipWrite(lines, "30") + " " +
           FirstChipWrite(lines, "40") + " " + FirstChipWrite(lines, "50") + " " + FirstChipWrite(lines, "C0");
}

// The values written to register 0x30 after the programming write: the calibration steps.
std::string CalibrationWrites(const Lines& lines)
{
    std::string values;
    bool programmed = false;
    for (const std::string& line : lines) {
        if (line.compare(0, 8, "B C2 30 ") != 0)
            continue;
        if (programmed)
            values += (values.empty() ? "" : " ") + line.substr(8);
        programmed = true;
    }
    return values;
}

} // namespace

// Both passes' divider, band codes and standard bits, with the band row at its edges and at
// the top of the band under every IF offset. The second pass sends the same programming bytes
// and ends its calibration with band code C folded into register 0x30.
TEST(SiliconTuner, ProgrammingBytesFollowTheBandTableAndTheStandard)
{
    struct Case
    {
        DWORD hz;
        int standard;
        int row;                    // band row, from 1
        const char* bytes;          // programming bytes 0, 1, 3, 4, 5 and 13
        const char* second;         // the second pass's, then its four later writes of 0x30
    };
    const Case cases[] = {
        {40000000, AnalogVideo_NTSC_M, 1, "2D C0 10 90 30 02", "2D C0 10 90 30 02 90 14 10 10"},
        // f + IF on the upper edge of row 1, and one Hz above it.
        {42000000, AnalogVideo_PAL_B, 1, "30 C0 10 90 30 04", "30 C0 10 90 30 04 90 14 10 10"},
        {42000001, AnalogVideo_PAL_B, 2, "30 C0 10 98 30 04", "30 C0 10 98 30 04 90 14 10 10"},
        {49750000, AnalogVideo_PAL_D, 3, "1C C0 10 60 30 00", "1C C0 10 60 30 00 90 14 10 10"},
        {187250000, AnalogVideo_PAL_I, 11, "30 C0 10 52 10 00", "30 C0 10 52 10 00 90 14 10 10"},
        {471250000, AnalogVideo_PAL_D, 17, "1D F0 10 03 10 00", "1D F0 10 03 10 00 90 14 10 10"},
        {862250000, AnalogVideo_PAL_G, 25, "36 60 11 1C 00 00", "36 60 11 1C 00 00 91 15 11 11"},
        // 863.25 MHz: the 25th row up to 870 MHz, the stored 26th above it.
        {863250000, AnalogVideo_NTSC_M, 25, "36 50 11 1C 00 02", "36 50 11 1C 00 02 91 15 11 11"},
        {863250000, AnalogVideo_PAL_B, 25, "36 60 11 1C 00 04", "36 60 11 1C 00 04 91 15 11 11"},
        {863250000, AnalogVideo_PAL_D, 26, "36 70 12 1C 00 00", "36 70 12 1C 00 00 92 16 12 12"},
        {863250000, AnalogVideo_SECAM_L, 26, "36 70 12 1C 00 00", "36 70 12 1C 00 00 92 16 12 12"},
        {863250000, AnalogVideo_SECAM_L1, 25, "36 10 11 1C 00 00", "36 10 11 1C 00 00 91 15 11 11"},
        {865000000, AnalogVideo_PAL_I, 26, "36 8C 12 1C 00 00", "36 8C 12 1C 00 00 92 16 12 12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hz) + " Hz, row " + std::to_string(c.row));
        ChipBusRecorder bus;
        Answer(bus, kLocked, kStrong);
        CTunerI2CSink sink(&bus);
        CSiliconTuner chip(&sink);
        chip.SelectStandard(c.standard);
        EXPECT_TRUE(chip.Tune(c.hz, chip.Prepare()));
        const Lines& lines = bus.Calls();
        EXPECT_EQ(c.bytes, ProgrammingBytes(lines));
        Lines second = SecondPass(lines);
        EXPECT_EQ(c.second, ProgrammingBytes(second) + " " + CalibrationWrites(second));
    }
}

// A whole tuning through the model: the demodulator's preparation, both passes with their
// calibration waits, the indicators and the finish, in order.
TEST(SiliconTuner, ModelTuningWritesBothPassesInOrder)
{
    ChipBusRecorder bus;
    Answer(bus, kLocked, kStrong);
    CTunerPHILIPSTDA8275A model(&bus);
    EXPECT_TRUE(model.SetVideoStandard(AnalogVideo_PAL_D));
    const Lines initialise = {"B 96 00 01", "B 96 07 00", "B 96 30 2F", "B 96 20 0B", "B 96 07 00", "B 96 01 10"};
    EXPECT_EQ(initialise, bus.Calls());
    bus.Clear();

    EXPECT_TRUE(model.SetTvFrequency(471250));

    const Lines expected = {
        // Prepare.
        "B 96 07 00", "B 96 01 10", "B 96 16 07", "B 96 01 90", "B 96 0F 88", "B 96 28 14", "B 96 05 02",
        "B 96 0D 47", "B 96 0E 11", "B 96 28 54", "B 96 05 01",
        // First pass.
        "B 96 21 C0", "B C2 07 26", "B C2 00 1D", "B C2 10 F0", "B C2 20 00", "B C2 30 10", "B C2 40 03",
        "B C2 50 10", "B C2 60 20", "B C2 70 00", "B C2 80 00", "B C2 90 00", "B C2 A0 00", "B C2 B0 00",
        "B C2 C0 00", "B C2 80 04", "B C2 30 90", "wait 1", "B C2 30 14", "wait 1", "B C2 30 10", "wait 100",
        "B C2 80 0C", "B 96 21 80",
        // Busy bit clear at once; restore.
        "RB 96 18", "B 96 0E 09", "B 96 05 02", "B 96 0F 88", "B 96 28 14", "B 96 0D 47",
        // Second pass.
        "B 96 21 C0", "B C2 07 26", "B C2 00 1D", "B C2 10 F0", "B C2 20 00", "B C2 30 10", "B C2 40 03",
        "B C2 50 10", "B C2 60 00", "B C2 70 00", "B C2 80 0C", "B C2 90 00", "B C2 A0 00", "B C2 B0 00",
        "B C2 C0 00", "B C2 80 00", "B C2 60 30", "B C2 30 90", "wait 1", "B C2 30 14", "wait 1", "B C2 30 10",
        "wait 550", "B C2 30 10", "B C2 80 08", "B 96 21 80",
        // Indicators: locked with a usable level, so no retries; then the finish.
        "B 96 16 03", "RB 96 19", "RB 96 1C", "wait 50", "B 96 0F 82",
    };
    EXPECT_EQ(expected, bus.Calls());
}

TEST(SiliconTuner, StandardsChooseTheirCodeAndIfOffset)
{
    struct Case
    {
        int standard;
        int code;
        DWORD ifOffset;
        int kept;
    };
    const Case cases[] = {
        {AnalogVideo_NTSC_M, 1, 5750000, AnalogVideo_NTSC_M},
        {AnalogVideo_NTSC_M_J, 1, 5750000, AnalogVideo_NTSC_M_J},
        {AnalogVideo_PAL_M, 1, 5750000, AnalogVideo_PAL_M},
        {AnalogVideo_PAL_N, 1, 5750000, AnalogVideo_PAL_N},
        {AnalogVideo_PAL_N_COMBO, 1, 5750000, AnalogVideo_PAL_N_COMBO},
        {AnalogVideo_PAL_B, 2, 6750000, AnalogVideo_PAL_B},
        {AnalogVideo_SECAM_B, 2, 6750000, AnalogVideo_SECAM_B},
        {AnalogVideo_PAL_G, 4, 7750000, AnalogVideo_PAL_G},
        {AnalogVideo_PAL_H, 4, 7750000, AnalogVideo_PAL_H},
        {AnalogVideo_SECAM_G, 4, 7750000, AnalogVideo_SECAM_G},
        {AnalogVideo_SECAM_H, 4, 7750000, AnalogVideo_SECAM_H},
        {AnalogVideo_PAL_I, 8, 7750000, AnalogVideo_PAL_I},
        {AnalogVideo_PAL_D, 16, 7750000, AnalogVideo_PAL_D},
        {AnalogVideo_SECAM_D, 16, 7750000, AnalogVideo_SECAM_D},
        {AnalogVideo_SECAM_K, 16, 7750000, AnalogVideo_SECAM_K},
        {AnalogVideo_SECAM_L, 32, 7750000, AnalogVideo_SECAM_L},
        {AnalogVideo_SECAM_L1, 64, 1750000, AnalogVideo_SECAM_L1},
        // Anything else is kept as PAL B.
        {AnalogVideo_NTSC_433, 2, 6750000, AnalogVideo_PAL_B},
        {AnalogVideo_SECAM_K1, 2, 6750000, AnalogVideo_PAL_B},
        {AnalogVideo_PAL_D | AnalogVideo_PAL_I, 2, 6750000, AnalogVideo_PAL_B},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.standard);
        ChipBusRecorder bus;
        CTunerI2CSink sink(&bus);
        CSiliconTuner chip(&sink);
        EXPECT_TRUE(chip.SelectStandard(c.standard));
        char code[16];
        snprintf(code, sizeof(code), "B 96 01 %02X", c.code);
        EXPECT_EQ(Lines({"B 96 07 00", code}), bus.Calls());
        EXPECT_EQ(c.code, chip.GetStandardCode());
        EXPECT_EQ(c.ifOffset, chip.GetIfOffset());
        EXPECT_EQ(c.kept, chip.GetStandard());
    }
}

// Neither lock with a usable level nor the AFC in range: three attempts, each with its own
// setting and a wait.
TEST(SiliconTuner, WithoutLockTheIndicatorsAreRetriedThreeTimes)
{
    ChipBusRecorder bus;
    Answer(bus, 0x00, 200);
    CTunerI2CSink sink(&bus);
    CSiliconTuner chip(&sink);
    chip.SelectStandard(AnalogVideo_PAL_D);
    EXPECT_TRUE(chip.Tune(471250000, chip.Prepare()));

    const Lines expected = {
        "B 96 16 03", "RB 96 19", "RB 96 1C",
        "B 96 28 54", "wait 100", "RB 96 19", "RB 96 1C",
        "B 96 21 C0", "B C2 80 0C", "B 96 21 80", "wait 100", "RB 96 19", "RB 96 1C",
        "B 96 05 01", "B 96 0D 27", "wait 100", "RB 96 19", "RB 96 1C",
    };
    EXPECT_EQ(expected, From(bus.Calls(), "B 96 16 03"));
}

TEST(SiliconTuner, AnAfcInRangeOrALockWithLevelEndsTheRetries)
{
    struct Case
    {
        BYTE afc, level;
        bool retried;
    };
    const Case cases[] = {
        {0x14, 200, false},     // AFC value 20: in range
        {0x13, 200, true},      // 19: not
        {0x80, 115, false},     // locked, usable level
        {0x80, 116, true},      // locked, level too weak
        {0x00, 50, true},       // level without lock
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "afc " << (int)c.afc << " level " << (int)c.level);
        ChipBusRecorder bus;
        Answer(bus, c.afc, c.level);
        CTunerI2CSink sink(&bus);
        CSiliconTuner chip(&sink);
        chip.Tune(471250000, chip.Prepare());
        Lines tail = From(bus.Calls(), "B 96 16 03");
        EXPECT_EQ(c.retried ? 18u : 3u, tail.size());
    }
}

TEST(SiliconTuner, AfcValuesGiveTheirSteps)
{
    const BYTE values[] = {0, 18, 19, 37, 38, 63, 64, 90, 91, 109, 110, 127};
    const int steps[] = {0, 0, 1, 1, 2, 2, -2, -2, -1, -1, 0, 0};
    for (size_t i = 0; i < sizeof(values); ++i)
        EXPECT_EQ(steps[i], CSiliconTuner::AfcStep(values[i])) << (int)values[i];
}

TEST(SiliconTuner, ABusyDemodulatorSetsTheLockFailureAfterTenReads)
{
    ChipBusRecorder bus;
    bus.byteAnswer = [](BYTE, DWORD reg) -> BYTE {
        return reg == CSiliconTuner::kDemodStatus ? (BYTE)CSiliconTuner::kDemodBusy : kLocked;
    };
    CTunerI2CSink sink(&bus);
    CSiliconTuner chip(&sink);
    EXPECT_TRUE(chip.Tune(471250000, chip.Prepare()));
    EXPECT_TRUE(chip.LockFailed());

    Lines busy = From(bus.Calls(), "RB 96 18");
    ASSERT_GE(busy.size(), 20u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ("RB 96 18", busy[2 * i]);
        EXPECT_EQ("wait 5", busy[2 * i + 1]);
    }
    EXPECT_EQ("B 96 0E 09", busy[20]);

    // The next tuning that settles clears the flag.
    Answer(bus, kLocked, kStrong);
    EXPECT_TRUE(chip.Tune(471250000, chip.Prepare()));
    EXPECT_FALSE(chip.LockFailed());
}

// A demodulator that never answers ends the tuning after a bounded number of reads instead
// of holding the user-interface or scan thread.
TEST(SiliconTuner, ADemodulatorThatNeverAnswersFailsTheTuning)
{
    ChipBusRecorder bus;
    bus.result = [](const std::string& line) { return line.compare(0, 2, "RB") == 0 ? E_FAIL : S_OK; };
    CTunerPHILIPSTDA8275A model(&bus);

    EXPECT_FALSE(model.SetTvFrequency(471250));

    Lines reads = From(bus.Calls(), "RB 96 18");
    // Three tries of the bus's three, then no second pass.
    ASSERT_GE(reads.size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ("RB 96 18", reads[i]);
    for (size_t i = 9; i < reads.size(); ++i)
        EXPECT_EQ(std::string::npos, reads[i].find("C2")) << reads[i];
}

TEST(SiliconTuner, FinishPulsesTheCarrierUnderSecamLWhenTheCarrierIsSeen)
{
    struct Case
    {
        int standard;
        BYTE level, carrier;
        bool pulse;
    };
    const Case cases[] = {
        {AnalogVideo_SECAM_L, 21, 0x80, true},
        {AnalogVideo_SECAM_L1, 0, 0x7F, true},
        {AnalogVideo_SECAM_L, 20, 0x80, false},
        {AnalogVideo_PAL_D, 30, 0x00, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.standard);
        ChipBusRecorder bus;
        bus.byteAnswer = [c](BYTE, DWORD reg) -> BYTE {
            if (reg == CSiliconTuner::kDemodSecamLevel)
                return c.level;
            if (reg == CSiliconTuner::kDemodSecamCarrier)
                return c.carrier;
            return reg == CSiliconTuner::kDemodAfc ? kLocked : (BYTE)0;
        };
        CTunerI2CSink sink(&bus);
        CSiliconTuner chip(&sink);
        chip.SelectStandard(c.standard);
        int mode = chip.Prepare();
        chip.Tune(471250000, mode);
        bus.Clear();
        chip.Finish(mode);
        Lines expected;
        if (c.standard != AnalogVideo_PAL_D)
            expected = {"RB 96 1A", "RB 96 1B"};
        if (c.pulse)
            expected.insert(expected.end(), {"B 96 0E 0B", "B 96 0E 09"});
        expected.push_back("B 96 0F 82");
        EXPECT_EQ(expected, bus.Calls());
    }
}

TEST(SiliconTuner, TheSinkTriesByteTransfersThreeTimes)
{
    ChipBusRecorder bus;
    int failures = 2;
    bus.result = [&failures](const std::string&) { return failures-- > 0 ? E_FAIL : S_OK; };
    bus.byteAnswer = [](BYTE, DWORD) { return (BYTE)0x5A; };
    CTunerI2CSink sink(&bus);

    EXPECT_TRUE(sink.WriteRegister(0x96, 0x21, 0xC0));
    EXPECT_EQ(Lines({"B 96 21 C0", "B 96 21 C0", "B 96 21 C0"}), bus.Calls());

    bus.Clear();
    failures = 3;
    BYTE value = 0;
    EXPECT_FALSE(sink.ReadRegister(0x96, 0x18, &value));
    EXPECT_EQ(3u, bus.Calls().size());
    EXPECT_TRUE(sink.ReadRegister(0x96, 0x18, &value));
    EXPECT_EQ(0x5A, value);

    bus.Clear();
    const BYTE data[] = {0x10, 0x20};
    EXPECT_TRUE(sink.WriteBlock(0xC2, data, 2));
    EXPECT_EQ(Lines({"W C2 10 20"}), bus.Calls());

    CTunerI2CSink none(NULL);
    EXPECT_FALSE(none.WriteRegister(0x96, 0, 0));
    EXPECT_FALSE(none.ReadRegister(0x96, 0, &value));
    EXPECT_FALSE(none.WriteBlock(0xC2, data, 2));
}

TEST(SiliconTuner, TheModelWithoutAccessTouchesNothing)
{
    CTunerPHILIPSTDA8275A model(NULL);
    EXPECT_FALSE(model.SetTvFrequency(471250));
    EXPECT_FALSE(model.SetVideoStandard(AnalogVideo_PAL_D));
}
