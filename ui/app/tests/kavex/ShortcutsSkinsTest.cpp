// The panel's keys, tooltips, menus and skins over the simulated card: keys posted to the
// video window and typed on it, digits, the menu key, the tooltips' texts, the popup menu's
// greyed items, the format menus, and the walk through the program's skins.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KavexWindowsFixture.h"

#include <commctrl.h>

#include "CColorAdjustDlg.h"
#include "MenuLoopStep.h"
#include "PumpMessages.h"

extern CColorAdjustDlg theColorAdjustDlg;

namespace {

// A key as the video window receives it, forwarded to the panel and handled there.
void PostKey(WORD vk)
{
    theVideoWnd.PostMessage(WM_KEYDOWN, vk, 1);
    PumpLikeTheProgram([] { return false; }, 150);
}

void KeyChord(std::initializer_list<WORD> modifiers, WORD key)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD m : modifiers)
        add(m, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        add(*it, KEYEVENTF_KEYUP);
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    PumpLikeTheProgram([] { return false; }, 300);
}

std::string ToolText(UINT control)
{
    char text[256] = "";
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = theControlPanel.m_hWnd;
    info.uFlags = TTF_IDISHWND;
    info.uId = (UINT_PTR)theControlPanel.GetDlgItem(control)->m_hWnd;
    info.lpszText = text;
    theControlPanel.GetToolTip().SendMessage(TTM_GETTEXTA, sizeof(text), (LPARAM)&info);
    return text;
}

std::string Label(UINT id)
{
    CString text;
    theControlPanel.GetDlgItem(id)->GetWindowText(text);
    return (LPCTSTR)text;
}

TEST_F(KavexWindowsTest, ThePanelHoldsItsTwentySixTooltips)
{
    struct Case
    {
        UINT control;
        const char* text;
    } cases[] = {
        {1082, "频道"}, {1205, "时间平移"}, {1119, "当前时间"}, {1084, "静音"}, {1081, "音量"},
        {1101, "最小化"}, {1102, "帮助"}, {1103, "关于"}, {1104, "录像格式"}, {1117, "色彩调节"},
        {1116, "桌面"}, {1099, "回放"}, {1100, "浏览图片"}, {1163, "暂停录像"}, {1006, "设置"},
        {1007, "切换视频源"}, {1016, "喜好频道"}, {1005, "搜台"}, {1002, "快照"},
        {1003, "录像/停止录像"}, {1000, "频道+"}, {1001, "频道-"}, {1008, "返回前一频道"},
        {1004, "电视墙"}, {1105, "退出"}, {1164, "频道列表"},
    };
    EXPECT_EQ(26, theControlPanel.GetToolTip().GetToolCount());
    for (const Case& c : cases)
        EXPECT_EQ(c.text, ToolText(c.control)) << c.control;
}

// Keys posted to the video window run their command once each; digits of both rows choose a
// channel by number, in one- and two-digit mode.
TEST_F(KavexWindowsTest, PlainKeysAndDigitsReachTheirCommandsOnce)
{
    theTVSystem.SelectChannelByIndex(0);
    PostKey(VK_UP);
    EXPECT_EQ(1, theTVSystem.GetChannelIndex());
    PostKey(VK_UP);
    EXPECT_EQ(2, theTVSystem.GetChannelIndex());
    PostKey(VK_DOWN);
    EXPECT_EQ(1, theTVSystem.GetChannelIndex());

    ASSERT_FALSE(theControlPanel.IsTwoDigitMode());
    PostKey('2');
    EXPECT_EQ(2, theTVSystem.GetChannelIndex());
    PostKey(VK_NUMPAD0);
    EXPECT_EQ(0, theTVSystem.GetChannelIndex());
    PostKey(0xBF);  // "/" switches to two digits
    ASSERT_TRUE(theControlPanel.IsTwoDigitMode());
    PostKey(VK_NUMPAD0);
    EXPECT_EQ(0, theTVSystem.GetChannelIndex()) << "the first digit waits for the second";
    PostKey('1');
    EXPECT_EQ(1, theTVSystem.GetChannelIndex());
    PostKey('0');
    PostKey(VK_NUMPAD2);
    EXPECT_EQ(2, theTVSystem.GetChannelIndex());
    PostKey(0xDC);
    EXPECT_FALSE(theControlPanel.IsTwoDigitMode());
    theVideoWnd.ShowDigit(FALSE);
}

// Chords typed on the video window: the recording starts and stops, the picture fills the
// screen and comes back.
TEST_F(KavexWindowsTest, ModifierShortcutsTypedOnTheVideoWindowRunOnce)
{
    UserInput::BringToFront(theVideoWnd.m_hWnd);
    KeyChord({VK_CONTROL}, 'F');
    EXPECT_TRUE(theVideoWnd.IsFullScreen());
    KeyChord({VK_CONTROL, VK_MENU}, 'Z');
    EXPECT_FALSE(theVideoWnd.IsFullScreen());
    UserInput::BringToFront(theVideoWnd.m_hWnd);
    KeyChord({VK_CONTROL, VK_MENU}, 'R');
    EXPECT_TRUE(PumpMessagesUntil([] { return theTVSystem.IsRecording() != FALSE; }, 5000));
    // The record button rests for a second after each press.
    PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000);
    KeyChord({VK_CONTROL, VK_MENU}, 'R');
    EXPECT_TRUE(PumpMessagesUntil([] { return theTVSystem.IsRecording() == FALSE; }, 5000));
    PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000);
}

