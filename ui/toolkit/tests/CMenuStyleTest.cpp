// The draw styles' records and measures, and the title gradient.
#include <gtest/gtest.h>

#include <CMenuStyle.h>
#include <CMenuStyleFlat.h>
#include <CNewMenu.h>
#include <WindowPixels.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "MenuTestSupport.h"

namespace {

// The extent of a text in the system's menu font (bold on request), or in the title font.
SIZE TextExtent(const char* text, BOOL bBold, BOOL bTitle = FALSE)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0);
    LOGFONTA logFont = metrics.lfMenuFont;
    if (bBold)
        logFont.lfWeight = FW_BOLD;
    if (bTitle)
        CNewMenu::GetTitleFont(&logFont);
    HFONT hFont = CreateFontIndirectA(&logFont);
    HDC hScreen = GetDC(NULL);
    HGDIOBJ hOld = SelectObject(hScreen, hFont);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hScreen, text, lstrlenA(text), &size);
    SelectObject(hScreen, hOld);
    ReleaseDC(NULL, hScreen);
    DeleteObject(hFont);
    return size;
}

TEST(MenuStyleMeasure, ItemsSeparatorsTitlesAndSystemCommands)
{
    const int cyMenu = GetSystemMetrics(SM_CYMENU);
    const int cxCheck = GetSystemMetrics(SM_CXMENUCHECK);
    const SIZE open = TextExtent("Open", FALSE);
    const SIZE openAccel = TextExtent("Open\tCtrl+O", FALSE);
    const SIZE file = TextExtent("File", FALSE);
    const SIZE bold = TextExtent("Default", TRUE);
    const SIZE longer = TextExtent("A much longer command", FALSE);
    const SIZE title = TextExtent("Title", FALSE, TRUE);
    ASSERT_GT(bold.cx, TextExtent("Default", FALSE).cx) << "a bold menu font to tell apart";
    ASSERT_GT(longer.cx, TextExtent("Close", FALSE).cx);

    struct Case {
        const char* name;
        int nStyle;
        BOOL bBar;
        UINT nFlags;
        UINT_PTR nID;
        const char* text;
        DWORD dwTitle;
        int nIconHeight;
        LONG width;   // expected
        LONG height;  // expected
    };
    const Case cases[] = {
        // name                  style bar   flags         id        text             title  iconY width                            height
        {"popup item",           0, FALSE, MF_STRING,    101,      "Open",          0,     15,   open.cx + 34,                    std::max(cyMenu, 19)},
        {"accelerator",          0, FALSE, MF_STRING,    102,      "Open\tCtrl+O",  0,     15,   openAccel.cx + 34 + 15,          std::max(cyMenu, 19)},
        {"flat popup item",      2, FALSE, MF_STRING,    103,      "Open",          0,     15,   open.cx + 34,                    std::max(cyMenu, 23)},
        {"bar item",             2, TRUE,  MF_STRING,    104,      "File",          0,     15,   file.cx,                         std::max(cyMenu, 23)},
        {"tall icons",           0, FALSE, MF_STRING,    105,      "Open",          0,     40,   open.cx + 34,                    44},
        {"SM_CYMENU minimum",    2, FALSE, MF_STRING,    106,      "Open",          0,     2,    open.cx + 34,                    cyMenu},
        {"default item is bold", 2, FALSE, MF_STRING,    107,      "Default",       0,     15,   bold.cx + 34,                    std::max(cyMenu, 23)},
        {"separator",            2, FALSE, MF_SEPARATOR, 0,        "",              0,     15,   77,                              3},
        {"title",                2, FALSE, MF_SEPARATOR, 0,        "Title",         0x01,  15,   title.cx,                        title.cy},
        {"title with line",      0, FALSE, MF_SEPARATOR, 0,        "Title",         0x11,  15,   title.cx,                        title.cy + 8},
        {"vertical title",       2, FALSE, MF_SEPARATOR, 0,        "Title",         0x03,  15,   title.cy - cxCheck,              0},
        {"vertical with line",   2, FALSE, MF_SEPARATOR, 0,        "Title",         0x13,  15,   title.cy - cxCheck + 8,          0},
        {"system command",       2, FALSE, MF_STRING,    SC_CLOSE, "Close",         0,     15,   longer.cx + 34,                  cyMenu},
    };
    for (const Case& c : cases) {
        CHandMadeMenu menu;
        menu.SetIconSize(16, c.nIconHeight);
        CNewMenuItemData* pData = menu.Append(c.nFlags, c.nID, c.text, c.dwTitle);
        // What follows: a separator is passed over for the next command.
        menu.Append(MF_SEPARATOR, 0, "");
        menu.Append(MF_STRING, 200, "A much longer command");
        if (std::string(c.name) == "default item is bold")
            SetMenuDefaultItem(menu.m_hMenu, 107, FALSE);
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, (UINT)c.nID, 77, 0, (ULONG_PTR)pData};
        CMenuStyle::FindStyle(c.nStyle)->MeasureItem(&menu, &mis, c.bBar);
        EXPECT_EQ(c.width, (LONG)mis.itemWidth) << c.name;
        EXPECT_EQ(c.height, (LONG)mis.itemHeight) << c.name;
    }
}

