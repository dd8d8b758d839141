// The TV wall and the screen tool bar over the simulated card with three stations.
#include <gtest/gtest.h>

#include <string>

#include "CScreenToolBar.h"
#include "CTVWallWnd.h"
#include "KavexWindowsFixture.h"
#include "PathUtil.h"

#include <commctrl.h>

#include "PumpMessages.h"
#include "WaitUntil.h"
#include "WindowPixels.h"

namespace {

const COLORREF kWallBackground = RGB(0x10, 0x18, 0x20);

std::string Station()
{
    SimControl card(0);
    std::string state = "\n" + card("state");
    size_t at = state.find("\nstation=");
    if (at == std::string::npos)
        return "";
    at += 9;
    return state.substr(at, state.find('\n', at) - at);
}

CTVWallWnd& Wall()
{
    return theControlPanel.GetTVWall();
}

CScreenToolBar& Bar()
{
    return theControlPanel.GetScreenToolBar();
}

// The renderer's window: a child of the window that owns the picture.
CRect PictureRect(HWND owner)
{
    HWND child = ::GetWindow(owner, GW_CHILD);
    CRect rect;
    if (child != NULL)
        ::GetWindowRect(child, &rect);
    return rect;
}

CRect CellInClient(int cell)
{
    CRect place;
    Wall().GetGrid().GetCell(cell, place);
    ::MapWindowPoints(NULL, Wall().m_hWnd, (LPPOINT)&place, 2);
    return place;
}

// A key as the program's loop hands it to the wall, before its window sees it.
BOOL PreTranslateKey(WPARAM key)
{
    MSG msg = {Wall().m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
    return Wall().PreTranslateMessage(&msg);
}

class TVWallTest : public KavexWindowsTest
{
protected:
    void SetUp() override
    {
        KavexWindowsTest::SetUp();
        theTVSystem.SelectChannelByIndex(1);
        // No thumbnail from an earlier run.
        for (int channel = 0; channel < 3; channel++)
            ::DeleteFileA(Thumbnail(channel));
    }

    void TearDown() override
    {
        if (Visible(Wall()))
            Wall().Close();
        UserInput::Settle();
    }

    static CString Thumbnail(int channel)
    {
        CString path;
        path.Format("%s\\%d.bmp", (LPCTSTR)Wall().GetThumbnailFolder(), channel);
        return path;
    }

    void OpenWall()
    {
        theControlPanel.SendMessage(WM_COMMAND, IDC_TV_WALL);
        ASSERT_TRUE(Visible(Wall()));
        UserInput::BringToFront(Wall().m_hWnd);
    }
};

// The wall covers the screen with 16 cells; three channels repeat over them, and the picture
// runs inside the selected cell while the panel and the video window are away.
TEST_F(TVWallTest, OpensOverTheScreenWithTheChannelsRepeated)
{
    EXPECT_EQ(std::string(Wall().GetThumbnailFolder().Right(5)), "\\WALL");
    EXPECT_TRUE(CPathUtil::FolderExists(Wall().GetThumbnailFolder()));
    OpenWall();
    CRect window;
    Wall().GetWindowRect(&window);
    EXPECT_EQ(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)), window);
    EXPECT_FALSE(Visible(theVideoWnd));
    EXPECT_FALSE(Visible(theControlPanel));
    EXPECT_FALSE(theControlPanel.GetAcceleratorsEnabled());
    EXPECT_EQ(1, Wall().GetSelectedCell());
    EXPECT_EQ(0, Wall().GetPageOffset());
    for (int cell = 0; cell < 16; cell++)
        EXPECT_EQ(cell % 3, Wall().GetChannelOfCell(cell)) << cell;
    CRect cell;
    Wall().GetGrid().GetCell(1, cell);
    CRect picture = PictureRect(Wall().m_hWnd);
    EXPECT_FALSE(picture.IsRectEmpty());
    cell.DeflateRect(1, 1);
    EXPECT_EQ(cell, picture);
}

