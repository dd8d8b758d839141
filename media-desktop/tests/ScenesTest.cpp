#include <gtest/gtest.h>

#include "CCaptionWnd.h"
#include "CHomeScene.h"
#include "CMusicScene.h"
#include "CPictureScene.h"
#include "CSceneContainer.h"
#include "CVideoScene.h"
#include "CWinApp.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "WindowPixels.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

bool Near(COLORREF expected, COLORREF actual)
{
    return abs(GetRValue(expected) - GetRValue(actual)) < 40
           && abs(GetGValue(expected) - GetGValue(actual)) < 40
           && abs(GetBValue(expected) - GetBValue(actual)) < 40;
}

CRect RectInParent(CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(child.m_hWnd), (POINT*)&rect, 2);
    return rect;
}

std::vector<std::string> Texts(const CSuperListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetItemText(i, text);
        texts.push_back((LPCTSTR)text);
    }
    return texts;
}

void Click(CSuperListBox& list, int item)
{
    const CRect rect = list.GetItemRect(item);
    ASSERT_FALSE(rect.IsRectEmpty()) << "item " << item << " is not shown";
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.left + 3, rect.top + 3));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 3, rect.top + 3));
}

// The pages in a plain window of 800 by 600 that stands as the main window.
class ScenesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        main.Attach(host.Handle());
        app.m_pMainWnd = &main;
        host.SetAnswer([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            if (message == WM_CLOSE) {  // the desktop would close; the test window stays
                *result = 0;
                return TRUE;
            }
            if (message == WM_PLAY_MEDIA) {
                played.push_back({(LPCSTR)wParam, (int)lParam});
                *result = 0;
                return TRUE;
            }
            return FALSE;
        });
    }
    void TearDown() override
    {
        for (auto& page : pages)
            page->DestroyWindow();
        app.m_pMainWnd = NULL;
        main.Detach();
        CoUninitialize();
    }
    // Makes the page as the view does and adds it.
    template <typename Page>
    Page& Add()
    {
        Page* page = new Page;
        pages.emplace_back(page);
        EXPECT_TRUE(page->Create(WS_VISIBLE, CRect(0, 0, 800, 600), &main, 1003 + (UINT)pages.size()));
        container.AddPage(page);
        return *page;
    }

    ParentWindow host{RECT{0, 0, 800, 600}, WS_POPUP};
    CWinApp app;
    CWnd main;
    CSceneContainer container;
    std::vector<std::unique_ptr<CSceneBase>> pages;
    std::vector<std::pair<std::string, int>> played;
    TempFolder temp;
};

TEST_F(ScenesTest, TheContainerShowsOnePageAtATime)
{
    CSceneBase& first = Add<CSceneBase>();
    CSceneBase& second = Add<CSceneBase>();
    EXPECT_FALSE(first.IsWindowVisible()) << "added pages are hidden";
    EXPECT_FALSE(second.IsWindowVisible());
    EXPECT_EQ(0, container.GetCurrentIndex());
    EXPECT_EQ(&container, first.GetContainer());

    EXPECT_FALSE(container.ShowPage(-1));
    EXPECT_FALSE(container.ShowPage(2));
    EXPECT_TRUE(container.ShowPage(0));
    EXPECT_TRUE(first.IsWindowVisible());
    EXPECT_EQ(first.m_hWnd, GetFocus());

    EXPECT_TRUE(container.ShowPage(1));
    EXPECT_EQ(1, container.GetCurrentIndex());
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_EQ(second.m_hWnd, GetFocus());

    // The current page, visible already: nothing happens, the focus stays where it is.
    SetFocus(host.Handle());
    EXPECT_TRUE(container.ShowPage(1));
    EXPECT_EQ(host.Handle(), GetFocus());

    container.PlacePages(640, 480);
    EXPECT_EQ(CRect(0, 0, 640, 480), RectInParent(first));
    EXPECT_EQ(CRect(0, 0, 640, 480), RectInParent(second));
}