TEST(MenuStyleRecords, BordersFollowTheSystemDropShadow)
{
    const int flat[] = {0, 0, 1, 1, 0, 0};
    for (BOOL bShadow : {TRUE, FALSE}) {
        FixedDropShadow shadow(bShadow);
        const CRect expected = bShadow ? CRect(2, 2, 2, 2) : CRect(2, 2, 5, 6);
        for (int id = 0; id <= 5; id++) {
            CMenuStyle* pStyle = CMenuStyle::FindStyle(id);
            ASSERT_NE(nullptr, pStyle) << id;
            EXPECT_EQ(expected, pStyle->GetBorders()) << "style " << id << " shadow " << bShadow;
            EXPECT_EQ(id % 2 == 0, !!pStyle->DrawsOwnBorder()) << id;
            EXPECT_EQ(flat[id] != 0, dynamic_cast<CMenuStyleFlat*>(pStyle) != nullptr) << id;
        }
    }
}

TEST(MenuStyleRecords, OnlyARegisteredIdBecomesCurrent)
{
    EXPECT_EQ(2, CNewMenu::GetCurrentStyle()) << "the start style";
    EXPECT_TRUE(CNewMenu::SetCurrentStyle(4));
    EXPECT_FALSE(CNewMenu::SetCurrentStyle(9));
    EXPECT_EQ(4, CNewMenu::GetCurrentStyle());
    EXPECT_EQ(nullptr, CMenuStyle::FindStyle(9));
    CMenuStyle twin(4, 0, &CMenuStyle::MeasureClassic, &CMenuStyle::DrawClassic);
    EXPECT_FALSE(CMenuStyle::RegisterStyle(&twin)) << "an id registered already";
    EXPECT_NE(&twin, CMenuStyle::FindStyle(4));
    CNewMenu::SetCurrentStyle(2);
}

// The picture of a gradient drawn into a screen-compatible bitmap.
std::vector<DWORD> Gradient(const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorizontal)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap bitmap;
    CClientDC screen(NULL);
    bitmap.CreateCompatibleBitmap(&screen, rect.right, rect.bottom);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    CMenuStyle::DrawGradient(&dc, &rect, crFrom, crTo, bHorizontal);
    std::vector<DWORD> pixels = WindowPixels::ReadDC(dc.m_hDC, rect);
    dc.SelectObject(pOld);
    return pixels;
}

TEST(MenuStyleTitle, TheBandFillMatchesGradientFillWithinRounding)
{
    CMenuStyle::GradientFillFunction pfnGradientFill = CMenuStyle::GetGradientFill();
    ASSERT_NE(nullptr, pfnGradientFill) << "Msimg32.dll gives GradientFill";
    const COLORREF crFrom = RGB(0, 40, 255), crTo = RGB(255, 200, 0);
    for (BOOL bHorizontal : {TRUE, FALSE}) {
        const RECT rect = {0, 0, bHorizontal ? 200 : 12, bHorizontal ? 12 : 200};
        std::vector<DWORD> smooth = Gradient(rect, crFrom, crTo, bHorizontal);
        CMenuStyle::SetGradientFill(NULL);
        std::vector<DWORD> bands = Gradient(rect, crFrom, crTo, bHorizontal);
        CMenuStyle::SetGradientFill(pfnGradientFill);
        ASSERT_EQ(smooth.size(), bands.size());
        // A band of 4 pixels holds one colour, and its steps spread over the length less one
        // band: at most 8 pixels' worth of the slope apart, 255 over 200 pixels.
        const int kTolerance = 255 * 8 / 200 + 1;
        int nWorst = 0;
        for (size_t i = 0; i < smooth.size(); i++) {
            for (int shift : {0, 8, 16})
                nWorst = std::max(nWorst, std::abs((int)((smooth[i] >> shift) & 0xFF) - (int)((bands[i] >> shift) & 0xFF)));
        }
        EXPECT_LE(nWorst, kTolerance) << "horizontal " << bHorizontal;
        EXPECT_EQ(0x0028FFu, bands.front()) << "the first band in the first colour";
        EXPECT_EQ(0xFFC800u, bands.back()) << "the last band in the second colour";
    }
    // One band long: nothing to step over, no division by zero.
    CMenuStyle::SetGradientFill(NULL);
    EXPECT_EQ(0x0028FFu, Gradient({0, 0, 4, 4}, crFrom, crTo, TRUE).front());
    CMenuStyle::SetGradientFill(pfnGradientFill);
}

} // namespace