// Closes the settings dialog from the loop that runs it, noting whether the panel's shortcuts
// were off meanwhile.
struct SettingsCloser
{
    static inline int seen = 0;
    static inline bool accelOff = false;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = FindWindowA("#32770", "设置");
        if (dialog == NULL || !IsWindowVisible(dialog))
            return;
        seen++;
        accelOff = !theControlPanel.GetAcceleratorsEnabled();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
};

// The menu key runs the settings road (which hides the colour dialog and turns the shortcuts
// off while it runs) and still reaches the table, here bound to the always-on-top item.
TEST_F(KavexWindowsTest, TheMenuKeyOpensTheSettingsAndStillReachesTheTable)
{
    CAccelManager& table = theControlPanel.GetAccelManager();
    CString topName = table.GetCommandName(ID_TOPMOST);
    ASSERT_TRUE(theControlPanel.AddKeyByName(topName, FVIRTKEY, VK_APPS));
    EXPECT_FALSE(theControlPanel.AddKeyByName("nothing", FVIRTKEY, VK_F11));
    ASSERT_TRUE(theControlPanel.RebuildAccelerators());
    theControlPanel.ShowColorDialog(TRUE);
    BOOL topMost = theVideoWnd.IsTopMost();
    SettingsCloser::seen = 0;
    SettingsCloser::accelOff = false;
    UINT_PTR timer = SetTimer(NULL, 0, 100, SettingsCloser::Tick);
    PostKey(VK_APPS);
    EXPECT_EQ(1, SettingsCloser::seen) << "the settings road ran";
    EXPECT_TRUE(SettingsCloser::accelOff) << "no shortcuts while the settings run";
    EXPECT_FALSE(Visible(theColorAdjustDlg));
    EXPECT_NE(topMost, theVideoWnd.IsTopMost()) << "the table ran too";
    EXPECT_TRUE(theControlPanel.GetAcceleratorsEnabled());
    if (theVideoWnd.IsTopMost() != topMost)
        theVideoWnd.SetTopMost(topMost);
    EXPECT_TRUE(theControlPanel.RemoveKeyByName(topName, "VK_APPS"));
    EXPECT_TRUE(theControlPanel.RebuildAccelerators());
    BOOL before = theVideoWnd.IsTopMost();
    PostKey(VK_APPS);
    KillTimer(NULL, timer);
    EXPECT_EQ(2, SettingsCloser::seen);
    EXPECT_EQ(before, theVideoWnd.IsTopMost());
}

// Right click opens menu 131 with the items greyed that their buttons are.
TEST_F(KavexWindowsTest, RightClickOpensThePanelMenuGreyedWithTheButtons)
{
    theControlPanel.EnableCommand(IDC_SNAPSHOT, FALSE);
    theControlPanel.EnableCommand(IDC_ABOUT, TRUE);
    UINT snapshot = 0, about = 0;
    MenuLoopStep step([&](HWND menuWindow) {
        HMENU menu = (HMENU)::SendMessageA(menuWindow, MN_GETHMENU, 0, 0);
        snapshot = ::GetMenuState(menu, IDC_SNAPSHOT, MF_BYCOMMAND);
        about = ::GetMenuState(menu, IDC_ABOUT, MF_BYCOMMAND);
    });
    theControlPanel.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(step.Ran());
    EXPECT_TRUE(snapshot & MF_GRAYED);
    EXPECT_FALSE(about & MF_GRAYED);
    EXPECT_FALSE(Enabled(IDC_SNAPSHOT));
    theControlPanel.EnableCommand(IDC_SNAPSHOT, TRUE);
}

// A format chosen elsewhere (the settings pages) puts the radio items and the label in step.
TEST_F(KavexWindowsTest, FormatMenusFollowTheChosenFormats)
{
    int format = theTVSystem.GetRecordFormat(), fm = theTVSystem.GetFMRecordFormat();
    const char* names[] = {"AVI", "Mpeg1", "Mpeg2", "Mpeg4", "VCD", "SVCD", "DVD", "HIDVD"};
    for (int f : {6, 0, 7}) {
        theTVSystem.SetRecordFormat(f);
        theTVSystem.SetFMRecordFormat(f % 4);
        theControlPanel.SyncFormatMenus();
        for (int i = 0; i < 8; i++)
            EXPECT_EQ(i == f, (theControlPanel.GetFormatMenu().GetMenuState(ID_FORMAT_AVI + i, MF_BYCOMMAND) & MF_CHECKED) != 0)
                << f << " " << i;
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(i == f % 4,
                      (theControlPanel.GetFMFormatMenu().GetMenuState(ID_FM_FORMAT_PCM + i, MF_BYCOMMAND) & MF_CHECKED) != 0)
                << f << " " << i;
        EXPECT_EQ(names[f], Label(IDC_FORMAT_LABEL));
    }
    theTVSystem.SetRecordFormat(format);
    theTVSystem.SetFMRecordFormat(fm);
    theControlPanel.SyncFormatMenus();
}

