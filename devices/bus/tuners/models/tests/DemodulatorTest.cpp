#include <gtest/gtest.h>

#include "BusRecorder.h"
#include "CaptureDevice.h"
#include "FakeSignalLock.h"
#include "TunerFM1236MK3.h"
#include "TunerFQ1216ME.h"
#include "TunerFQ1216ME_5.h"
#include "TunerFQ1236F.h"
#include "TunerJS_6B2.h"
#include "TunerLGM200T.h"
#include "TunerLGS200T.h"
#include "TunerMODEL_JS_2PC.h"
#include "TunerPANOSONIC_ENGE4326D.h"
#include "TunerPHILIPS1216.h"
#include "TunerPHILIPSFQ1286.h"
#include "TunerPHILIPSTDA8275A.h"
#include "TunerTCL2002MI_3.h"
#include "TunerTCL9886P_WM.h"
#include "TunerTNJ3321CF.h"
#include "TunerTNJ3321MF.h"
#include "TunerTNJ3321PF.h"
#include "TunerTNJ7752JFF_MK5.h"
#include "TunerTNJ8352PF.h"
#include "TunerTNJ8852CFF.h"

#include <strmif.h>

#include <memory>

namespace {

typedef BusRecorder::Lines Lines;
typedef CTunerModel* (*MakeModel)(CI2CAccess* access);

template <class Model>
CTunerModel* Make(CI2CAccess* access)
{
    return new Model(access);
}

struct StandardRow
{
    const char* set;
    MakeModel make;
    int standard;
    Lines calls;
};

const StandardRow kStandards[] = {
    {"J1", Make<CTunerMODEL_JS_2PC>, AnalogVideo_PAL_I, {"B 86 00 56", "B 86 01 70", "B 86 02 0A"}},
    {"J1", Make<CTunerMODEL_JS_2PC>, AnalogVideo_SECAM_L1, {"B 86 00 C6", "B 86 01 70", "B 86 02 13"}},
    {"J2", Make<CTunerJS_6B2>, AnalogVideo_SECAM_L, {"B 86 00 46", "B 86 01 50", "B 86 02 4B"}},
    {"P6", Make<CTunerPHILIPS1216>, AnalogVideo_SECAM_D, {"B 86 00 16", "B 86 01 70", "B 86 02 4B"}},
    {"P6", Make<CTunerPHILIPS1216>, AnalogVideo_SECAM_K, {"B 86 00 16", "B 86 01 70", "B 86 02 4B"}},
    {"P6", Make<CTunerPHILIPS1216>, AnalogVideo_SECAM_L1, {"B 86 00 86", "B 86 01 50", "B 86 02 53"}},
    // A standard the set does not list takes its first group.
    {"P5", Make<CTunerFQ1216ME>, AnalogVideo_NTSC_M, {"B 86 00 16", "B 86 01 70", "B 86 02 49"}},
    {"P5", Make<CTunerFQ1216ME_5>, AnalogVideo_PAL_I, {"B 86 00 16", "B 86 01 70", "B 86 02 4A"}},
    {"L5", Make<CTunerLGS200T>, AnalogVideo_PAL_D, {"B 86 00 D6", "B 86 01 70", "B 86 02 4A"}},
    {"L5", Make<CTunerLGS200T>, AnalogVideo_SECAM_L1, {"B 86 00 86", "B 86 01 70", "B 86 02 47"}},
    {"T4", Make<CTunerTNJ3321CF>, AnalogVideo_SECAM_L, {"B 86 00 06", "B 86 01 50", "B 86 02 4B"}},
    {"T4B", Make<CTunerTNJ8852CFF>, AnalogVideo_PAL_I, {"B 86 00 16", "B 86 01 30", "B 86 02 4A"}},
    {"T4B", Make<CTunerTNJ8852CFF>, AnalogVideo_SECAM_G, {"B 86 00 06", "B 86 01 50", "B 86 02 4B"}},
    {"N2", Make<CTunerTNJ7752JFF_MK5>, AnalogVideo_NTSC_M_J, {"B 86 00 16", "B 86 01 70", "B 86 02 00"}},
    {"T3", Make<CTunerTNJ3321PF>, AnalogVideo_PAL_I, {"W 86 00 D6", "W 86 01 30", "W 86 02 4A"}},
    {"T3", Make<CTunerTNJ8352PF>, AnalogVideo_PAL_D, {"W 86 00 D6", "W 86 01 30", "W 86 02 4A"}},
    {"W", Make<CTunerTCL9886P_WM>, AnalogVideo_PAL_D, {"W 86 00 52", "W 86 01 70", "W 86 02 0B"}},
    {"LGM200T", Make<CTunerLGM200T>, AnalogVideo_PAL_B, {"W 86 00 D6", "W 86 01 70", "W 86 02 49"}},
    {"LGM200T", Make<CTunerLGM200T>, AnalogVideo_PAL_D, {"W 86 00 D6", "W 86 01 70", "W 86 02 4B"}},
    {"LGM200T", Make<CTunerLGM200T>, AnalogVideo_SECAM_K, {"W 86 00 D6", "W 86 01 70", "W 86 02 4A"}},
    {"fixed", Make<CTunerTNJ3321MF>, AnalogVideo_PAL_B, {"W 86 00 D6", "W 86 01 30", "W 86 02 00"}},
    {"fixed", Make<CTunerFQ1236F>, AnalogVideo_NTSC_M, {"W 86 00 56", "W 86 01 30", "W 86 02 44"}},
    {"fixed", Make<CTunerFM1236MK3>, AnalogVideo_PAL_M, {"W 86 00 56", "W 86 01 30", "W 86 02 44"}},
    {"fixed", Make<CTunerPHILIPSFQ1286>, AnalogVideo_NTSC_M_J, {"W 86 00 56", "W 86 01 30", "W 86 02 40"}},
    {"second chip", Make<CTunerPANOSONIC_ENGE4326D>, AnalogVideo_NTSC_M_J,
     {"B 86 00 D0", "B 86 01 0D", "B 86 02 80", "B B6 00 80", "B B6 01 04"}},
    // A module without a demodulator has nothing to set.
    {"none", Make<CTunerTCL2002MI_3>, AnalogVideo_PAL_D, {}},
};

struct FailureRow
{
    const char* form;
    MakeModel make;
    size_t failingCall;
    HRESULT result;
    BOOL expected;
    size_t calls;
};

const FailureRow kFailures[] = {
    // Register writes: all three run, the third decides and only S_OK passes.
    {"registers", Make<CTunerFQ1216ME>, 0, E_FAIL, TRUE, 3},
    {"registers", Make<CTunerFQ1216ME>, 2, S_FALSE, FALSE, 3},
    // Three messages: all three run, the first decides.
    {"messages", Make<CTunerTNJ3321PF>, 0, S_FALSE, FALSE, 3},
    {"messages", Make<CTunerTCL9886P_WM>, 2, E_FAIL, TRUE, 3},
    // Messages up to the first failure, which decides.
    {"until failure", Make<CTunerLGM200T>, 1, E_FAIL, FALSE, 2},
    {"until failure", Make<CTunerFQ1236F>, 2, E_FAIL, FALSE, 3},
    {"until failure", Make<CTunerTNJ3321MF>, 0, S_FALSE, TRUE, 3},
    // The second-chip module reports success whatever the writes answer.
    {"second chip", Make<CTunerPANOSONIC_ENGE4326D>, 4, E_FAIL, TRUE, 5},
};

struct StatusRow
{
    const char* form;
    MakeModel make;
    BYTE status;
    int code;
};

// One status byte per range of the AFC field (0 or 15, 1-3, 4-7, 8-11, 12-14) in each form,
// reported in the module's own codes: "PHILIPS1216" and the form B, C and D modules have 3 for
// in tune and 2 for +62.5 kHz, "FQ1236F", "PHILIPSFQ1286" and "FM1236MK3" the other way round.
const StatusRow kStatuses[] = {
    {"A", Make<CTunerPHILIPS1216>, 0x00, 3},
    {"A", Make<CTunerPHILIPS1216>, 0x1E, 3},
    {"A", Make<CTunerPHILIPS1216>, 0x04, 2},
    {"A", Make<CTunerPHILIPS1216>, 0x0A, 4},
    {"A", Make<CTunerPHILIPS1216>, 0x10, 0},
    {"A", Make<CTunerPHILIPS1216>, 0x1A, 1},
    {"A", Make<CTunerFQ1236F>, 0x1E, 2},
    {"A", Make<CTunerFQ1236F>, 0x04, 3},
    {"A", Make<CTunerPHILIPSFQ1286>, 0x00, 2},
    {"A", Make<CTunerPHILIPSFQ1286>, 0x0A, 4},
    {"A", Make<CTunerFM1236MK3>, 0x10, 0},
    {"A", Make<CTunerFM1236MK3>, 0x06, 3},
    {"A", Make<CTunerFM1236MK3>, 0x1C, 1},
    // Only bits 1-4 count.
    {"A", Make<CTunerPHILIPS1216>, 0xE1, 3},
    {"B", Make<CTunerLGS200T>, 0x1E, 3},
    {"B", Make<CTunerFQ1216ME_5>, 0x04, 3},
    {"B", Make<CTunerTNJ8352PF>, 0x0A, 2},
    {"B", Make<CTunerLGS200T>, 0x10, 2},
    {"B", Make<CTunerLGS200T>, 0x1A, 1},
    {"C", Make<CTunerFQ1216ME>, 0x1E, 3},
    {"C", Make<CTunerTNJ3321CF>, 0x04, 2},
    {"C", Make<CTunerTNJ7752JFF_MK5>, 0x0A, 2},
    {"C", Make<CTunerPANOSONIC_ENGE4326D>, 0x10, 2},
    {"C", Make<CTunerFQ1216ME>, 0x1A, 1},
    {"D", Make<CTunerTNJ8852CFF>, 0x1E, 3},
    {"D", Make<CTunerTNJ8852CFF>, 0x04, 3},
    {"D", Make<CTunerTNJ8852CFF>, 0x0A, 2},
    {"D", Make<CTunerTNJ8852CFF>, 0x10, 2},
    {"D", Make<CTunerTNJ8852CFF>, 0x1A, 3},
};

} // namespace

