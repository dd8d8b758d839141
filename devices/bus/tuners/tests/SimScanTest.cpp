#include <gtest/gtest.h>

#include "AppMessages.h"
#include "CaptureDevice.h"
#include "FinishesWithin.h"
#include "MessageSink.h"
#include "ScanMessages.h"
#include "SimTunerCard.h"
#include "TestModels.h"
#include "TunerModel.h"

namespace {

// A card number no other test executable uses: CTest runs executables side by side.
const DWORD kCard = 5;
const DWORD kScanTimeoutMs = 60000;

class SimScanTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        // Type 4 modules take the base model's band bytes.
        ASSERT_EQ(S_OK, m_card.Open(L"Profile=4;audio=0"));
    }

    void TearDown() override { CoUninitialize(); }

    void Prepare(CTunerModel& model)
    {
        model.SetNotifyWnd(m_sink.Handle());
        model.SetOwnerDevice(&m_device);
    }

    ScanMessages Scan(CTunerModel& model, BOOL tv, BOOL sweep)
    {
        Prepare(model);
        ScanMessages messages;
        EXPECT_TRUE(model.StartScan(tv, sweep));
        messages.CollectUntilDone(m_sink.Handle(), kScanTimeoutMs);
        model.StopScan();
        messages.CollectQueued(m_sink.Handle());
        EXPECT_EQ(1, messages.done);
        EXPECT_EQ(0, messages.lateProgress);
        EXPECT_FALSE(model.IsScanning());
        return messages;
    }

    SimTunerCard m_card{kCard};
    MessageSink m_sink;
    SimSignalDevice m_device;
};

} // namespace

TEST_F(SimScanTest, TableScanFindsExactlyTheStationsOfTheTable)
{
    // One station off its table frequency, which the AFC search has to centre.
    m_card.Control()("tv 49750:A 77250:B 184250:C 200500:D 471250:E");
    CTunerModel model(m_card.Access());
    const float table[] = {49.75f, 57.75f, 77.25f, 184.25f, 192.25f, 200.25f, 471.25f, 479.25f};
    ASSERT_TRUE(model.SetChannelTable(table, 8));

    ScanMessages messages = Scan(model, TRUE, FALSE);

    const ScanMessages::Progress expected[] = {
        {49750, 1}, {57750, 0}, {77250, 1}, {184250, 1}, {192250, 0}, {200500, 1}, {471250, 1}, {479250, 0}};
    ASSERT_EQ(8u, messages.progress.size());
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(expected[i].kHz, messages.progress[i].kHz) << "entry " << i;
        EXPECT_EQ(expected[i].found, messages.progress[i].found) << "entry " << i;
    }
}

TEST_F(SimScanTest, SweepFindsAStationAndJumpsPastIt)
{
    m_card.Control()("tv 49750:A");
    CTunerModel model(m_card.Access());
    ASSERT_TRUE(model.SetTvScanRange(48250, 56250));

    ScanMessages messages = Scan(model, TRUE, TRUE);

    // Centres 48250 and 50250 (whose window holds the station), then 49750 + 3500 and
    // 2000 kHz on; 57250 lies past the range.
    const int frequencies[] = {48250, 49750, 53250, 55250};
    EXPECT_EQ(std::vector<int>(frequencies, frequencies + 4), messages.Frequencies());
    EXPECT_EQ(std::vector<int>(1, 49750), messages.Found());
}

TEST_F(SimScanTest, FmScanReportsEveryStepAndFindsTheStation)
{
    m_card.Control()("profile 11");
    FmTunerModel model(m_card.Access());
    ASSERT_TRUE(model.SetFmScanRange(89800, 90300));

    ScanMessages messages = Scan(model, FALSE, FALSE);

    const int frequencies[] = {89800, 89900, 90000, 90100, 90200, 90300};
    EXPECT_EQ(std::vector<int>(frequencies, frequencies + 6), messages.Frequencies());
    EXPECT_EQ(std::vector<int>(1, 90000), messages.Found());
}

TEST_F(SimScanTest, StopScanEndsARunningTableScanWithDone)
{
    CTunerModel model(m_card.Access());
    Prepare(model);
    ASSERT_TRUE(model.StartScan(TRUE, FALSE));
    ASSERT_TRUE(m_sink.WaitFor(WM_SCAN_PROGRESS, kScanTimeoutMs));

    EXPECT_TRUE(FinishesWithin(kScanTimeoutMs, [&model] { model.StopScan(); }));

    EXPECT_FALSE(model.IsScanning());
    ScanMessages messages;
    messages.CollectQueued(m_sink.Handle());
    EXPECT_EQ(1, messages.done);
    EXPECT_EQ(0, messages.lateProgress);
    EXPECT_LT(messages.progress.size(), model.GetChannelTable().size());
}
