#include <gtest/gtest.h>

#include "CaptureDevice.h"
#include "MessageSink.h"
#include "ScanMessages.h"
#include "SimTunerCard.h"
#include "TunerPHILIPS1216.h"

#include <string>

// Scans of a module with an IF demodulator over the simulated card as the prefix has it
// registered: the card carries the "PHILIPS1216" module, whose TV status comes from the
// demodulator (I2C 0x86/0x87, 0x43 in the card's trace) and whose radio needs its own set-up.
namespace {

// A card number no other test executable uses: CTest runs executables side by side.
const DWORD kCard = 6;
const DWORD kScanTimeoutMs = 60000;

class SimDemodulatorScanTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        ASSERT_EQ(S_OK, m_card.Open(L"Profile=92;audio=0"));
        m_card.Control()("tv 49750:A 184250:C 471250:E");
        m_card.Control()("fm 90000 100000");
        m_model.SetNotifyWnd(m_sink.Handle());
        m_model.SetOwnerDevice(&m_device);
    }

    void TearDown() override
    {
        m_model.StopScan();
        CoUninitialize();
    }

    ScanMessages Scan(BOOL tv)
    {
        ScanMessages messages;
        EXPECT_TRUE(m_model.StartScan(tv, FALSE));
        messages.CollectUntilDone(m_sink.Handle(), kScanTimeoutMs);
        m_model.StopScan();
        messages.CollectQueued(m_sink.Handle());
        EXPECT_EQ(1, messages.done);
        EXPECT_EQ(0, messages.lateProgress);
        return messages;
    }

    std::string TraceMark()
    {
        std::string answer = m_card.Control()("trace mark");
        return answer.substr(answer.find('=') + 1);
    }

    std::string TraceFrom(const std::string& mark) { return m_card.Control()("trace " + mark); }

    SimTunerCard m_card{kCard};
    MessageSink m_sink;
    SimSignalDevice m_device;
    CTunerPHILIPS1216 m_model{m_card.Access()};
};

} // namespace

TEST_F(SimDemodulatorScanTest, TableScanFindsTheStationsThroughTheDemodulatorStatus)
{
    const float table[] = {49.75f, 57.75f, 184.25f, 471.25f};
    ASSERT_TRUE(m_model.SetChannelTable(table, 4));
    std::string mark = TraceMark();

    ScanMessages messages = Scan(TRUE);

    const ScanMessages::Progress expected[] = {{49750, 1}, {57750, 0}, {184250, 1}, {471250, 1}};
    ASSERT_EQ(4u, messages.progress.size());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i].kHz, messages.progress[i].kHz) << "entry " << i;
        EXPECT_EQ(expected[i].found, messages.progress[i].found) << "entry " << i;
    }
    // Every status came from the demodulator; the tuner's own status byte was never read.
    std::string trace = TraceFrom(mark);
    EXPECT_NE(std::string::npos, trace.find("R 43 ->")) << trace;
    EXPECT_EQ(std::string::npos, trace.find("R 60 ->")) << trace;
}

TEST_F(SimDemodulatorScanTest, FmScanFindsTheStationThroughTheRadioSetUp)
{
    ASSERT_TRUE(m_model.SetFmScanRange(99800, 100300));
    std::string mark = TraceMark();

    ScanMessages messages = Scan(FALSE);

    const int frequencies[] = {99800, 99900, 100000, 100100, 100200, 100300};
    EXPECT_EQ(std::vector<int>(frequencies, frequencies + 6), messages.Frequencies());
    EXPECT_EQ(std::vector<int>(1, 100000), messages.Found());
    std::string trace = TraceFrom(mark);
    EXPECT_NE(std::string::npos, trace.find("T SETUP")) << trace;
    EXPECT_NE(std::string::npos, trace.find("D r0=5A r1=90 r2=20")) << trace;
    EXPECT_NE(std::string::npos, trace.find("T FM N=2214")) << trace;
}
