#include <gtest/gtest.h>

#include <afxcmn.h>

#include "CSkin.h"
#include "CSkinWnd.h"
#include "FolderPaths.h"
#include "SkinEngineTestResources.h"
#include "SkinSwitch.h"
#include "WindowPixels.h"

#include <string>

namespace {

// Colours of the program's skins (ui/app/skins): a button at rest, the panel, the colour panel.
const COLORREF kBaseButton = RGB(0x30, 0x60, 0xC0);
const COLORREF kBasePanel = RGB(0x28, 0x3C, 0x5A);
const COLORREF kBaseColorPanel = RGB(0x30, 0x40, 0x50);
const COLORREF kOneButton = RGB(0xC0, 0x60, 0x30);
const COLORREF kTwoButton = RGB(0x30, 0xC0, 0x60);
const COLORREF kTwoColorPanel = RGB(0x20, 0x50, 0x30);

const POINT kButton1000 = {36 + 2, 10 + 2};  // beside its caption
const POINT kBarePanel = {300, 140};
const POINT kBareColorPanel = {180, 170};

// The skins lie beside the test program as beside Kavex.
std::string ProgramFile(const char* name)
{
    return std::string((LPCTSTR)GetModuleDir(NULL)) + "\\" + name;
}

struct SkinFiles
{
    std::string ini, dll, colorIni, colorDll;
};

// The host's choice of files: the built-in skin in the program's folder, a listed one in its
// own folder with its colour skin beside it.
SkinFiles FilesOf(const std::string& folder)
{
    std::string base = folder.empty() ? ProgramFile("") : ProgramFile(("Skins\\" + folder + "\\").c_str());
    return {base + "Skin.ini", base + "Vellumpack.dll", base + "ColorSkin.ini", base + "Chromabin.dll"};
}

COLORREF ClientPixel(CWnd& window, POINT point)
{
    ::RedrawWindow(window.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return WindowPixels(window.m_hWnd).AtClient(point.x, point.y);
}

// The window's rectangle in its parent's client area.
CRect PlaceOf(HWND control)
{
    CRect rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(NULL, GetParent(control), (LPPOINT)&rect, 2);
    return rect;
}

class SkinEngineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(panel.Create(IDD_PANEL, NULL));
        ASSERT_TRUE(colorPanel.Create(IDD_COLOR_PANEL, NULL));
        panel.SetWindowPos(NULL, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        colorPanel.SetWindowPos(NULL, 500, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    void TearDown() override
    {
        delete panelSkin;
        delete colorSkin;
        panel.DestroyWindow();
        colorPanel.DestroyWindow();
    }

    // The colour skin first, then the panel's; the panel's result.
    BOOL Switch(const SkinFiles& files)
    {
        SwitchSkin(colorSkin, &colorPanel, files.colorIni.c_str(), files.colorDll.c_str());
        return SwitchSkin(panelSkin, &panel, files.ini.c_str(), files.dll.c_str());
    }

    CDialog panel, colorPanel;
    CSkin* panelSkin = NULL;
    CSkin* colorSkin = NULL;
};

struct Placement
{
    UINT id;
    RECT place;
};

const Placement kBasePlacements[] = {
    // id                  left, top, right, bottom
    {1000,                 {36, 10, 60, 30}},
    {1202,                 {264, 62, 288, 82}},
    {1105,                 {340, 36, 365, 56}},
    {IDC_VOLUME,           {36, 92, 156, 108}},
    {IDC_CHANNEL_LABEL,    {170, 90, 270, 108}},
    {IDC_FORMAT_LABEL,     {280, 90, 360, 108}},
    {IDC_CLOCK_LABEL,      {170, 112, 250, 130}},
    {IDC_TIME_SHIFT,       {36, 120, 166, 134}},
};

} // namespace

TEST_F(SkinEngineTest, BuiltInSkinDressesEveryControlOfThePanel)
{
    ASSERT_TRUE(Switch(FilesOf("")));
    ASSERT_EQ(30, panelSkin->GetControlCount()) << "25 buttons, the trackbar, 3 labels, the multi-slider";
    for (int index = 0; index < panelSkin->GetControlCount(); ++index)
        EXPECT_TRUE(panelSkin->GetControl(index)->m_hWnd != NULL) << panelSkin->GetControlId(index);
    for (const Placement& row : kBasePlacements)
        EXPECT_EQ(CRect(row.place), PlaceOf(::GetDlgItem(panel.m_hWnd, row.id))) << row.id;

    CRect outer;
    panel.GetWindowRect(&outer);
    EXPECT_EQ(CSize(420, 150), outer.Size());
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(panel.m_hWnd, shape));
    EXPECT_FALSE(shape.PtInRegion(10, 75)) << "the panel's transparent edge";
    EXPECT_TRUE(shape.PtInRegion(200, 75));
    ASSERT_NE(ERROR, GetWindowRgn(::GetDlgItem(panel.m_hWnd, 1105), shape)) << "a shaped button";
    EXPECT_FALSE(shape.PtInRegion(2, 10));
    EXPECT_TRUE(shape.PtInRegion(12, 10));

    char text[32];
    ::GetDlgItemTextA(panel.m_hWnd, IDC_CHANNEL_LABEL, text, sizeof(text));
    EXPECT_STREQ("Channel", text);
    ::GetDlgItemTextA(panel.m_hWnd, IDC_CLOCK_LABEL, text, sizeof(text));
    EXPECT_STREQ("00:00:00", text);

    EXPECT_EQ(kBaseButton, ClientPixel(panel, kButton1000));
    EXPECT_EQ(kBasePanel, ClientPixel(panel, kBarePanel));
    EXPECT_EQ(kBaseButton, ClientPixel(panel, {340 + 12, 36 + 2})) << "a shaped button";
    EXPECT_EQ(kBasePanel, ClientPixel(panel, {340 + 2, 36 + 2})) << "beside its shape";
    EXPECT_EQ(RGB(0xC0, 0xD0, 0xE0), ClientPixel(panel, {170 + 78, 112 + 1})) << "clock label";
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), ClientPixel(panel, {170 + 98, 90 + 1})) << "channel label";
    EXPECT_EQ(kBaseColorPanel, ClientPixel(colorPanel, kBareColorPanel));

    // Given back: no control keeps a window, the dialog has its own procedure again.
    WNDPROC skinned = (WNDPROC)GetWindowLongPtrA(panel.m_hWnd, GWLP_WNDPROC);
    panelSkin->Detach();
    for (int index = 0; index < panelSkin->GetControlCount(); ++index)
        EXPECT_TRUE(panelSkin->GetControl(index)->m_hWnd == NULL) << panelSkin->GetControlId(index);
    EXPECT_TRUE(panelSkin->GetDialogSkin()->GetSafeHwnd() == NULL);
    EXPECT_NE(skinned, (WNDPROC)GetWindowLongPtrA(panel.m_hWnd, GWLP_WNDPROC));
    EXPECT_TRUE(CWnd::FromHandlePermanent(::GetDlgItem(panel.m_hWnd, 1000)) == NULL);
}