TEST_F(ScenesTest, TheHomePageStartsTheTvShowsTheMediaPagesAndCloses)
{
    CHomeScene& home = Add<CHomeScene>();
    for (int i = 0; i < 3; ++i)
        Add<CSceneBase>();
    ASSERT_TRUE(container.ShowPage(0));
    CMenuListBox& list = home.GetList();
    ASSERT_TRUE(list.m_hWnd) << "made on the first show";
    EXPECT_EQ(list.m_hWnd, home.GetDlgItem(2001)->m_hWnd);
    EXPECT_EQ((std::vector<std::string>{"我的电视", "我的图片", "我的视频", "我的音乐", "退出"}), Texts(list));
    EXPECT_EQ(271, list.GetItemRect(0).Width());
    EXPECT_EQ(66, list.GetItemRect(0).Height());
    // 300 by 420, centred and 50 below the middle, on every size.
    EXPECT_EQ(CRect(250, 140, 550, 560), RectInParent(list));
    container.PlacePages(1000, 700);
    EXPECT_EQ(CRect(350, 190, 650, 610), RectInParent(list));
    home.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(CRect(350, 190, 650, 610), RectInParent(list)) << "not when minimised";

    host.ClearLog();
    Click(list, 0);
    auto commands = host.Sent(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(2202u, commands[0].wParam);
    for (int page = 1; page <= 3; ++page) {
        ASSERT_TRUE(container.ShowPage(0));
        Click(list, page);
        EXPECT_EQ(page, container.GetCurrentIndex());
        EXPECT_TRUE(pages[page]->IsWindowVisible());
        EXPECT_FALSE(home.IsWindowVisible());
    }
    ASSERT_TRUE(container.ShowPage(0));
    host.ClearLog();
    Click(list, 4);
    EXPECT_TRUE(host.Sent(WM_CLOSE).empty()) << "posted, not sent";
    PumpMessagesUntil([&] { return !host.Sent(WM_CLOSE).empty(); }, 1000);
    EXPECT_EQ(1u, host.Sent(WM_CLOSE).size());
}

TEST_F(ScenesTest, MediaPagesPlaceTheirChildrenByTheirLayout)
{
    struct Case
    {
        std::function<CMediaScene&()> add;
        UINT listId, browserId, statusId;
        CRect list;
        std::vector<std::string> commands;
        // At 800 by 600, then the browser at 1000 by 700.
        CRect browser, status, wider;
        CSize item;
    };
    const std::vector<std::string> common = {"返回主页面", "刷新", "按名称排序", "按时间排序"};
    const Case cases[] = {
        {[&]() -> CMediaScene& { return Add<CPictureScene>(); }, 315, 316, 317, CRect(48, 80, 288, 480),
         {"返回主页面", "幻灯片", "刷新", "按名称排序", "按时间排序"},
         CRect(300, 80, 784, 584), CRect(300, 38, 784, 78), CRect(300, 80, 984, 684), CSize(138, 156)},
        {[&]() -> CMediaScene& { return Add<CVideoScene>(); }, 2006, 2007, 2008, CRect(48, 80, 288, 380), common,
         CRect(300, 80, 784, 584), CRect(300, 38, 784, 78), CRect(300, 80, 984, 684), CSize(138, 156)},
        // One column of ten.
        {[&]() -> CMediaScene& { return Add<CMusicScene>(); }, 2030, 2031, 2032, CRect(48, 80, 288, 380), common,
         CRect(328, 80, 784, 584), CRect(328, 38, 784, 78), CRect(328, 80, 984, 684), CSize(404, 41)},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        CMediaScene& scene = c.add();
        ASSERT_TRUE(container.ShowPage((int)i)) << "row " << i;
        ASSERT_EQ(scene.GetCommandList().m_hWnd, scene.GetDlgItem(c.listId)->GetSafeHwnd()) << "row " << i;
        ASSERT_EQ(scene.GetBrowser().m_hWnd, scene.GetDlgItem(c.browserId)->GetSafeHwnd()) << "row " << i;
        ASSERT_EQ(scene.GetStatusLine().m_hWnd, scene.GetDlgItem(c.statusId)->GetSafeHwnd()) << "row " << i;
        EXPECT_EQ(c.list, RectInParent(scene.GetCommandList())) << "row " << i;
        EXPECT_EQ(c.commands, Texts(scene.GetCommandList())) << "row " << i;
        EXPECT_EQ(220, scene.GetCommandList().GetItemRect(0).Width()) << "row " << i;
        EXPECT_EQ(48, scene.GetCommandList().GetItemRect(0).Height()) << "row " << i;
        EXPECT_EQ(c.browser, RectInParent(scene.GetBrowser())) << "row " << i;
        EXPECT_EQ(c.status, RectInParent(scene.GetStatusLine())) << "row " << i;
        EXPECT_EQ(c.item, scene.GetBrowser().GetItemRect(0).Size()) << "row " << i;
        scene.MoveWindow(0, 0, 1000, 700);
        EXPECT_EQ(c.wider, RectInParent(scene.GetBrowser())) << "row " << i;
        EXPECT_EQ(c.wider.Width(), RectInParent(scene.GetStatusLine()).Width()) << "row " << i;
        EXPECT_EQ(40, RectInParent(scene.GetStatusLine()).Height()) << "row " << i;
        EXPECT_EQ(38, RectInParent(scene.GetStatusLine()).top) << "row " << i;
    }
}

TEST_F(ScenesTest, MediaPageCommandsSortRefreshAndGoHome)
{
    Add<CSceneBase>();
    CPictureScene& pictures = Add<CPictureScene>();
    temp.Write("b.jpg", "x");
    temp.Write("a.jpg", "x");
    pictures.SetFolder(temp.Path().c_str());
    pictures.GetBrowser().SetTypes(".jpg.");
    ASSERT_TRUE(container.ShowPage(1));
    CMediaBrowser& browser = pictures.GetBrowser();
    CMenuListBox& commands = pictures.GetCommandList();
    EXPECT_EQ((std::vector<std::string>{"..", "a.jpg", "b.jpg"}), Texts(browser));

    // The status line shows the folder of the selected entry once the browser has painted.
    browser.UpdateWindow();
    EXPECT_EQ(std::vector<std::string>{temp.Path()}, Texts(pictures.GetStatusLine()));

    Click(commands, 4);
    EXPECT_EQ(CMediaBrowser::SORT_BY_TIME, browser.GetSortMode());
    Click(commands, 3);
    EXPECT_EQ(CMediaBrowser::SORT_BY_NAME, browser.GetSortMode());
    temp.Write("c.jpg", "x");
    Click(commands, 2);
    EXPECT_EQ((std::vector<std::string>{"..", "a.jpg", "b.jpg", "c.jpg"}), Texts(browser));
    Click(commands, 0);
    EXPECT_EQ(0, container.GetCurrentIndex());
    EXPECT_FALSE(pictures.IsWindowVisible());
}

TEST_F(ScenesTest, VideoAndMusicFilesGoToTheMainWindowToPlay)
{
    temp.Write("clip.avi", "x");
    temp.Write("movie.mpg", "x");
    temp.Write("song.mp3", "x");
    CVideoScene& video = Add<CVideoScene>();
    CMusicScene& music = Add<CMusicScene>();
    video.SetFolder(temp.Path().c_str());
    music.SetFolder(temp.Path().c_str());
    music.GetBrowser().SetTypes(".mp3.");

    ASSERT_TRUE(container.ShowPage(0));
    // The video browser's own types, until the view gives it the user's.
    ASSERT_EQ((std::vector<std::string>{"..", "clip.avi", "movie.mpg"}), Texts(video.GetBrowser()));
    Click(video.GetBrowser(), 1);
    ASSERT_TRUE(container.ShowPage(1));
    ASSERT_EQ((std::vector<std::string>{"..", "song.mp3"}), Texts(music.GetBrowser()));
    Click(music.GetBrowser(), 1);
    EXPECT_EQ(1u, played.size()) << "a single click only selects a song";
    music.GetBrowser().SendMessage(WM_KEYDOWN, VK_RETURN);
    ASSERT_EQ(2u, played.size());
    EXPECT_EQ(temp.Path() + "\\clip.avi", played[0].first);
    EXPECT_EQ(PLAY_MEDIA_VIDEO, played[0].second);
    EXPECT_EQ(temp.Path() + "\\song.mp3", played[1].first);
    EXPECT_EQ(PLAY_MEDIA_MUSIC, played[1].second);
    // The video browser's thumbnails would grab frames beside the program; none are made here.
    video.DestroyWindow();
}

TEST_F(ScenesTest, TheCaptionBarCoversTheTopAndGivesBackThePageItDisabled)
{
    CSceneBase& first = Add<CSceneBase>();
    CSceneBase& second = Add<CSceneBase>();
    ASSERT_TRUE(container.ShowPage(0));
    container.ShowTopBar(TRUE);
    CCaptionWnd* bar = container.GetTopBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(bar->m_hWnd, main.GetDlgItem(432)->GetSafeHwnd());
    EXPECT_EQ(CRect(0, 0, 800, 52), RectInParent(*bar));
    EXPECT_EQ(bar->m_hWnd, GetWindow(host.Handle(), GW_CHILD)) << "above the pages";
    EXPECT_FALSE(first.IsWindowEnabled());
    container.ShowTopBar(TRUE);
    EXPECT_EQ(bar, container.GetTopBar()) << "one bar";

    // Another page shown meanwhile: both are enabled once the bar goes.
    ASSERT_TRUE(container.ShowPage(1));
    container.ShowTopBar(FALSE);
    EXPECT_EQ(nullptr, container.GetTopBar());
    EXPECT_FALSE(IsWindow(GetDlgItem(host.Handle(), 432)));
    EXPECT_TRUE(first.IsWindowEnabled());
    EXPECT_TRUE(second.IsWindowEnabled());
}

class PictureViewingTest : public ScenesTest
{
protected:
    void SetUp() override
    {
        ScenesTest::SetUp();
        CreateDirectoryA(temp.FilePath("sub").c_str(), NULL);
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            ASSERT_TRUE(WriteQuartersJpeg(temp.FilePath(name)));
        scene = &Add<CPictureScene>();
        scene->SetFolder(temp.Path().c_str());
        scene->GetBrowser().SetTypes(".jpg.");
        ASSERT_TRUE(container.ShowPage(0));
        ASSERT_EQ((std::vector<std::string>{"..", "sub", "a.jpg", "b.jpg", "c.jpg"}),
                  Texts(scene->GetBrowser()));
    }
    bool Browsing()
    {
        return !scene->IsViewing() && scene->GetBrowser().IsWindowVisible()
               && scene->GetCommandList().IsWindowVisible() && scene->GetStatusLine().IsWindowVisible()
               && GetFocus() == scene->GetBrowser().m_hWnd;
    }
    bool Viewing(int index)
    {
        return scene->IsViewing() && scene->GetViewIndex() == index
               && !scene->GetBrowser().IsWindowVisible() && !scene->GetCommandList().IsWindowVisible()
               && !scene->GetStatusLine().IsWindowVisible() && GetFocus() == scene->m_hWnd;
    }

    CPictureScene* scene = nullptr;
};

TEST_F(PictureViewingTest, KeysStepThroughThePicturesAndReturnToBrowsing)
{
    Click(scene->GetBrowser(), 2);
    ASSERT_TRUE(Viewing(2));
    struct Step { UINT key; bool viewing; int index; };
    const Step steps[] = {
        {VK_SPACE, true, 3}, {VK_NEXT, true, 4}, {VK_PRIOR, true, 3}, {VK_UP, true, 2},
        {VK_DOWN, true, 3}, {VK_RETURN, false, 0},
    };
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); ++i) {
        scene->SendMessage(WM_KEYDOWN, steps[i].key);
        EXPECT_TRUE(steps[i].viewing ? Viewing(steps[i].index) : Browsing()) << "step " << i;
    }

    // Each way back, and the entries on either side that are no pictures.
    struct Back { int from; UINT message; WPARAM key; };
    const Back backs[] = {
        {2, WM_KEYDOWN, VK_ESCAPE},
        {3, WM_LBUTTONDOWN, MK_LBUTTON},
        {4, WM_KEYDOWN, VK_DOWN},  // past the end
        {2, WM_KEYDOWN, VK_UP},    // the folder before it
    };
    for (size_t i = 0; i < sizeof(backs) / sizeof(backs[0]); ++i) {
        ASSERT_TRUE(scene->ShowPicture(backs[i].from)) << "row " << i;
        scene->SendMessage(backs[i].message, backs[i].key, MAKELPARAM(100, 100));
        EXPECT_TRUE(Browsing()) << "row " << i;
    }
    EXPECT_FALSE(scene->ShowPicture(1)) << "a folder";
    EXPECT_TRUE(Browsing());
}

