#include <gtest/gtest.h>

#include "CaptureDevice.h"
#include "FakeSignalLock.h"
#include "RecordingI2C.h"
#include "TestModels.h"
#include "TunerModel.h"

namespace {

typedef RecordingI2C::Bytes Bytes;

struct TuningCase
{
    float kHz;
    BOOL accepted;
    Bytes bytes;
};

class TunerModelTest : public testing::Test
{
protected:
    void SetUp() override { FakeSignalLock::Reset(); }

    RecordingI2C m_bus;
};

} // namespace

TEST_F(TunerModelTest, TvWriteCarriesDividerControlAndBandByteAroundEachSplit)
{
    CTunerModel model(&m_bus);
    const TuningCase cases[] = {
        {48249.0f, FALSE, {}},
        {48250.0f, TRUE, {0xC0, 0x05, 0x72, 0xCE, 0x01}},
        {49750.0f, TRUE, {0xC0, 0x05, 0x8A, 0xCE, 0x01}},
        {169999.0f, TRUE, {0xC0, 0x0D, 0x0E, 0xCE, 0x01}},
        {170000.0f, TRUE, {0xC0, 0x0D, 0x0E, 0xCE, 0x02}},
        {449999.0f, TRUE, {0xC0, 0x1E, 0x8E, 0xCE, 0x02}},
        {450000.0f, TRUE, {0xC0, 0x1E, 0x8E, 0xCE, 0x08}},
        // On the divider's grid, and just below the next grid point: truncated, not rounded.
        {471225.0f, TRUE, {0xC0, 0x1F, 0xE2, 0xCE, 0x08}},
        {471287.4f, TRUE, {0xC0, 0x1F, 0xE2, 0xCE, 0x08}},
        {471287.5f, TRUE, {0xC0, 0x1F, 0xE3, 0xCE, 0x08}},
        {863250.0f, TRUE, {0xC0, 0x38, 0x62, 0xCE, 0x08}},
        {863251.0f, FALSE, {}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i << ", " << cases[i].kHz << " kHz");
        m_bus.Clear();
        EXPECT_EQ(cases[i].accepted, model.SetTvFrequency(cases[i].kHz));
        std::vector<Bytes> writes = m_bus.Writes();
        if (cases[i].accepted) {
            ASSERT_EQ(1u, writes.size());
            EXPECT_EQ(cases[i].bytes, writes[0]);
        } else {
            EXPECT_TRUE(writes.empty());
        }
    }
}

TEST_F(TunerModelTest, FmWriteClampsToTheFmRange)
{
    FmTunerModel model(&m_bus);
    const TuningCase cases[] = {
        {80000.0f, TRUE, {0xC0, 0x0C, 0x36, 0x8A, 0xA5}},
        {87000.0f, TRUE, {0xC0, 0x0C, 0x36, 0x8A, 0xA5}},
        {90000.0f, TRUE, {0xC0, 0x0C, 0x96, 0x8A, 0xA5}},
        {100000.0f, TRUE, {0xC0, 0x0D, 0xD6, 0x8A, 0xA5}},
        // 31.25 kHz steps: 100018.75 is the next divider, just below it still the one before.
        {100018.7f, TRUE, {0xC0, 0x0D, 0xD6, 0x8A, 0xA5}},
        {100018.75f, TRUE, {0xC0, 0x0D, 0xD7, 0x8A, 0xA5}},
        {108000.0f, TRUE, {0xC0, 0x0E, 0xD6, 0x8A, 0xA5}},
        {120000.0f, TRUE, {0xC0, 0x0E, 0xD6, 0x8A, 0xA5}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i << ", " << cases[i].kHz << " kHz");
        m_bus.Clear();
        EXPECT_TRUE(model.SetFmFrequency(cases[i].kHz));
        std::vector<Bytes> writes = m_bus.Writes();
        ASSERT_EQ(1u, writes.size());
        EXPECT_EQ(cases[i].bytes, writes[0]);
    }
}

TEST_F(TunerModelTest, FmTuningWithoutAnFmPartFailsWithoutBusTraffic)
{
    CTunerModel model(&m_bus);
    EXPECT_FALSE(model.SetFmFrequency(100000.0f));
    EXPECT_TRUE(m_bus.Writes().empty());
}