// A click on another cell tunes its channel and pauses the stepping; a click on the selected
// cell resumes it, the next pauses it again.
TEST_F(TVWallTest, AClickTunesTheCellAndPausesOrResumesTheStepping)
{
    OpenWall();
    ASSERT_TRUE(Wall().IsStepping());
    CRect cell5 = CellInClient(5);  // channel 2, "C"
    UserInput::Click(Wall().m_hWnd, cell5.CenterPoint());
    EXPECT_TRUE(WaitUntil(3000, [] { return Station() == "SIM-4"; })) << Station();
    EXPECT_EQ(5, Wall().GetSelectedCell());
    EXPECT_FALSE(Wall().IsStepping());
    CRect picture = PictureRect(Wall().m_hWnd);
    CRect inside;
    Wall().GetGrid().GetCell(5, inside);
    EXPECT_TRUE(inside.PtInRect(picture.CenterPoint()));
    UserInput::Click(Wall().m_hWnd, CPoint(cell5.left + 5, cell5.bottom - 5));
    EXPECT_TRUE(Wall().IsStepping());
    UserInput::Click(Wall().m_hWnd, CPoint(cell5.left + 5, cell5.bottom - 5));
    EXPECT_FALSE(Wall().IsStepping());
    EXPECT_EQ(5, Wall().GetSelectedCell());
}

// The step timer writes the running channel's snapshot and draws it in the channel's cells;
// a channel without one shows the wall's background.
TEST_F(TVWallTest, SteppingWritesThumbnailsAndDrawsThem)
{
    OpenWall();
    ASSERT_TRUE(PumpMessagesUntil([] { return Wall().GetSelectedCell() == 2; }, 5000));
    CString written = Thumbnail(1);
    HBITMAP bitmap = (HBITMAP)::LoadImageA(NULL, written, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ASSERT_NE((HBITMAP)NULL, bitmap) << (LPCTSTR)written;
    BITMAP size = {};
    ::GetObject(bitmap, sizeof(size), &size);
    ::DeleteObject(bitmap);
    EXPECT_GT(size.bmWidth, 100);
    EXPECT_FALSE(CPathUtil::FileExists(Thumbnail(0)));
    Wall().UpdateWindow();
    WindowPixels pixels(Wall().m_hWnd);
    // The wall and the running picture's window, named by its place on the wall.
    if (const char* out = getenv("WALL_PICTURE")) {
        pixels.SaveBmp(out);
        CRect picture = PictureRect(Wall().m_hWnd);
        char name[40];
        sprintf(name, ".cell-%ld-%ld.bmp", picture.left, picture.top);
        WindowPixels(::GetWindow(Wall().m_hWnd, GW_CHILD)).SaveBmp(out + std::string(name));
    }
    CRect window;
    Wall().GetWindowRect(&window);
    // Cells 0 and 3 hold channel 0, without a picture; cells 1 and 4 channel 1, with one.
    for (int cell : {0, 3, 1, 4}) {
        CRect place;
        Wall().GetGrid().GetCell(cell, place);
        CPoint at = place.CenterPoint() - window.TopLeft();
        EXPECT_EQ(cell % 3 == 0, pixels.At(at.x, at.y) == kWallBackground) << cell;
    }
}

TEST_F(TVWallTest, SteppingBackStopsAtTheFirstCellAndPastTheLastPages)
{
    OpenWall();
    Wall().SelectCell(0);
    Wall().Step(-1);
    EXPECT_EQ(0, Wall().GetSelectedCell());
    EXPECT_EQ(0, Wall().GetPageOffset());
    Wall().SelectCell(14);
    Wall().Step(1);
    EXPECT_EQ(15, Wall().GetSelectedCell());
    EXPECT_EQ(0, Wall().GetPageOffset());
    Wall().Step(1);
    EXPECT_EQ(0, Wall().GetSelectedCell());
    EXPECT_EQ(16 % 3, Wall().GetPageOffset());
    EXPECT_EQ(1, Wall().GetChannelOfCell(0));
    Wall().Step(-1);
    EXPECT_EQ(0, Wall().GetSelectedCell());
    EXPECT_EQ(0, Wall().GetPageOffset());
    EXPECT_TRUE(WaitUntil(3000, [] { return Station() == "SIM-1"; })) << Station();
}

// Enter, Esc and F5 close the wall and give the picture back; the keys are not consumed.
TEST_F(TVWallTest, KeysCloseTheWallAndGiveThePictureBack)
{
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_F5}) {
        OpenWall();
        EXPECT_FALSE(PreTranslateKey(key)) << key;
        EXPECT_FALSE(Visible(Wall())) << key;
        EXPECT_TRUE(Visible(theVideoWnd)) << key;
        EXPECT_TRUE(Visible(theControlPanel)) << key;
        EXPECT_TRUE(theControlPanel.GetAcceleratorsEnabled()) << key;
        CRect client, picture = PictureRect(theVideoWnd.m_hWnd);
        theVideoWnd.GetClientRect(&client);
        EXPECT_EQ(client.Size(), picture.Size()) << key;
    }
}