TEST_F(PictureViewingTest, APictureIsCentredShrunkOrStretchedOverTheWorkspaceColour)
{
    const COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
    ASSERT_TRUE(scene->ShowPicture(2));
    {
        // 64 by 32 in the middle of 800 by 600: 368,284 to 432,316.
        WindowPixels pixels(scene->m_hWnd);
        EXPECT_EQ(workspace, pixels.AtClient(10, 10));
        EXPECT_EQ(workspace, pixels.AtClient(364, 300));
        EXPECT_TRUE(Near(kQuarters[0], pixels.AtClient(372, 288)));
        EXPECT_TRUE(Near(kQuarters[3], pixels.AtClient(428, 312)));
    }
    scene->SetStretch(TRUE);
    scene->Invalidate();
    {
        WindowPixels pixels(scene->m_hWnd);
        EXPECT_TRUE(Near(kQuarters[0], pixels.AtClient(10, 10)));
        EXPECT_TRUE(Near(kQuarters[3], pixels.AtClient(790, 590)));
    }
    // Larger than a page of 32 by 100: shrunk to 32 by 16, keeping its proportions, at 42.
    scene->MoveWindow(0, 0, 32, 100);
    {
        WindowPixels pixels(scene->m_hWnd);
        EXPECT_EQ(workspace, pixels.AtClient(16, 38));
        EXPECT_EQ(workspace, pixels.AtClient(16, 61));
        EXPECT_TRUE(Near(kQuarters[0], pixels.AtClient(4, 45)));
        EXPECT_TRUE(Near(kQuarters[3], pixels.AtClient(28, 55)));
    }
}