TEST(Demodulator, EachSetWritesTheBytesOfTheStandardsGroup)
{
    for (size_t i = 0; i < sizeof(kStandards) / sizeof(kStandards[0]); ++i) {
        const StandardRow& row = kStandards[i];
        BusRecorder bus;
        std::unique_ptr<CTunerModel> model(row.make(&bus));

        EXPECT_TRUE(model->SetVideoStandard(row.standard)) << "row " << i << " (" << row.set << ")";

        EXPECT_EQ(row.calls, bus.Calls()) << "row " << i << " (" << row.set << ")";
    }
}

TEST(Demodulator, EachWriteFormJudgesItsOwnWrite)
{
    for (size_t i = 0; i < sizeof(kFailures) / sizeof(kFailures[0]); ++i) {
        const FailureRow& row = kFailures[i];
        BusRecorder bus;
        bus.FailCall(row.failingCall, row.result);
        std::unique_ptr<CTunerModel> model(row.make(&bus));

        EXPECT_EQ(row.expected, model->SetVideoStandard(AnalogVideo_PAL_B)) << "row " << i << " (" << row.form << ")";

        EXPECT_EQ(row.calls, bus.Calls().size()) << "row " << i << " (" << row.form << ")";
    }
}

TEST(Demodulator, NoTransportSetsNothing)
{
    const MakeModel makers[] = {Make<CTunerFQ1216ME>, Make<CTunerTNJ3321PF>, Make<CTunerLGM200T>,
                                Make<CTunerPANOSONIC_ENGE4326D>};
    for (size_t i = 0; i < 4; ++i) {
        std::unique_ptr<CTunerModel> model(makers[i](NULL));
        EXPECT_FALSE(model->SetVideoStandard(AnalogVideo_PAL_B)) << "model " << i;
    }
}