TEST_F(TunerModelTest, TuningSucceedsOnlyWhenTheWriteReturnsSOk)
{
    CTunerModel model(&m_bus);
    FmTunerModel fm(&m_bus);
    const HRESULT results[] = {S_FALSE, E_FAIL, HRESULT_FROM_WIN32(ERROR_TIMEOUT)};
    for (size_t i = 0; i < sizeof(results) / sizeof(results[0]); ++i) {
        SCOPED_TRACE(i);
        HRESULT result = results[i];
        m_bus.SetWriteRule([result](const Bytes&) { return result; });
        EXPECT_FALSE(model.SetTvFrequency(49750.0f));
        EXPECT_FALSE(fm.SetFmFrequency(100000.0f));
    }
}

TEST_F(TunerModelTest, StatusNeedsTheLockBitAndGivesTheLowThreeBits)
{
    CTunerModel model(&m_bus);
    FmTunerModel fm(&m_bus);
    struct Case
    {
        BYTE status;
        BOOL valid;
        int code;
        BOOL tvLocked;
        BOOL fmLocked;
    };
    const Case cases[] = {
        {0x42, TRUE, 2, TRUE, FALSE},
        {0x44, TRUE, 4, FALSE, TRUE},
        {0x40, TRUE, 0, FALSE, FALSE},
        {0xCA, TRUE, 2, TRUE, FALSE},
        {0x4C, TRUE, 4, FALSE, TRUE},
        {0x02, FALSE, CTunerModel::kNoCode, FALSE, FALSE},
        {0xBF, FALSE, CTunerModel::kNoCode, FALSE, FALSE},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        m_bus.SetStatus(cases[i].status);
        int tv = CTunerModel::kNoCode;
        int radio = CTunerModel::kNoCode;
        EXPECT_EQ(cases[i].valid, model.GetTvStatus(&tv));
        EXPECT_EQ(cases[i].valid, fm.GetFmStatus(&radio));
        EXPECT_EQ(cases[i].code, tv);
        EXPECT_EQ(cases[i].code, radio);
        EXPECT_EQ(cases[i].tvLocked, model.IsTvLocked());
        EXPECT_EQ(cases[i].fmLocked, fm.IsFmLocked());
    }
}

TEST_F(TunerModelTest, StatusReadsOneByteAtTheReadAddressAndFailsWithTheBus)
{
    CTunerModel model(&m_bus);
    BYTE seenAddress = 0;
    m_bus.SetStatusRule([&seenAddress](BYTE address, const Bytes&) {
        seenAddress = address;
        return (BYTE)0x42;
    });
    int code = CTunerModel::kNoCode;
    EXPECT_TRUE(model.GetTvStatus(&code));
    EXPECT_EQ(0xC0, seenAddress);

    m_bus.SetReadResult(E_FAIL);
    code = 7;
    EXPECT_FALSE(model.GetTvStatus(&code));
    EXPECT_EQ(7, code);
    EXPECT_FALSE(model.IsTvLocked());
}

// A replaced status read that reports success without giving a code.
class SilentStatusModel : public CTunerModel
{
public:
    explicit SilentStatusModel(CI2CAccess* access) : CTunerModel(access) {}
    BOOL GetTvStatus(int*) override { return TRUE; }
    BOOL GetFmStatus(int*) override { return TRUE; }
};

TEST_F(TunerModelTest, StatusWithoutACodeIsNeverLock)
{
    SilentStatusModel model(&m_bus);
    EXPECT_FALSE(model.IsTvLocked());
    EXPECT_FALSE(model.IsFmLocked());
}