// A right click closes the wall on the channel that runs: nothing is tuned.
TEST_F(TVWallTest, ARightClickClosesWithoutTuning)
{
    OpenWall();
    ASSERT_TRUE(WaitUntil(3000, [] { return Station() == "SIM-3"; })) << Station();
    Wall().SendMessage(WM_CLOSE);
    EXPECT_TRUE(Visible(Wall())) << "WM_CLOSE is ignored";
    UserInput::RightClick(Wall().m_hWnd, CellInClient(5).CenterPoint());
    EXPECT_FALSE(Visible(Wall()));
    EXPECT_EQ("SIM-3", Station());
    EXPECT_TRUE(Visible(theVideoWnd));
}

class ScreenToolBarTest : public KavexWindowsTest
{
protected:
    void TearDown() override
    {
        Bar().GetButton(IDC_BAR_FIX).SetCheck(FALSE);
        Bar().ShowBar(FALSE);
        theVideoWnd.ShowWindow(SW_RESTORE);
        UserInput::Settle();
    }

    // The mouse at the top edge of the full-screen picture.
    void ShowFromTheTop()
    {
        theVideoWnd.ShowWindow(SW_MAXIMIZE);
        UserInput::BringToFront(theVideoWnd.m_hWnd);
        UserInput::MoveTo(theVideoWnd.m_hWnd, CPoint(300, 200));
        UserInput::MoveTo(theVideoWnd.m_hWnd, CPoint(300, 1));
    }
};

TEST_F(ScreenToolBarTest, WaitsHiddenAlongTheTopOfTheScreen)
{
    HWND found = ::FindWindowA(NULL, "ScreenTool");
    ASSERT_EQ(Bar().m_hWnd, found);
    EXPECT_FALSE(::IsWindowVisible(found));
    CRect window;
    Bar().GetWindowRect(&window);
    EXPECT_EQ(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), 36), window);
    EXPECT_EQ(theVideoWnd.m_hWnd, ::GetWindow(found, GW_OWNER));
}

// Shown from the picture's top edge it carries the channel, the volume and the mute state,
// and the on-screen texts move down beneath it.
TEST_F(ScreenToolBarTest, TheTopEdgeOfTheFullScreenPictureShowsIt)
{
    theControlPanel.SetMute(TRUE);
    theControlPanel.SetVolume(35);
    ShowFromTheTop();
    ASSERT_TRUE(Visible(Bar()));
    CString label;
    Bar().GetLabel().GetWindowText(label);
    CString expected;
    expected.Format("%d,%s", theTVSystem.GetChannelIndex(), (LPCTSTR)theTVSystem.GetCurrentChannel()->GetName());
    EXPECT_STREQ(expected, label);
    EXPECT_EQ(35, Bar().GetSlider().GetPos());
    EXPECT_TRUE(Bar().GetButton(IDC_BAR_SOUND).GetCheck());
    EXPECT_EQ(45, theVideoWnd.GetChannelOverlay().GetTextRect().top);
    EXPECT_EQ(120, theVideoWnd.GetSourceOverlay().GetTextRect().top);
    // The bar and the renderer's window beneath it, both at the screen's corner (each window
    // keeps its own pixels headless: the two are laid over each other outside).
    if (const char* out = getenv("BAR_PICTURE")) {
        Bar().UpdateWindow();
        WindowPixels(Bar().m_hWnd).SaveBmp(out);
        WindowPixels(::GetWindow(theVideoWnd.m_hWnd, GW_CHILD)).SaveBmp(std::string(out) + ".under.bmp");
    }
    theControlPanel.SetMute(FALSE);
    EXPECT_FALSE(Bar().GetButton(IDC_BAR_SOUND).GetCheck());
    theControlPanel.SendMessage(WM_COMMAND, IDC_CHANNEL_UP);
    CString panelLabel;
    theControlPanel.GetDlgItem(IDC_CHANNEL_LABEL)->GetWindowText(panelLabel);
    Bar().GetLabel().GetWindowText(label);
    EXPECT_STREQ(panelLabel, label);
    theControlPanel.SendMessage(WM_COMMAND, IDC_CHANNEL_DOWN);
    theControlPanel.SetVolume(60);
    EXPECT_EQ(60, Bar().GetSlider().GetPos());
    // Another command closes the bar: the overlays go back up.
    theControlPanel.SendMessage(WM_COMMAND, IDC_TV_WALL);
    UserInput::Settle();
    EXPECT_FALSE(Visible(Bar()));
    EXPECT_EQ(5, theVideoWnd.GetChannelOverlay().GetTextRect().top);
    if (Visible(Wall()))
        Wall().Close();
}