TEST(Demodulator, StatusFormsDecodeTheAfcPosition)
{
    for (size_t i = 0; i < sizeof(kStatuses) / sizeof(kStatuses[0]); ++i) {
        const StatusRow& row = kStatuses[i];
        BusRecorder bus;
        bus.SetStatus(row.status);
        std::unique_ptr<CTunerModel> model(row.make(&bus));
        int code = CTunerModel::kNoCode;

        EXPECT_TRUE(model->GetTvStatus(&code)) << "row " << i << " (form " << row.form << ")";

        EXPECT_EQ(row.code, code) << "row " << i << " (form " << row.form << ")";
        EXPECT_EQ(Lines{"R 87"}, bus.Calls()) << "row " << i;
    }
}

TEST(Demodulator, StatusReadThatIsNotOkLeavesTheCode)
{
    BusRecorder bus;
    bus.FailCall(0, S_FALSE);
    CTunerFQ1216ME model(&bus);
    int code = 7;

    EXPECT_FALSE(model.GetTvStatus(&code));

    EXPECT_EQ(7, code);
}

TEST(Demodulator, OnlyACentredCarrierLocks)
{
    BusRecorder bus;
    CTunerPHILIPS1216 philips(&bus);
    CTunerFQ1236F fq1236(&bus);

    bus.SetStatus(0x00);
    EXPECT_TRUE(philips.IsTvLocked());
    EXPECT_TRUE(fq1236.IsTvLocked());
    // 31.25 to 125 kHz off the carrier.
    bus.SetStatus(0x04);
    EXPECT_FALSE(philips.IsTvLocked());
    EXPECT_FALSE(fq1236.IsTvLocked());
}

