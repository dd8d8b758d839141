#include <gtest/gtest.h>

#include "BitmapDrawing.h"
#include "CPictureBitmap.h"
#include "FolderPaths.h"
#include "ParentWindow.h"
#include "TempFolder.h"
#include "TimedMessageBox.h"
#include "ToolkitTestResources.h"

#include <set>
#include <string>

namespace {

TEST(SplitPath, GivesEachPartOfAPath)
{
    struct Case { const char* path; int part; const char* expected; } cases[] = {
        {"C:\\TV\\Rec\\a.mpg", 1, "C:"},
        {"C:\\TV\\Rec\\a.mpg", 2, "C:\\TV\\Rec"},
        {"C:\\TV\\Rec\\a.mpg", 3, "a.mpg"},
        {"C:\\TV\\Rec\\a.mpg", 4, "a"},
        {"C:\\TV\\Rec\\a.mpg", 5, "mpg"},
        {"C:\\TV\\Rec\\a.mpg", 6, ""},
        {"C:\\TV\\Rec\\noext", 5, ""},
        {"C:\\TV\\Rec\\noext", 4, "noext"},
        {"name.avi", 3, "name.avi"},
        {"name.avi", 2, ""},
        // A double-byte character whose trail byte is a backslash is no separator.
        {"C:\\\xD5\x5C.bmp", 3, "\xD5\x5C.bmp"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_STREQ(cases[i].expected, (LPCTSTR)SplitPath(cases[i].path, cases[i].part)) << "case " << i;
}

TEST(CreateDirectories, CreatesEachLevelInTurn)
{
    TempFolder folder;
    std::string deep = folder.Path() + "\\A\\B\\C";
    EXPECT_TRUE(CreateDirectories(deep.c_str(), (int)folder.Path().size()));
    EXPECT_TRUE(IsDirectory((folder.Path() + "\\A").c_str()));
    EXPECT_TRUE(IsDirectory(deep.c_str()));
    EXPECT_TRUE(CreateDirectories(deep.c_str(), 0));
    // A level that is a file cannot become a folder.
    folder.Write("F", "x");
    EXPECT_FALSE(CreateDirectories((folder.Path() + "\\F\\G").c_str(), 0));
}

TEST(GetModuleDir, IsTheProgramsFolderWithoutATrailingBackslash)
{
    char file[MAX_PATH];
    GetModuleFileNameA(NULL, file, MAX_PATH);
    std::string expected(file, strrchr(file, '\\'));
    EXPECT_EQ(expected, (LPCTSTR)GetModuleDir(NULL));
}

// The captions of the box the countdown retitles, read on each of the thread's own ticks.
std::set<std::string> g_captions;
HWND g_owner;
void CALLBACK ReadCaptions(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = GetLastActivePopup(g_owner);
    char text[64] = "";
    if (box != g_owner && GetWindowTextA(box, text, sizeof(text)))
        g_captions.insert(text);
}

TEST(TimedMessageBox, CountsDownInItsCaptionAndAnswersTheTimeoutResult)
{
    ParentWindow owner;
    SetWindowTextA(owner.Handle(), "Owner");
    g_owner = owner.Handle();
    g_captions.clear();
    UINT_PTR reader = SetTimer(NULL, 0, 100, ReadCaptions);
    CWnd* ownerWnd = CWnd::FromHandle(owner.Handle());
    int result = TimedMessageBox(ownerWnd, "Stopping failed", "Kavex", 77, MB_OKCANCEL, 1000);
    KillTimer(NULL, reader);

    EXPECT_EQ(77, result);
    EXPECT_TRUE(g_captions.count("Kavex"));
    EXPECT_TRUE(g_captions.count("Left Seconds: 1"));
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    char title[32] = "";
    GetWindowTextA(owner.Handle(), title, sizeof(title));
    EXPECT_STREQ("Owner", title);
}

SIZE Size(CBitmap& bitmap)
{
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    return {info.bmWidth, info.bmHeight};
}

COLORREF PixelOf(CBitmap& bitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* old = dc.SelectObject(&bitmap);
    COLORREF pixel = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return pixel;
}

TEST(CPictureBitmap, LoadsBmpJpegAndGifAtTheirPixelSizeAndOnlyOnce)
{
    CoInitialize(NULL);
    struct Case { UINT id; const char* type; int width, height; COLORREF colour; } cases[] = {
        {IDB_PICTURE, (const char*)RT_BITMAP, 30, 20, RGB(0xC0, 0x80, 0x40)},
        {IDR_PICTURE_JPEG, "JPG", 24, 16, RGB(0x20, 0x40, 0xC0)},
        {IDR_PICTURE_GIF, "GIF", 20, 10, RGB(0x00, 0xFC, 0x00)},
    };
    for (const Case& c : cases) {
        CPictureBitmap picture;
        if (c.type == (const char*)RT_BITMAP) {
            // A bitmap resource has no file header: the file form is read instead.
            TempFolder folder;
            HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(c.id), RT_BITMAP);
            DWORD size = SizeofResource(NULL, found);
            const char* bits = (const char*)LockResource(LoadResource(NULL, found));
            BITMAPFILEHEADER header = {0x4D42, (DWORD)(sizeof(header) + size), 0, 0,
                                       (DWORD)(sizeof(header) + sizeof(BITMAPINFOHEADER))};
            std::string file((const char*)&header, sizeof(header));
            file.append(bits, size);
            ASSERT_TRUE(picture.LoadFromFile(folder.Write("p.bmp", file).c_str(), 0xFFFFFFFF));
        } else {
            ASSERT_TRUE(picture.LoadFromResource(c.id, c.type, GetModuleHandleA(NULL), 0xFFFFFFFF)) << c.type;
        }
        SIZE size = Size(picture);
        EXPECT_EQ(c.width, size.cx) << c.type;
        EXPECT_EQ(c.height, size.cy) << c.type;
        COLORREF pixel = PixelOf(picture, c.width / 2, c.height / 2);
        EXPECT_NEAR(GetRValue(c.colour), GetRValue(pixel), 8) << c.type;
        EXPECT_NEAR(GetGValue(c.colour), GetGValue(pixel), 8) << c.type;
        EXPECT_NEAR(GetBValue(c.colour), GetBValue(pixel), 8) << c.type;
        HGDIOBJ held = picture.m_hObject;
        EXPECT_FALSE(picture.LoadFromResource(IDR_PICTURE_GIF, "GIF", GetModuleHandleA(NULL), 0));
        EXPECT_EQ(held, picture.m_hObject);
    }
    CPictureBitmap missing;
    EXPECT_FALSE(missing.LoadFromFile("C:\\no such picture.jpg", 0));
    EXPECT_EQ(NULL, missing.m_hObject);
    CoUninitialize();
}

TEST(DrawTransparentBitmap, LeavesTheDestinationUnderTheKeyColour)
{
    const COLORREF kKey = RGB(255, 0, 255), kInk = RGB(10, 200, 30), kPaper = RGB(90, 90, 250);
    CDC screen;
    screen.CreateCompatibleDC(NULL);
    CClientDC desktop(NULL);
    CBitmap source, target;
    source.CreateCompatibleBitmap(&desktop, 4, 1);
    target.CreateCompatibleBitmap(&desktop, 6, 1);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* old = dc.SelectObject(&source);
    dc.SetPixel(0, 0, kInk);
    dc.SetPixel(1, 0, kKey);
    dc.SetPixel(2, 0, kKey);
    dc.SetPixel(3, 0, kInk);
    dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 6, 1, kPaper);
    EXPECT_TRUE(DrawBitmapTransparentAt(&dc, 1, 0, kKey, &source));
    EXPECT_FALSE(DrawBitmapTransparentAt(&dc, 1, 0, kKey, NULL));
    const COLORREF expected[] = {kPaper, kInk, kPaper, kPaper, kInk, kPaper};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(expected[x], dc.GetPixel(x, 0)) << "x " << x;
    dc.SelectObject(old);
}

} // namespace