// It hides a while after the mouse has left it, unless FIX is pressed.
TEST_F(ScreenToolBarTest, HidesAfterTheMouseLeavesUnlessPinned)
{
    Bar().SetHideDelay(300);
    ShowFromTheTop();
    ASSERT_TRUE(Visible(Bar()));
    UserInput::MoveTo(Bar().m_hWnd, CPoint(300, 10));
    UserInput::MoveTo(theVideoWnd.m_hWnd, CPoint(300, 300));
    EXPECT_TRUE(PumpMessagesUntil([] { return !Visible(Bar()); }, 3000));

    ShowFromTheTop();
    ASSERT_TRUE(Visible(Bar()));
    CRect fix;
    Bar().GetButton(IDC_BAR_FIX).GetWindowRect(&fix);
    Bar().ScreenToClient((LPPOINT)&fix);
    UserInput::Click(Bar().m_hWnd, CPoint(fix.left + 5, fix.top + 5));
    EXPECT_TRUE(Bar().IsPinned());
    UserInput::MoveTo(theVideoWnd.m_hWnd, CPoint(300, 300));
    PumpMessagesUntil([] { return false; }, 1000);
    EXPECT_TRUE(Visible(Bar())) << "pinned";
    Bar().SetHideDelay(CScreenToolBar::kHideMs);
}

// A button forwards its command only while the panel's own control is enabled.
TEST_F(ScreenToolBarTest, ButtonsForwardOnlyWhatThePanelAllows)
{
    ShowFromTheTop();
    std::string before = Station();
    theControlPanel.EnableCommand(IDC_CHANNEL_UP, FALSE);
    Bar().ForwardCommand(IDC_CHANNEL_UP);
    EXPECT_EQ(before, Station());
    // The record button's one-second lock.
    theControlPanel.EnableCommand(IDC_RECORD, FALSE);
    Bar().ForwardCommand(IDC_RECORD);
    EXPECT_FALSE(theTVSystem.IsRecording());
    PumpMessagesUntil([] { return !Bar().GetButton(IDC_BAR_RECORD).IsWindowEnabled(); }, 1000);
    EXPECT_FALSE(Bar().GetButton(IDC_BAR_RECORD).IsWindowEnabled()) << "mirrors the panel";
    theControlPanel.EnableCommand(IDC_RECORD, TRUE);
    theControlPanel.EnableCommand(IDC_CHANNEL_UP, TRUE);
    CRect up;
    Bar().GetButton(IDC_BAR_UP).GetWindowRect(&up);
    Bar().ScreenToClient((LPPOINT)&up);
    PumpMessagesUntil([] { return Bar().GetButton(IDC_BAR_UP).IsWindowEnabled() != FALSE; }, 1000);
    UserInput::Click(Bar().m_hWnd, CPoint(up.left + 5, up.top + 5));
    EXPECT_TRUE(WaitUntil(3000, [&] { return Station() != before; })) << before;
    theControlPanel.SendMessage(WM_COMMAND, IDC_CHANNEL_DOWN);
}

// The slider sets the play line's volume and the panel's trackbar.
TEST_F(ScreenToolBarTest, TheSliderSetsTheVolume)
{
    ShowFromTheTop();
    for (int value : {0, 45, 100}) {
        Bar().GetSlider().SetPos(value);
        Bar().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, value), (LPARAM)Bar().GetSlider().m_hWnd);
        int line = -1;
        ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&line));
        EXPECT_EQ(value, line);
        EXPECT_EQ(value, (int)theControlPanel.GetDlgItem(IDC_VOLUME)->SendMessage(TBM_GETPOS));
    }
}

} // namespace
