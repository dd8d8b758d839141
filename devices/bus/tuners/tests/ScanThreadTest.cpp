#include <gtest/gtest.h>

#include "CaptureDevice.h"
#include "FakeSignalLock.h"
#include "FinishesWithin.h"
#include "MessageSink.h"
#include "RecordingI2C.h"
#include "ScanMessages.h"
#include "TestModels.h"
#include "TunerModel.h"

#include <cmath>
#include <map>

namespace {

typedef RecordingI2C::Bytes Bytes;

const BYTE kLockBit = 0x40;
const DWORD kScanTimeoutMs = 30000;

// A TV station as the module's AFC reports it: the status code by the distance from the
// tuned frequency to the station, with the model's codes.
BYTE AfcStatus(const CTunerModel& model, double stationKHz, const Bytes& lastWrite)
{
    double d = stationKHz - TunedTvKHz(lastWrite);
    int code = model.GetAfcCodeDown125();
    if (d >= 93.75)
        code = model.GetAfcCodeUp125();
    else if (d >= 31.25)
        code = model.GetAfcCodeUp62();
    else if (d >= -31.25)
        code = model.GetInTuneCode();
    else if (d >= -93.75)
        code = model.GetAfcCodeDown62();
    return (BYTE)(kLockBit | code);
}

WORD Divider(const Bytes& write)
{
    return (WORD)((write[1] << 8) | write[2]);
}

class ScanThreadTest : public testing::Test
{
protected:
    void SetUp() override { FakeSignalLock::Reset(); }

    // Runs a scan to its end and returns its messages; the model's threads are gone after.
    ScanMessages Scan(CTunerModel& model, BOOL tv, BOOL sweep)
    {
        model.SetNotifyWnd(m_sink.Handle());
        ScanMessages messages;
        EXPECT_TRUE(model.StartScan(tv, sweep));
        messages.CollectUntilDone(m_sink.Handle(), kScanTimeoutMs);
        model.StopScan();
        messages.CollectQueued(m_sink.Handle());
        EXPECT_EQ(1, messages.done);
        EXPECT_EQ(0, messages.lateProgress);
        return messages;
    }

    std::vector<double> TunedTv() const
    {
        std::vector<double> tuned;
        std::vector<Bytes> writes = m_bus.Writes();
        for (size_t i = 0; i < writes.size(); ++i)
            tuned.push_back(TunedTvKHz(writes[i]));
        return tuned;
    }

    RecordingI2C m_bus;
    MessageSink m_sink;
    FakeSignalDevice m_device;
};

} // namespace

TEST_F(ScanThreadTest, AfcEndsOnTheStationWhenTheInTuneCodeIsAlsoAStepCode)
{
    SharedCodeTunerModel model(&m_bus);
    model.SetOwnerDevice(&m_device);
    model.SetTvScanSettleTime(1);
    const float table[] = {77.25f};
    model.SetChannelTable(table, 1);
    const double station = 77000;
    m_bus.SetStatusRule([&model, station](BYTE, const Bytes& last) {
        return AfcStatus(model, station, last);
    });
    RecordingI2C* bus = &m_bus;
    FakeSignalLock::answer = [bus, station](long* locked) {
        *locked = std::fabs(station - TunedTvKHz(bus->Writes().back())) < 31.25;
        return S_OK;
    };

    ScanMessages messages = Scan(model, TRUE, FALSE);

    ASSERT_EQ(1u, messages.progress.size());
    EXPECT_EQ(77000, messages.progress[0].kHz);
    EXPECT_EQ(1, messages.progress[0].found);
    // The direct try at the table frequency, then up from the window's low end to the
    // station, where the search stops: the tuner is left on the station. The tuned carrier
    // sits 25 kHz below each request on the 62.5 kHz grid.
    const double expected[] = {77225, 76600, 76725, 76850, 76975};
    EXPECT_EQ(std::vector<double>(expected, expected + 5), TunedTv());
}

