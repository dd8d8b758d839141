// Time shift from the panel over the simulated card: the start with its status text and
// slider, a seek, the stop back to the live picture with the volume it had, and a start
// without a drive that has room.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <memory>

#include "CSkinMultiSlider.h"
#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "DialogWatcher.h"
#include "KavexWindowsFixture.h"
#include "PumpMessages.h"
#include "AudioRenderFilter.h"

namespace {

void Command(UINT id)
{
    theControlPanel.SendMessage(WM_COMMAND, id, 0);
}

const CLSID kDefaultRendererClsid = {0x6BC1CFFA, 0x8FC1, 0x4261, {0xAC, 0x22, 0xCF, 0xB4, 0xCC, 0x38, 0xDB, 0x50}};

// Wine's default video renderer cannot start under the headless display driver; the plain
// video renderer, which draws the same picture into its window, is made in its place.
class PlainRendererFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IClassFactory) ? static_cast<IClassFactory*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        return CoCreateInstance(CLSID_VideoRenderer, outer, CLSCTX_INPROC_SERVER, iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

// The time-shift playback's filters as the prefix's stand-ins give them to a test process. They
// stay for the rest of the program: the preview the stop rebuilds holds filters of theirs.
struct TimeShiftFilters
{
    PlainRendererFactory factory;
    DWORD cookie = 0;
    std::unique_ptr<ClassOverride> overlay{new ClassOverride(CLSID_OverlayMixerFilter, "C:\\sim\\filters\\simovmix.ax")};
    TimeShiftFilters()
    {
        CoRegisterClassObject(kDefaultRendererClsid, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    }
    ~TimeShiftFilters()
    {
        if (cookie != 0)
            CoRevokeClassObject(cookie);
    }
};

TEST_F(KavexWindowsTest, TimeShiftRunsWithItsSliderAndGivesTheVolumeBack)
{
    CWnd* trackbar = theControlPanel.GetDlgItem(IDC_VOLUME);
    trackbar->SendMessage(TBM_SETPOS, TRUE, 70);
    Command(ID_VOLUME_UP);
    ASSERT_EQ(75, (int)trackbar->SendMessage(TBM_GETPOS));

    static TimeShiftFilters* filters = new TimeShiftFilters;
    (void)filters;
    DialogWatcher boxes;
    boxes.OnlyCaption("时间位移错误");
    Command(ID_TIMESHIFT);
    ASSERT_TRUE(theTVSystem.IsTimeShiftOn()) << (boxes.Dialogs().empty() ? "" : boxes.Dialogs()[0].text);
    EXPECT_STREQ("时间位移", theVideoWnd.GetStatusOverlay().GetText());
    EXPECT_TRUE(Enabled(ID_TIMESHIFT_PAUSE) || (theControlPanel.GetPanelMenu().GetMenuState(ID_TIMESHIFT_PAUSE, MF_BYCOMMAND) & MF_GRAYED) == 0);
    for (UINT id : {IDC_TV_WALL, IDC_SEARCH, IDC_SWITCH_SOURCE, IDC_SETUP})
        EXPECT_FALSE(Enabled(id)) << id;
    Command(IDC_CHANNEL_UP);
    EXPECT_EQ(1, theTVSystem.GetChannelIndex()) << "no channel steps in time shift";

    // The arrows steer the time-shift sound alone: the play line and the channel stay.
    CAudioRenderFilter* sound = dynamic_cast<CAudioRenderFilter*>(theTVSystem.GetGraph().GetTimeShiftSound());
    ASSERT_NE((CAudioRenderFilter*)NULL, sound);
    int lineVolume = -1;
    ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&lineVolume));
    theVideoWnd.PostMessage(WM_KEYDOWN, VK_LEFT, 1);
    PumpLikeTheProgram([] { return false; }, 200);
    long level = -1;
    ASSERT_TRUE(sound->GetVolume(&level, TRUE));
    EXPECT_NEAR(70, level, 1);
    theVideoWnd.PostMessage(WM_KEYDOWN, VK_RIGHT, 1);
    PumpLikeTheProgram([] { return false; }, 200);
    ASSERT_TRUE(sound->GetVolume(&level, TRUE));
    EXPECT_NEAR(80, level, 1);
    int lineAfter = -1;
    ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&lineAfter));
    EXPECT_EQ(lineVolume, lineAfter);
    EXPECT_EQ(1, theTVSystem.GetChannelIndex());

    ASSERT_TRUE(PumpMessagesUntil([] { return Enabled(IDC_TIMESHIFT_SLIDER); }, 5000));
    // The encoder's first pictures of a fresh run take their time on a loaded machine.
    LONGLONG total = 0, available = 0, current = 0;
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            theTVSystem.GetGraph().GetTimeShiftPosition(&total, &available, &current);
            return available > 0 && current > available / 2;
        },
        30000));
    EXPECT_GT(total, 0);
    CSkinMultiSlider* slider = dynamic_cast<CSkinMultiSlider*>(
        CWnd::FromHandlePermanent(theControlPanel.GetDlgItem(IDC_TIMESHIFT_SLIDER)->m_hWnd));
    ASSERT_NE((CSkinMultiSlider*)NULL, slider);
    PumpMessagesUntil([&] { return slider->GetPos() > 0; }, 3000);
    ASSERT_TRUE(slider->SetPos(0, FALSE));
    theControlPanel.SendMessage(WM_HSCROLL, SB_MULTISLIDER_CHANGED, (LPARAM)slider);
    LONGLONG before = current;
    theTVSystem.GetGraph().GetTimeShiftPosition(&total, &available, &current);
    EXPECT_LT(current, before) << "the seek moved the read position back";

    Command(ID_TIMESHIFT);
    EXPECT_FALSE(theTVSystem.IsTimeShiftOn());
    EXPECT_FALSE(Visible(theVideoWnd.GetStatusOverlay()));
    EXPECT_EQ(75, (int)trackbar->SendMessage(TBM_GETPOS));
    int volume = -1;
    ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&volume));
    EXPECT_EQ(75, volume);
    EXPECT_FALSE(theTVSystem.IsPlayLineMuted());
    PumpMessagesUntil([] { return false; }, 1500);
    EXPECT_FALSE(Enabled(IDC_TIMESHIFT_SLIDER));
    EXPECT_TRUE(Enabled(IDC_CHANNEL_UP));
    EXPECT_TRUE(boxes.Dialogs().empty());
}

// Without a drive that holds the time-shift buffer above the reserve the start is refused
// with its message; the stop then puts back no volume that was never saved.
TEST_F(KavexWindowsTest, TimeShiftWithoutRoomIsRefused)
{
    int volume = -1;
    ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&volume));
    int reserve = theTVSystem.GetReservedSpace();
    theTVSystem.SetReservedSpace(0x7FFFFFF);
    DialogWatcher boxes;
    boxes.OnlyCaption("时间位移错误");
    Command(ID_TIMESHIFT);
    theTVSystem.SetReservedSpace(reserve);
    EXPECT_FALSE(theTVSystem.IsTimeShiftOn());
    ASSERT_EQ(1u, boxes.Dialogs().size());
    EXPECT_EQ("没有足够的磁盘空间剩余，时间位移失败", boxes.Dialogs()[0].text);
    int after = -1;
    ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&after));
    EXPECT_EQ(volume, after);
    theVideoWnd.ShowStatus(FALSE);
}

} // namespace