TEST_F(PictureViewingTest, NoCaptionBarWhileAPictureIsShown)
{
    SetWindowPos(host.Handle(), NULL, 0, -100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(scene->ShowPicture(2));
    host.ClearLog();
    scene->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 110));
    EXPECT_TRUE(host.Sent(WM_SHOW_TOP_BAR).empty());
    scene->ReturnToBrowsing();
    scene->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 110));
    EXPECT_EQ(1u, host.Sent(WM_SHOW_TOP_BAR).size());
}

TEST_F(PictureViewingTest, TheSlideshowSkipsFoldersShowsEachPictureAndEndsByItself)
{
    scene->SetSlideshowSeconds(1);
    ASSERT_EQ(0, scene->GetBrowser().GetCurSel());
    Click(scene->GetCommandList(), 1);  // "幻灯片" from ".."
    ASSERT_TRUE(Viewing(2));
    EXPECT_TRUE(scene->IsSlideshowRunning());
    std::vector<int> shown = {2};
    EXPECT_TRUE(PumpMessagesUntil([&] {
        if (scene->IsViewing() && scene->GetViewIndex() != shown.back())
            shown.push_back(scene->GetViewIndex());
        return !scene->IsViewing();
    }, 6000));
    EXPECT_EQ((std::vector<int>{2, 3, 4}), shown);
    EXPECT_TRUE(Browsing());
    EXPECT_FALSE(scene->IsSlideshowRunning());
    scene->SetSlideshowSeconds(1);
    EXPECT_FALSE(scene->IsSlideshowRunning()) << "a new period starts nothing";

    // An entry whose file went since the listing is skipped at the start.
    scene->GetBrowser().SendMessage(WM_KEYDOWN, VK_END);
    scene->GetBrowser().SendMessage(WM_KEYDOWN, VK_LEFT);
    ASSERT_EQ(3, scene->GetBrowser().GetCurSel());
    ASSERT_TRUE(DeleteFileA(temp.FilePath("b.jpg").c_str()));
    scene->SetSlideshowSeconds(100);
    scene->StartSlideshow();
    EXPECT_TRUE(Viewing(4));
    // A running slideshow takes a new period at once.
    scene->SetSlideshowSeconds(1);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !scene->IsViewing(); }, 3000));
    EXPECT_TRUE(Browsing());
}

}  // namespace