TEST_F(ScanThreadTest, AfcThatCirclesThroughFiveFrequenciesGivesUpNotFound)
{
    CTunerModel model(&m_bus);
    model.SetTvScanSettleTime(1);
    const float table[] = {77.25f};
    model.SetChannelTable(table, 1);
    // The search starts at 76625 kHz (76600 tuned) and is sent round
    // 76600 -> 76725 -> 76850 -> 76787.5 -> 76662.5 -> 76600 by the codes below: five
    // frequencies, one more than the search remembers.
    const std::map<double, int> codes = {
        {76600, 4}, {76725, 4}, {76850, 1}, {76787.5, 0}, {76662.5, 1}};
    m_bus.SetStatusRule([&codes](BYTE, const Bytes& last) {
        std::map<double, int>::const_iterator it = codes.find(TunedTvKHz(last));
        return (BYTE)(kLockBit | (it == codes.end() ? 0 : it->second));
    });

    ScanMessages messages = Scan(model, TRUE, FALSE);

    ASSERT_EQ(1u, messages.progress.size());
    EXPECT_EQ(77250, messages.progress[0].kHz);
    EXPECT_EQ(0, messages.progress[0].found);
}

TEST_F(ScanThreadTest, ScanUsesTheTableAsItWasWhenTheScanStarted)
{
    CTunerModel model(&m_bus);
    model.SetTvScanSettleTime(1);
    m_bus.SetStatus(kLockBit);
    float table[] = {49.75f, 57.75f};
    ASSERT_TRUE(model.SetChannelTable(table, 2));
    table[0] = table[1] = 65.75f;
    model.SetNotifyWnd(m_sink.Handle());

    ASSERT_TRUE(model.StartScan(TRUE, FALSE));
    const float replacement[] = {471.25f, 479.25f, 487.25f};
    model.SetChannelTable(replacement, 3);
    ScanMessages messages;
    messages.CollectUntilDone(m_sink.Handle(), kScanTimeoutMs);

    const int expected[] = {49750, 57750};
    EXPECT_EQ(std::vector<int>(expected, expected + 2), messages.Frequencies());
    EXPECT_EQ(1, messages.done);
}

TEST_F(ScanThreadTest, SweepWithoutStationsAdvancesByTwiceTheHalfWidthBelowTheTop)
{
    CTunerModel model(&m_bus);
    model.SetTvScanSettleTime(1);
    m_bus.SetStatus(kLockBit);
    ASSERT_TRUE(model.SetTvScanRange(100000, 106000));

    ScanMessages messages = Scan(model, TRUE, TRUE);

    const int expected[] = {100000, 102000, 104000};
    EXPECT_EQ(std::vector<int>(expected, expected + 3), messages.Frequencies());
    EXPECT_TRUE(messages.Found().empty());
}

TEST_F(ScanThreadTest, FmScanReportsEachTunedStepAndSkipsPastAFoundStation)
{
    FmTunerModel model(&m_bus);
    ASSERT_TRUE(model.SetFmScanRange(87000, 88000));
    ASSERT_TRUE(model.SetFmFoundSkip(200));
    // 87500 kHz is divider 3142; the write for 87300 kHz (divider 3136) fails.
    m_bus.SetStatusRule([](BYTE, const Bytes& last) {
        return (BYTE)(kLockBit | (!last.empty() && Divider(last) == 3142 ? 4 : 0));
    });
    m_bus.SetWriteRule([](const Bytes& write) { return Divider(write) == 3136 ? E_FAIL : S_OK; });

    ScanMessages messages = Scan(model, FALSE, FALSE);

    const int expected[] = {87000, 87100, 87200, 87400, 87500, 87700, 87800, 87900, 88000};
    EXPECT_EQ(std::vector<int>(expected, expected + 9), messages.Frequencies());
    EXPECT_EQ(std::vector<int>(1, 87500), messages.Found());
    EXPECT_FALSE(model.IsScanning());
}

TEST_F(ScanThreadTest, StopScanDuringASettleWaitEndsWithDoneAndNoProgress)
{
    CTunerModel model(&m_bus);
    // Long enough that only a stop can end the first wait.
    model.SetTvScanSettleTime(600000);
    model.SetNotifyWnd(m_sink.Handle());
    ASSERT_TRUE(model.StartScan(TRUE, FALSE));
    EXPECT_TRUE(model.IsScanning());
    EXPECT_FALSE(model.StartScan(TRUE, FALSE));
    while (m_bus.Writes().empty())
        Sleep(1);

    EXPECT_TRUE(FinishesWithin(kScanTimeoutMs, [&model] { model.StopScan(); }));

    EXPECT_FALSE(model.IsScanning());
    ScanMessages messages;
    messages.CollectQueued(m_sink.Handle());
    EXPECT_EQ(1, messages.done);
    EXPECT_TRUE(messages.progress.empty());
    EXPECT_EQ(1u, m_bus.Writes().size());
}