TEST(RadioVariants, Philips1216SetsUpTheRadioThenSendsTheFmDivider)
{
    BusRecorder bus;
    CTunerPHILIPS1216 model(&bus);

    EXPECT_TRUE(model.SetFmFrequency(100000));

    Lines expected = {"W C0 08 FF 8E 01", "W C0 08 FF 8E 19", "W 86 00 5A 90 20", "W C0 08 A6 88 19"};
    EXPECT_EQ(expected, bus.Calls());
}

TEST(RadioVariants, Philips1216ClampsIntoItsFmRange)
{
    BusRecorder bus;
    CTunerPHILIPS1216 model(&bus);

    EXPECT_TRUE(model.SetFmFrequency(80000));
    EXPECT_TRUE(model.SetFmFrequency(120000));

    ASSERT_EQ(8u, bus.Calls().size());
    EXPECT_EQ("W C0 07 A2 88 19", bus.Calls()[3]);
    EXPECT_EQ("W C0 09 42 88 19", bus.Calls()[7]);
}

TEST(RadioVariants, Philips1216StopsWhenTheRadioSetUpFails)
{
    const size_t failing[] = {0, 1, 2};
    for (size_t i = 0; i < 3; ++i) {
        BusRecorder bus;
        bus.FailCall(failing[i], E_FAIL);
        CTunerPHILIPS1216 model(&bus);

        EXPECT_FALSE(model.SetFmFrequency(100000)) << "failing call " << failing[i];

        EXPECT_EQ(failing[i] + 1, bus.Calls().size()) << "failing call " << failing[i];
    }
}

TEST(RadioVariants, Fm1236Mk3FollowsTheTunerWithTheDemodulatorsRadioBytes)
{
    BusRecorder bus;
    CTunerFM1236MK3 model(&bus);

    EXPECT_TRUE(model.SetFmFrequency(100000));

    Lines expected = {"W C0 0D D6 CE 01", "W 86 00 0A", "W 86 01 90", "W 86 02 20"};
    EXPECT_EQ(expected, bus.Calls());
}

TEST(RadioVariants, Fm1236Mk3FailsWhenARadioByteFails)
{
    BusRecorder bus;
    bus.FailCall(2, E_FAIL);
    CTunerFM1236MK3 model(&bus);
    EXPECT_FALSE(model.SetFmFrequency(100000)) << "tuned, but the demodulator is not in radio mode";
    EXPECT_EQ(3u, bus.Calls().size());

    BusRecorder refused;
    refused.FailCall(0, E_FAIL);
    CTunerFM1236MK3 second(&refused);
    EXPECT_FALSE(second.SetFmFrequency(100000));
    EXPECT_EQ(1u, refused.Calls().size());
}

TEST(RadioVariants, TnjModulesFollowTheTunerWithRegisterWrites)
{
    BusRecorder bus;
    CTunerTNJ7752JFF_MK5 mk5(&bus);
    CTunerTNJ8852CFF cff(&bus);

    EXPECT_TRUE(mk5.SetFmFrequency(80000));
    EXPECT_TRUE(cff.SetFmFrequency(100000));

    Lines expected = {"W C0 0B 56 8A 11", "B 86 00 5D", "B 86 01 10", "B 86 02 00",
                      "W C0 0D D6 8A 21", "B 86 00 5D", "B 86 01 10", "B 86 02 00"};
    EXPECT_EQ(expected, bus.Calls());
}