// Command 1202 walks the listed skins and back to the first; the colour dialog sits at each
// skin's corner of the panel.
TEST_F(KavexWindowsTest, SkinCommandWalksTheSkinsAndPlacesTheColourDialog)
{
    std::vector<std::string> names;
    const CStringList& list = theTVSystem.GetSkinNames();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        names.push_back((LPCTSTR)list.GetNext(pos));
    ASSERT_EQ((std::vector<std::string>{"BaseSkin", "One", "Two", "Three"}), names);
    ASSERT_STREQ("BaseSkin", theTVSystem.GetSkinName());
    struct Corner
    {
        const char* skin;
        int dx, dy;
        bool fromRight;
    } corners[] = {{"One", 0, 0, true}, {"Two", 7, 13, false}, {"Three", -75, 0, true}, {"BaseSkin", 0, 0, true}};
    for (const Corner& c : corners) {
        CRect before;
        theControlPanel.GetWindowRect(&before);
        theControlPanel.SendMessage(WM_COMMAND, IDC_CHANGE_SKIN);
        EXPECT_STREQ(c.skin, theTVSystem.GetSkinName());
        EXPECT_TRUE(Visible(theControlPanel));
        theControlPanel.ShowColorDialog(TRUE);
        CRect panel, color;
        theControlPanel.GetWindowRect(&panel);
        theColorAdjustDlg.GetWindowRect(&color);
        EXPECT_EQ((c.fromRight ? panel.right : panel.left) + c.dx, color.left) << c.skin;
        EXPECT_EQ(panel.top + c.dy, color.top) << c.skin;
        // Moving the panel takes the dialog along.
        theControlPanel.SetWindowPos(NULL, panel.left + 10, panel.top + 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        theColorAdjustDlg.GetWindowRect(&color);
        EXPECT_EQ((c.fromRight ? panel.right : panel.left) + c.dx + 10, color.left) << c.skin;
        theControlPanel.SetWindowPos(NULL, panel.left, panel.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        theControlPanel.ShowColorDialog(FALSE);
    }
}

// A skin whose library is missing keeps the old skin and still puts the volume back on the
// trackbar; with one name listed the command changes nothing.
TEST_F(KavexWindowsTest, SkinSwitchesThatCannotHappenKeepTheOldSkin)
{
    CString dir = theTVSystem.GetAppDir();
    CString ini, dll;
    theTVSystem.GetSkinList().GetSkinFiles("One", ini, dll);
    CString library = dir + "\\" + dll, aside = library + ".aside";
    ASSERT_TRUE(::MoveFileA(library, aside)) << (LPCTSTR)library;
    int volume = -1;
    ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&volume));
    CWnd* trackbar = theControlPanel.GetDlgItem(IDC_VOLUME);
    trackbar->SendMessage(TBM_SETPOS, TRUE, volume > 50 ? 10 : 90);
    theControlPanel.SendMessage(WM_COMMAND, IDC_CHANGE_SKIN);
    ::MoveFileA(aside, library);
    EXPECT_STREQ("BaseSkin", theTVSystem.GetSkinName());
    EXPECT_EQ(volume, (int)trackbar->SendMessage(TBM_GETPOS)) << "the volume re-applied";

    // Only the built-in skin listed.
    CString skinSet = dir + "\\SkinSet.ini", skinSetAside = skinSet + ".aside";
    theTVSystem.SaveSettings();
    ASSERT_TRUE(::MoveFileA(skinSet, skinSetAside));
    theTVSystem.LoadSettings();
    ::MoveFileA(skinSetAside, skinSet);
    EXPECT_EQ(1, theTVSystem.GetSkinNames().GetCount());
    theControlPanel.SendMessage(WM_COMMAND, IDC_CHANGE_SKIN);
    EXPECT_STREQ("BaseSkin", theTVSystem.GetSkinName());
    theTVSystem.LoadSettings();
    EXPECT_EQ(4, theTVSystem.GetSkinNames().GetCount());
}

// Time shift swaps the tooltips of the record and pause buttons; the stop swaps them back.
// (The run itself is the time-shift road's test.)
TEST_F(KavexWindowsTest, TimeShiftButtonsTakeTheirTooltips)
{
    theControlPanel.SetTimeShiftButtons(CControlPanelDlg::kTimeShiftRunning);
    EXPECT_EQ("时间位移停止", ToolText(IDC_RECORD));
    EXPECT_EQ("时间位移暂停", ToolText(IDC_PAUSE));
    theControlPanel.SetTimeShiftButtons(CControlPanelDlg::kTimeShiftStopped);
    EXPECT_EQ("录像/停止录像", ToolText(IDC_RECORD));
    EXPECT_EQ("暂停录像", ToolText(IDC_PAUSE));
}

} // namespace