TEST_F(TunerModelTest, SignalLockAsksTheOwnerAgainOnceWhenNotLocked)
{
    CTunerModel model(&m_bus);
    int locked = 5;
    EXPECT_FALSE(model.IsSignalLocked(&locked));
    EXPECT_EQ(0, FakeSignalLock::calls);
    EXPECT_EQ(5, locked);

    FakeSignalDevice device;
    model.SetOwnerDevice(&device);
    struct Case
    {
        HRESULT first;
        long firstLocked;
        HRESULT second;
        long secondLocked;
        BOOL answered;
        int locked;
        LONG calls;
    };
    const Case cases[] = {
        {S_OK, 1, E_FAIL, 0, TRUE, 1, 1},
        {S_OK, 0, S_OK, 1, TRUE, 1, 2},
        {S_OK, 0, S_OK, 0, TRUE, 0, 2},
        {S_OK, 0, E_FAIL, 0, FALSE, 5, 2},
        {E_FAIL, 1, S_OK, 1, FALSE, 5, 1},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        const Case c = cases[i];
        FakeSignalLock::calls = 0;
        FakeSignalLock::answer = [c](long* flag) {
            bool first = FakeSignalLock::calls == 1;
            *flag = first ? c.firstLocked : c.secondLocked;
            return first ? c.first : c.second;
        };
        locked = 5;
        EXPECT_EQ(c.answered, model.IsSignalLocked(&locked));
        EXPECT_EQ(c.locked, locked);
        EXPECT_EQ(c.calls, FakeSignalLock::calls);
    }
}

TEST_F(TunerModelTest, ScanSettersRefuseValuesTheScanCannotUse)
{
    CTunerModel model(&m_bus);
    FmTunerModel fm(&m_bus);
    struct Case
    {
        const char* call;
        BOOL result;
        BOOL expected;
    };
    const Case cases[] = {
        {"sweep 1000/1000", model.SetTvSweepSteps(1000, 1000), FALSE},
        {"sweep 1001/1000", model.SetTvSweepSteps(1001, 1000), TRUE},
        {"sweep 5000/0", model.SetTvSweepSteps(5000, 0), FALSE},
        {"tv range 0..100", model.SetTvScanRange(0, 100), FALSE},
        {"tv range 100..100", model.SetTvScanRange(100, 100), FALSE},
        {"tv range 100..101", model.SetTvScanRange(100, 101), TRUE},
        {"fm range without FM", model.SetFmScanRange(87000, 108000), FALSE},
        {"fm range 0..100", fm.SetFmScanRange(0, 100), FALSE},
        {"fm range 100..99", fm.SetFmScanRange(100, 99), FALSE},
        {"fm range 100..100", fm.SetFmScanRange(100, 100), TRUE},
        {"fm step 0", model.SetFmScanStep(0), FALSE},
        {"fm step 1", model.SetFmScanStep(1), TRUE},
        {"fm skip 0", model.SetFmFoundSkip(0), FALSE},
        {"fm skip 1", model.SetFmFoundSkip(1), TRUE},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].expected, cases[i].result) << cases[i].call;
}

TEST_F(TunerModelTest, FmScanWithoutAnFmPartDoesNotStart)
{
    CTunerModel model(&m_bus);
    EXPECT_FALSE(model.StartScan(FALSE, FALSE));
    EXPECT_FALSE(model.IsScanning());
    EXPECT_TRUE(m_bus.Writes().empty());
}

TEST_F(TunerModelTest, ChannelTableRefusesNullAndNegativeCounts)
{
    CTunerModel model(&m_bus);
    ASSERT_EQ(95u, model.GetChannelTable().size());
    const float one[] = {49.75f};
    EXPECT_FALSE(model.SetChannelTable(NULL, 1));
    EXPECT_FALSE(model.SetChannelTable(one, -1));
    EXPECT_EQ(95u, model.GetChannelTable().size());
    EXPECT_TRUE(model.SetChannelTable(one, 1));
    EXPECT_EQ(std::vector<float>(1, 49.75f), model.GetChannelTable());
}

TEST_F(TunerModelTest, BuiltInChannelTableRunsInEightMegahertzSteps)
{
    CTunerModel model(&m_bus);
    const std::vector<float>& table = model.GetChannelTable();
    ASSERT_EQ(95u, table.size());
    const float firsts[] = {49.75f, 57.75f, 65.75f, 77.25f, 85.25f, 112.25f};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(firsts[i], table[i]) << i;
    EXPECT_EQ(464.25f, table[49]);
    EXPECT_EQ(471.25f, table[50]);
    EXPECT_EQ(559.25f, table[61]);
    EXPECT_EQ(607.25f, table[62]);
    EXPECT_EQ(863.25f, table[94]);
}