TEST(RadioVariants, Fm1236Mk3StatusNeedsBothCarrierBits)
{
    struct Row
    {
        BYTE status;
        int code;
    };
    const Row rows[] = {
        {0xA0, 4}, {0xBA, 4}, {0xBE, 4}, {0xA2, 4}, {0xA6, 0}, {0xB0, 0},
        // No carrier: no code, so a stale lock code never survives.
        {0x40, CTunerModel::kNoCode}, {0x80, CTunerModel::kNoCode}, {0x3E, CTunerModel::kNoCode},
    };
    for (const Row& row : rows) {
        BusRecorder bus;
        bus.SetStatus(row.status);
        CTunerFM1236MK3 model(&bus);
        int code = 4;

        EXPECT_TRUE(model.GetFmStatus(&code)) << std::hex << (int)row.status;

        EXPECT_EQ(row.code, code) << std::hex << (int)row.status;
        EXPECT_EQ(Lines{"R 87"}, bus.Calls());
    }
}

TEST(RadioVariants, Fm1236Mk3WithoutCarrierIsNotLocked)
{
    BusRecorder bus;
    bus.SetStatus(0x40);
    CTunerFM1236MK3 model(&bus);
    EXPECT_FALSE(model.IsFmLocked());
    bus.SetStatus(0xA0);
    EXPECT_TRUE(model.IsFmLocked());
}

TEST(RadioVariants, TnjStatusFallsBackOnTheTunersCodeWithoutCarrier)
{
    struct Row
    {
        BYTE tuner;
        BYTE demodulator;
        int code;
    };
    const Row rows[] = {
        {0x44, 0x00, 4},
        {0x43, 0x40, 3},
        // The tuner's status without its lock bit gives no code.
        {0x04, 0x00, CTunerModel::kNoCode},
        {0x44, 0x86, 0},
        {0x40, 0x20, 4},
        {0x40, 0x9A, 0},
        {0x40, 0x9C, 4},
    };
    for (const Row& row : rows) {
        BusRecorder bus;
        bus.QueueStatus(row.tuner);
        bus.QueueStatus(row.demodulator);
        CTunerTNJ7752JFF_MK5 model(&bus);
        int code = 4;

        EXPECT_TRUE(model.GetFmStatus(&code)) << std::hex << (int)row.tuner << " " << (int)row.demodulator;

        EXPECT_EQ(row.code, code) << std::hex << (int)row.tuner << " " << (int)row.demodulator;
        EXPECT_EQ((Lines{"R C1", "R 87"}), bus.Calls());
    }
}

TEST(RadioVariants, FmStatusFailsWhenTheDemodulatorReadFails)
{
    BusRecorder bus;
    bus.FailCall(0, E_FAIL);
    CTunerFM1236MK3 mk3(&bus);
    int code = 4;
    EXPECT_FALSE(mk3.GetFmStatus(&code));
    EXPECT_EQ(4, code);

    BusRecorder second;
    second.SetStatus(0x44);
    second.FailCall(1, E_FAIL);
    CTunerTNJ8852CFF cff(&second);
    EXPECT_FALSE(cff.GetFmStatus(&code));
}

class SignalLockStatus : public testing::Test
{
protected:
    void SetUp() override { FakeSignalLock::Reset(); }

    BusRecorder m_bus;
    FakeSignalDevice m_device;
};

TEST_F(SignalLockStatus, Tda8275aReportsThePictureLockAsItsStatus)
{
    CTunerPHILIPSTDA8275A model(&m_bus);
    model.SetOwnerDevice(&m_device);
    int code = CTunerModel::kNoCode;

    FakeSignalLock::answer = [](long* locked) { return *locked = 1, S_OK; };
    EXPECT_TRUE(model.GetTvStatus(&code));
    EXPECT_EQ(2, code);
    EXPECT_TRUE(model.IsTvLocked());

    FakeSignalLock::answer = [](long* locked) { return *locked = 0, S_OK; };
    EXPECT_TRUE(model.GetTvStatus(&code));
    EXPECT_EQ(4, code);

    EXPECT_TRUE(m_bus.Calls().empty());
}

TEST_F(SignalLockStatus, Tda8275aWithoutAnOwnerCannotReport)
{
    CTunerPHILIPSTDA8275A model(&m_bus);
    int code = CTunerModel::kNoCode;

    EXPECT_FALSE(model.GetTvStatus(&code));
    EXPECT_FALSE(model.IsTvLocked());
}
