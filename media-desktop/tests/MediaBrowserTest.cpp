#include <gtest/gtest.h>

#include "CMediaBrowser.h"
#include "CMusicBrowser.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "WindowPixels.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const CMediaBrowser& browser)
{
    std::vector<std::string> names;
    for (int i = 0; i < browser.GetCount(); ++i) {
        CString text;
        browser.GetItemText(i, text);
        names.push_back((LPCTSTR)text);
    }
    return names;
}

std::vector<int> States(const CMediaBrowser& browser)
{
    std::vector<int> states;
    for (int i = 0; i < browser.GetCount(); ++i)
        states.push_back(browser.GetEntryState(i));
    return states;
}

void SetWriteTime(const std::string& path, int dayOfMonth)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    SYSTEMTIME time = {2024, 3, 0, (WORD)dayOfMonth, 12, 0, 0, 0};
    FILETIME written;
    SystemTimeToFileTime(&time, &written);
    EXPECT_TRUE(SetFileTime(file, NULL, NULL, &written));
    CloseHandle(file);
}

// The fixed drives as the system reports them, each as "C:".
std::vector<std::string> FixedDrives()
{
    std::vector<std::string> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if ((GetLogicalDrives() & (1u << (letter - 'A'))) && GetDriveTypeA(root.c_str()) == DRIVE_FIXED)
            drives.push_back(std::string(1, letter) + ":");
    }
    return drives;
}

class MediaBrowserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        // Files of several types and cases, one hidden and one system file, a hidden folder.
        for (const char* name : {"b.JPG", "a.jpeg", "C.bmp", "notes.txt", "clip.AVI", "README",
                                 "hidden.jpg", "system.bmp"})
            temp.Write(name, "x");
        for (const char* name : {"sub", "Album", "secret"})
            CreateDirectoryA(temp.FilePath(name).c_str(), NULL);
        SetFileAttributesA(temp.FilePath("hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA(temp.FilePath("system.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM);
        SetFileAttributesA(temp.FilePath("secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    }
    void TearDown() override
    {
        SetFileAttributesA(temp.FilePath("system.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
        if (browser.m_hWnd)
            browser.DestroyWindow();
        CoUninitialize();
    }
    void CreateBrowser(const CRect& rect = CRect(10, 10, 410, 310))
    {
        ASSERT_TRUE(browser.Create(WS_VISIBLE, rect, CWnd::FromHandle(host.Handle()), 316));
    }
    // Activates the entry as Enter on it does.
    void Activate(CMediaBrowser& list, int index)
    {
        list.SendMessage(WM_KEYDOWN, VK_HOME);
        for (int i = 0; i < index; ++i)
            list.SendMessage(WM_KEYDOWN, VK_RIGHT);
        ASSERT_EQ(index, list.GetCurSel());
        list.SendMessage(WM_KEYDOWN, VK_RETURN);
    }

    TempFolder temp;
    ParentWindow host{RECT{40, 40, 640, 480}};
    CMediaBrowser browser;
};

TEST_F(MediaBrowserTest, ListsParentFoldersAndTheFilesEachTypeListLetsThroughByName)
{
    const std::string videoTypes =
        ".mpeg.m1v.mp2.mpa.mpe.asx.wax.m3u.wpl.wvx.wmx.mid.rmi.midi.wm.wma.wmv.wmd..asf.avi.mpg.wmv.rm.";
    struct Case { std::string types; std::vector<std::string> files; };
    const Case cases[] = {
        {".jpg.jpeg.bmp.gif.", {"a.jpeg", "b.JPG", "C.bmp"}},
        {".JPEG.", {"a.jpeg"}},
        // The doubled dot lets no file without an extension through.
        {videoTypes, {"clip.AVI"}},
        {".*.", {"a.jpeg", "b.JPG", "C.bmp", "clip.AVI", "notes.txt", "README"}},
        {".mp3.", {}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        browser.SetTypes(cases[i].types.c_str());
        ASSERT_TRUE(browser.FillList(temp.Path().c_str())) << "row " << i;
        std::vector<std::string> expected = {"..", "Album", "sub"};
        expected.insert(expected.end(), cases[i].files.begin(), cases[i].files.end());
        EXPECT_EQ(expected, Names(browser)) << "row " << i;
        EXPECT_EQ(std::vector<int>(expected.size(), CMediaBrowser::ENTRY_WAITING), States(browser))
            << "row " << i;
        EXPECT_STREQ(temp.Path().c_str(), browser.GetFolder()) << "row " << i;
    }
    EXPECT_STREQ((temp.Path() + "\\Album").c_str(), browser.GetPath(1));
}

TEST_F(MediaBrowserTest, SortsByTimeOldestFirstWithParentAndFoldersInFront)
{
    browser.SetTypes(".jpg.jpeg.bmp.");
    SetWriteTime(temp.FilePath("a.jpeg"), 20);
    SetWriteTime(temp.FilePath("b.JPG"), 2);
    SetWriteTime(temp.FilePath("C.bmp"), 9);
    SetWriteTime(temp.FilePath("sub"), 1);
    SetWriteTime(temp.FilePath("Album"), 5);
    ASSERT_TRUE(browser.FillList(temp.Path().c_str()));

    browser.Sort(CMediaBrowser::SORT_BY_TIME);
    EXPECT_EQ((std::vector<std::string>{"..", "sub", "Album", "b.JPG", "C.bmp", "a.jpeg"}), Names(browser));
    ASSERT_TRUE(browser.Refresh());
    EXPECT_EQ((std::vector<std::string>{"..", "sub", "Album", "b.JPG", "C.bmp", "a.jpeg"}), Names(browser))
        << "a new listing keeps the sort mode";
    browser.Sort(CMediaBrowser::SORT_BY_NAME);
    EXPECT_EQ((std::vector<std::string>{"..", "Album", "sub", "a.jpeg", "b.JPG", "C.bmp"}), Names(browser));
}

TEST_F(MediaBrowserTest, ActivationWalksFoldersAndDrivesAndReportsFiles)
{
    CreateBrowser();
    browser.SetTypes(".jpg.jpeg.");
    ASSERT_TRUE(browser.FillList(temp.Path().c_str()));

    Activate(browser, 2);  // "sub"
    EXPECT_STREQ((temp.Path() + "\\sub").c_str(), browser.GetFolder());
    EXPECT_EQ(std::vector<std::string>{".."}, Names(browser));
    Activate(browser, 0);
    EXPECT_STREQ(temp.Path().c_str(), browser.GetFolder());

    host.ClearLog();
    Activate(browser, 3);  // "a.jpeg"
    auto activated = host.Sent(WM_KIT_ACTIVATE);
    ASSERT_EQ(1u, activated.size());
    EXPECT_EQ((WPARAM)browser.m_hWnd, activated[0].wParam);
    EXPECT_EQ(3, activated[0].lParam);
    EXPECT_STREQ(temp.Path().c_str(), browser.GetFolder()) << "a file lists nothing";

    // From a drive's root, ".." is the drive level: the prefix's fixed drives.
    ASSERT_TRUE(browser.FillList("C:"));
    Activate(browser, 0);
    EXPECT_TRUE(browser.IsDriveLevel());
    const std::vector<std::string> drives = FixedDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives, Names(browser));
    EXPECT_EQ(std::vector<int>(drives.size(), CMediaBrowser::ENTRY_DRIVE), States(browser));
    const int c = (int)(std::find(drives.begin(), drives.end(), "C:") - drives.begin());
    ASSERT_LT(c, (int)drives.size());
    Activate(browser, c);
    EXPECT_STREQ("C:", browser.GetFolder());
    EXPECT_EQ("..", Names(browser)[0]);
}

TEST_F(MediaBrowserTest, AFolderThatCannotBeListedKeepsTheOldList)
{
    const std::string gone = temp.FilePath("gone");
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), NULL));
    ASSERT_TRUE(WriteQuartersJpeg(gone + "\\x.jpg"));
    CreateBrowser();
    ASSERT_TRUE(browser.FillList(gone.c_str()));
    const std::vector<std::string> before = Names(browser);
    EXPECT_EQ((std::vector<std::string>{"..", "x.jpg"}), before);
    ASSERT_TRUE(PumpMessagesUntil([&] { return browser.GetEntryState(1) == 4; }, 5000));

    DeleteFileA((gone + "\\x.jpg").c_str());
    ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
    EXPECT_FALSE(browser.Refresh());
    EXPECT_EQ(before, Names(browser));
    EXPECT_STREQ(gone.c_str(), browser.GetFolder());
    EXPECT_FALSE(browser.FillList(temp.FilePath("never").c_str()));
    EXPECT_EQ(before, Names(browser));

    // A new size makes a new image list: the kept entries wait for new thumbnails.
    browser.MoveWindow(10, 10, 300, 300);
    EXPECT_EQ(before, Names(browser));
    EXPECT_EQ((std::vector<int>{CMediaBrowser::ENTRY_WAITING, CMediaBrowser::ENTRY_WAITING}), States(browser));
    EXPECT_EQ(4, browser.GetImageList().GetImageCount());
}

TEST_F(MediaBrowserTest, ThumbnailsArePicturesInAFrameAndFoldersAreMarked)
{
    ASSERT_TRUE(WriteQuartersJpeg(temp.FilePath("sub\\q.jpg")));
    temp.Write("sub\\broken.jpg", "not a picture at all");
    CreateDirectoryA(temp.FilePath("sub\\inner").c_str(), NULL);
    browser.SetGrid(3, 3);
    CreateBrowser();
    ASSERT_TRUE(browser.FillList(temp.FilePath("sub").c_str()));
    ASSERT_EQ((std::vector<std::string>{"..", "inner", "broken.jpg", "q.jpg"}), Names(browser));
    EXPECT_TRUE(PumpMessagesUntil([&] {
        for (int state : States(browser))
            if (state == CMediaBrowser::ENTRY_WAITING)
                return false;
        return true;
    }, 5000));
    EXPECT_EQ(CMediaBrowser::ENTRY_FOLDER, browser.GetEntryState(0));
    EXPECT_EQ(CMediaBrowser::ENTRY_FOLDER, browser.GetEntryState(1));
    EXPECT_EQ(CMediaBrowser::ENTRY_FAILED, browser.GetEntryState(2));
    // The four fixed images come first.
    EXPECT_EQ(4, browser.GetEntryState(3));
    ASSERT_EQ(5, browser.GetImageList().GetImageCount());

    // A 400 by 300 browser of 3 by 3 cells: 110 by 88 each, the image 8 less.
    int width = 0, height = 0;
    browser.GetImageList().GetIconSize(&width, &height);
    ASSERT_EQ(102, width);
    ASSERT_EQ(80, height);
    EXPECT_EQ(110, browser.GetItemRect(0).Width());
    EXPECT_EQ(88, browser.GetItemRect(0).Height());

    // The 64 by 32 picture at its own size in the middle of a button-face image with a white
    // and black frame.
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ImageList_Draw(browser.GetImageList().m_hImageList, 4, memory, 0, 0, ILD_NORMAL);
    const RECT all = {0, 0, width, height};
    std::vector<DWORD> pixels = WindowPixels::ReadDC(memory, all);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    auto at = [&](int x, int y) {
        DWORD p = pixels[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    EXPECT_EQ(RGB(255, 255, 255), at(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), at(width - 1, height - 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), at(5, 5));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), at(18, 40));
    // The picture stands at 19,24 to 83,56.
    const COLORREF topLeft = at(24, 28);
    const COLORREF bottomRight = at(78, 52);
    EXPECT_NEAR(GetRValue(kQuarters[0]), GetRValue(topLeft), 40);
    EXPECT_NEAR(GetBValue(kQuarters[0]), GetBValue(topLeft), 40);
    EXPECT_NEAR(GetGValue(kQuarters[3]), GetGValue(bottomRight), 40);
    EXPECT_NEAR(GetBValue(kQuarters[3]), GetBValue(bottomRight), 40);
}

TEST_F(MediaBrowserTest, TheMusicBrowserMarksOnlyFolders)
{
    temp.Write("sub\\song.mp3", "x");
    CreateDirectoryA(temp.FilePath("sub\\inner").c_str(), NULL);
    CMusicBrowser music;
    music.SetTypes(".wma.mp3.rm.wav.m3u.");
    ASSERT_TRUE(music.Create(WS_VISIBLE, CRect(10, 10, 410, 310), CWnd::FromHandle(host.Handle()), 2031));
    ASSERT_TRUE(music.FillList(temp.FilePath("sub").c_str()));
    EXPECT_TRUE(PumpMessagesUntil([&] { return music.GetEntryState(1) == CMediaBrowser::ENTRY_FOLDER; }, 5000));
    PumpMessagesUntil([] { return false; }, 100);
    EXPECT_EQ((std::vector<int>{CMediaBrowser::ENTRY_FOLDER, CMediaBrowser::ENTRY_FOLDER,
                                CMediaBrowser::ENTRY_WAITING}),
              States(music));
    EXPECT_EQ(4, music.GetImageList().GetImageCount());

    // A file plays on Enter or a double click, not a single click.
    host.ClearLog();
    const CRect song = music.GetItemRect(2);
    music.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(song.left + 5, song.top + 5));
    EXPECT_TRUE(host.Sent(WM_KIT_ACTIVATE).empty());
    music.SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(1u, host.Sent(WM_KIT_ACTIVATE).size());
    music.DestroyWindow();
}

}  // namespace