TEST_F(SkinEngineTest, AControlTheDialogLacksLeavesTheOthersAttached)
{
    ::DestroyWindow(::GetDlgItem(panel.m_hWnd, 1003));
    ASSERT_TRUE(Switch(FilesOf("")));
    for (int index = 0; index < panelSkin->GetControlCount(); ++index) {
        UINT id = panelSkin->GetControlId(index);
        EXPECT_EQ(id != 1003, panelSkin->GetControl(index)->m_hWnd != NULL) << id;
    }
    EXPECT_EQ(kBaseButton, ClientPixel(panel, kButton1000));
}

// Each listed skin loads while its DLL is the resource module; once the DLLs are freed, the
// skin keeps its pictures and the multi-slider its cursor.
TEST_F(SkinEngineTest, SwitchToAListedSkinAndBackChangesThePanels)
{
    ASSERT_TRUE(Switch(FilesOf("")));
    ASSERT_TRUE(Switch(FilesOf("Two")));
    EXPECT_EQ(kTwoButton, ClientPixel(panel, kButton1000));
    EXPECT_EQ(kTwoColorPanel, ClientPixel(colorPanel, kBareColorPanel));
    EXPECT_EQ(CRect(366, 10, 382, 130), PlaceOf(::GetDlgItem(panel.m_hWnd, IDC_VOLUME)))
        << "skin Two's volume trackbar stands";
    EXPECT_TRUE(GetModuleHandleA("Vellumpack.dll") == NULL);
    EXPECT_TRUE(GetModuleHandleA("Chromabin.dll") == NULL);

    HWND timeShift = ::GetDlgItem(panel.m_hWnd, IDC_TIME_SHIFT);
    ::SetCursor(NULL);
    ::SendMessageA(timeShift, WM_SETCURSOR, (WPARAM)timeShift, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR cursor = ::GetCursor();
    ASSERT_TRUE(cursor != NULL);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    ASSERT_TRUE(Switch(FilesOf("One"))) << "loose bitmaps";
    EXPECT_EQ(kOneButton, ClientPixel(panel, kButton1000));
    ASSERT_TRUE(Switch(FilesOf("")));
    EXPECT_EQ(kBaseButton, ClientPixel(panel, kButton1000));
    EXPECT_EQ(kBaseColorPanel, ClientPixel(colorPanel, kBareColorPanel));
    EXPECT_TRUE(GetModuleHandleA("Vellumpack.dll") == NULL);
    EXPECT_TRUE(GetModuleHandleA("Chromabin.dll") == NULL);
}

TEST_F(SkinEngineTest, MissingFilesLeaveTheOldSkin)
{
    ASSERT_TRUE(Switch(FilesOf("")));
    CSkin* kept = panelSkin;
    const SkinFiles two = FilesOf("Two");
    const std::string program = ProgramFile("");
    const std::pair<std::string, std::string> cases[] = {
        {two.ini, ProgramFile("Skins\\Two\\Missing.dll")},
        {ProgramFile("Skins\\Two\\Missing.ini"), two.dll},
        {program, program},  // a skin whose section names no files
    };
    for (const auto& row : cases) {
        EXPECT_FALSE(SwitchSkin(panelSkin, &panel, row.first.c_str(), row.second.c_str()))
            << row.first << " " << row.second;
        EXPECT_EQ(kept, panelSkin);
        EXPECT_EQ(kBaseButton, ClientPixel(panel, kButton1000));
    }
}
