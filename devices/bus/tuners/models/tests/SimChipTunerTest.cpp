#include <gtest/gtest.h>

#include "Cx2388x1Capture.h"
#include "GraphBuilder.h"
#include "MessageSink.h"
#include "ScanMessages.h"
#include "SimDeviceSupport.h"
#include "TunerPHILIPSTDA8275A.h"
#include "TunerXCEIVE2028.h"

#include <strmif.h>

#include <cstdio>
#include <string>

// The silicon and register-table tuners as the card opens them: card 0 of the prefix, its
// EEPROM naming the module, the chip at 0xC2, the card's stations at their defaults
// (49750, 77250, 184250, 471250 and 615250 kHz).
namespace {

const DWORD kScanTimeoutMs = 120000;

class SimChipTunerTest : public testing::Test
{
protected:
    SimChipTunerTest() : m_control(0) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_control.Run("reset");
    }

    void TearDown() override
    {
        if (m_device && m_device->GetTuner())
            m_device->GetTuner()->StopScan();
        m_graph.TearDown();
        m_control.Run("eeprom 20 = 54 0B");
        m_control.Run("pll C0");
        m_control.Run("reset");
    }

    // The card with the module of that EEPROM letter and type, its chip at 0xC2.
    CCx2388x1Capture* Open(const char* eeprom)
    {
        m_control(std::string("eeprom 20 = ") + eeprom);
        m_control("pll C2");
        // A card live from an earlier test reloads these values; a card made by the open
        // below reads them anyway, and until then there is none to reset.
        m_control.Run("reset");
        CFilterWrapper* wrapper = m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory,
                                                          "Conexant 2388x_1 Video Capture", "Video Capture", 0, 0);
        m_device = dynamic_cast<CCx2388x1Capture*>(wrapper);
        return m_device;
    }

    DWORD TraceMark()
    {
        unsigned long seq = 0;
        sscanf(m_control("trace mark").c_str(), "seq=%lu", &seq);
        return seq;
    }

    std::string TraceFrom(DWORD seq) { return m_control("trace " + std::to_string(seq)); }

    CGraphBuilder m_graph;
    SimControl m_control;
    CCx2388x1Capture* m_device = nullptr;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(SimChipTunerTest, TheSiliconTunerTunesAndScansThroughThePictureLock)
{
    CCx2388x1Capture* device = Open("50 5F");
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());
    EXPECT_EQ(95, device->GetTunerModelId());
    CTunerPHILIPSTDA8275A* tuner = dynamic_cast<CTunerPHILIPSTDA8275A*>(device->GetTuner());
    ASSERT_NE(nullptr, tuner);

    DWORD mark = TraceMark();
    EXPECT_TRUE(device->SetTunerStandard(AnalogVideo_PAL_D));
    EXPECT_TRUE(device->SetTunerFrequency(471250));
    std::string trace = TraceFrom(mark);
    // 471.25 MHz plus the 7.75 MHz offset of PAL D, in 250 kHz steps.
    EXPECT_TRUE(Contains(trace, "T SI N=1916 t=471250 d=+0")) << trace;
    EXPECT_TRUE(Contains(trace, "W 4B 21 C0")) << "the gate opens for the chip";
    int code = -1;
    EXPECT_TRUE(device->GetTvStatus(&code));
    EXPECT_EQ(tuner->GetInTuneCode(), code);

    MessageSink sink;
    tuner->SetNotifyWnd(sink.Handle());
    const float table[] = {49.75f, 57.75f, 184.25f, 471.25f};
    ASSERT_TRUE(tuner->SetChannelTable(table, 4));
    tuner->SetTvScanTableWindow(250);
    ASSERT_TRUE(tuner->StartScan(TRUE, FALSE));
    ScanMessages messages;
    messages.CollectUntilDone(sink.Handle(), kScanTimeoutMs);
    tuner->StopScan();
    EXPECT_EQ(1, messages.done);
    const int found[] = {49750, 184250, 471250};
    EXPECT_EQ(std::vector<int>(found, found + 3), messages.Found());
    const int tried[] = {49750, 57750, 184250, 471250};
    EXPECT_EQ(std::vector<int>(tried, tried + 4), messages.Frequencies());
}

TEST_F(SimChipTunerTest, TheRegisterTableTunerLoadsItsTablesAndReportsLock)
{
    CCx2388x1Capture* device = Open("45 5B");
    ASSERT_NE(nullptr, device);
    ASSERT_TRUE(device->IsValid());
    EXPECT_EQ(91, device->GetTunerModelId());
    ASSERT_NE(nullptr, dynamic_cast<CTunerXCEIVE2028*>(device->GetTuner()));

    DWORD mark = TraceMark();
    EXPECT_TRUE(device->SetTunerStandard(AnalogVideo_PAL_D));
    std::string trace = TraceFrom(mark);
    size_t base = trace.find("C table BG BASE");
    size_t standard = trace.find("C table DK/171");
    ASSERT_NE(std::string::npos, base) << trace;
    ASSERT_NE(std::string::npos, standard) << trace;
    EXPECT_LT(base, standard);
    EXPECT_TRUE(Contains(trace, "C loaded BG BASE writes=")) << trace;

    mark = TraceMark();
    EXPECT_TRUE(device->SetTunerFrequency(471250));
    trace = TraceFrom(mark);
    EXPECT_TRUE(Contains(trace, "T XC N=30160 t=471250 d=+0")) << trace;
    int code = -1;
    EXPECT_TRUE(device->GetTvStatus(&code));
    EXPECT_EQ(1, code);
    EXPECT_TRUE(device->IsTvLocked());

    EXPECT_TRUE(device->SetTunerFrequency(475000));
    EXPECT_TRUE(device->GetTvStatus(&code));
    EXPECT_EQ(0, code);
    EXPECT_FALSE(device->IsTvLocked());
}
