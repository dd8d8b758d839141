// The card's timed power-on end to end: schedule items in the scheduling library, the TV
// system's search, the capture graph and the simulated card's controller, which shows the
// word it holds and whether power-on is armed.
#include <gtest/gtest.h>

#include "TVSystem.h"

#include "DialogWatcher.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "Tickwell.h"

#include <string>

namespace
{

const char kTimeUnfitText[] = "设置定时开机功能失败.\n 可能是您设置的时间没有满足定时开机要求";
const char kRefusedText[] = "设置定时开机功能失败.\n可能您的驱动安装不正确或硬件已经损坏";

// A one-time recording that starts that long from now and powers the computer on early.
_tagTimingParam StartingIn(const CTimeSpan& fromNow)
{
    CTime start = CTime::GetCurrentTime() + fromNow;
    return {start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(), start.GetMinute(), start.GetSecond(),
            1800, 1, 0, 0};
}

_tagExcuteParam PowerOn(int early)
{
    return {40, 0, 1800, 0, 1, 49750, 0, 0, 1, early};
}

class TimedPowerOnTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window = CreateWindowExA(0, "STATIC", "preview", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
        CTVGraph& graph = m_system.GetGraph();
        ASSERT_TRUE(graph.GetBuilder().MakeGraph()) << CGraphBuilder::GetLastErrorText();
        graph.SetOwnerWnd(m_window);
        ASSERT_TRUE(graph.BuildPreview());
        ASSERT_NE(0, Timing_Initialize(m_folder.FilePath("Rec.rec").c_str(), 128));
        m_control("mcu present");
    }

    void TearDown() override
    {
        m_control("mcu present");
        Timing_Uninitialize();
        m_system.GetGraph().CloseTV();
        DestroyWindow(m_window);
    }

    // One line of the controller's state: "word=0x0B36", "enabled=1", "frames=6".
    std::string Controller(const char* key)
    {
        std::string answer = m_control("mcu");
        size_t at = answer.find(std::string(key) + "=");
        return at == std::string::npos ? "" : answer.substr(at, answer.find('\n', at) - at);
    }

    HTIMINGITEM Schedule(const CTimeSpan& fromNow, int early)
    {
        _tagExcuteParam execute = PowerOn(early);
        return Timing_InsertItem(0, StartingIn(fromNow), &execute);
    }

    TempFolder m_folder;
    HWND m_window = NULL;
    CTVSystem m_system{m_folder.Path().c_str()};
    SimControl m_control{0};
};

// Two days and 30 seconds ahead, powered on 10 minutes early: 2870 whole minutes.
TEST_F(TimedPowerOnTest, TheControllerGetsTheMinutesAndIsArmedThenDisarmedWithoutASchedule)
{
    DialogWatcher dialogs;
    HTIMINGITEM item = Schedule(CTimeSpan(2, 0, 0, 30), 10);
    ASSERT_NE(nullptr, item);
    EXPECT_TRUE(m_system.HasActiveSchedule());
    EXPECT_EQ(0, m_system.GetNextAutoRunTime());
    EXPECT_EQ("word=0x0B36", Controller("word"));
    EXPECT_EQ("enabled=1", Controller("enabled"));

    ASSERT_NE(0, Timing_RemoveItem(item));
    EXPECT_FALSE(m_system.HasActiveSchedule());
    EXPECT_EQ(0, m_system.GetNextAutoRunTime());
    EXPECT_EQ("enabled=0", Controller("enabled"));
    EXPECT_TRUE(dialogs.Dialogs().empty());
}

TEST_F(TimedPowerOnTest, AnItemWithoutPowerOnIsNoActiveSchedule)
{
    _tagExcuteParam execute = PowerOn(0);
    execute.powerOn = 0;
    ASSERT_NE(nullptr, Timing_InsertItem(0, StartingIn(CTimeSpan(1, 0, 0, 0)), &execute));
    EXPECT_FALSE(m_system.HasActiveSchedule());
}

TEST_F(TimedPowerOnTest, AControllerThatDoesNotAnswerShowsTheDriverText)
{
    DialogWatcher dialogs;
    m_control("mcu absent");
    ASSERT_NE(nullptr, Schedule(CTimeSpan(1, 0, 0, 30), 0));
    EXPECT_EQ(-1, m_system.GetNextAutoRunTime());
    ASSERT_EQ(1u, dialogs.Dialogs().size());
    EXPECT_EQ(kRefusedText, dialogs.Dialogs()[0].text);
}

TEST_F(TimedPowerOnTest, APowerOnTimeAlreadyPastShowsTheTimeTextAndLeavesTheControllerAlone)
{
    DialogWatcher dialogs;
    std::string frames = Controller("frames");
    ASSERT_NE(nullptr, Schedule(CTimeSpan(0, 0, 3, 0), 10));
    EXPECT_EQ(1, m_system.GetNextAutoRunTime());
    EXPECT_EQ(frames, Controller("frames"));
    ASSERT_EQ(1u, dialogs.Dialogs().size());
    EXPECT_EQ(kTimeUnfitText, dialogs.Dialogs()[0].text);
}

// 60 days are 86400 minutes: the word would hold 20864 (0x5180) of them.
TEST_F(TimedPowerOnTest, MinutesBeyondTheControllersWordDisarmItInsteadOfArmingATruncatedTime)
{
    DialogWatcher dialogs;
    HTIMINGITEM soon = Schedule(CTimeSpan(1, 0, 0, 30), 0);
    ASSERT_EQ(0, m_system.GetNextAutoRunTime());
    ASSERT_EQ("word=0x05A0", Controller("word"));
    ASSERT_NE(0, Timing_RemoveItem(soon));
    ASSERT_NE(nullptr, Schedule(CTimeSpan(60, 0, 0, 30), 0));
    EXPECT_EQ(1, m_system.GetNextAutoRunTime());
    EXPECT_EQ("word=0x05A0", Controller("word"));
    EXPECT_EQ("enabled=0", Controller("enabled"));
    ASSERT_EQ(1u, dialogs.Dialogs().size());
    EXPECT_EQ(kTimeUnfitText, dialogs.Dialogs()[0].text);
}

TEST_F(TimedPowerOnTest, ReportingOffShowsNothing)
{
    DialogWatcher dialogs;
    m_system.SetReportPowerOnErrors(FALSE);
    ASSERT_NE(nullptr, Schedule(CTimeSpan(0, 0, 3, 0), 10));
    EXPECT_EQ(1, m_system.GetNextAutoRunTime());
    EXPECT_TRUE(dialogs.Dialogs().empty());
}

} // namespace
