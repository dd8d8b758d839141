// The measures of both families: item texts in the system's menu font, titles in the title font.
#include "CMenuStyle.h"

#include <algorithm>

#include "CNewMenu.h"

namespace {

// The structure as Windows XP defined it, without the padded border of later releases: every
// release fills this much.
const UINT kNonClientMetricsSize = 340;
// Room a popup item's accelerator text keeps from its main text.
const int kTabGap = 15;
// Extra height of a title with a line, and extra width of a vertical one with a line.
const int kTitleLineRoom = 8;

BOOL IsDefaultItem(CNewMenu* pMenu, UINT nID)
{
    return pMenu != NULL && pMenu->m_hMenu != NULL &&
           GetMenuDefaultItem(pMenu->m_hMenu, FALSE, 0) == nID;
}

} // namespace

BOOL CMenuStyle::GetMenuFont(CFont* pFont, BOOL bBold)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return FALSE;
    if (bBold)
        metrics.lfMenuFont.lfWeight = FW_BOLD;
    return pFont->CreateFontIndirect(&metrics.lfMenuFont);
}

BOOL CMenuStyle::IsSystemCommand(UINT_PTR nID)
{
    UINT nCommand = (UINT)(nID & 0xFFF0);
    return nCommand >= SC_SIZE && nCommand <= 0xF150;
}

CSize CMenuStyle::MeasureText(CNewMenu* pMenu, CNewMenuItemData* pData, BOOL bBar, BOOL bBold)
{
    CFont font;
    GetMenuFont(&font, bBold);
    HDC hScreen = GetDC(NULL);
    HGDIOBJ hOldFont = SelectObject(hScreen, font.GetSafeHandle() != NULL ? font.GetSafeHandle()
                                                                           : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hScreen, pData->m_szMenuText, pData->m_szMenuText.GetLength(), &size);
    SelectObject(hScreen, hOldFont);
    ReleaseDC(NULL, hScreen);
    if (!bBar)
        size.cx += 2 * pMenu->GetIconWidth() + 2;
    if (pData->m_szMenuText.Find('\t') >= 0)
        size.cx += kTabGap;
    return size;
}

void CMenuStyle::MeasureTitle(CNewMenuItemData* pData, LPMEASUREITEMSTRUCT lpMIS)
{
    LOGFONTA logFont;
    CNewMenu::GetTitleFont(&logFont);
    logFont.lfEscapement = 0;
    logFont.lfOrientation = 0;
    CFont font;
    font.CreateFontIndirect(&logFont);
    HDC hScreen = GetDC(NULL);
    HGDIOBJ hOldFont = SelectObject(hScreen, font.GetSafeHandle());
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hScreen, pData->m_szMenuText, pData->m_szMenuText.GetLength(), &size);
    SelectObject(hScreen, hOldFont);
    ReleaseDC(NULL, hScreen);
    BOOL bLine = (pData->m_nTitleFlags & kMenuTitleLine) != 0;
    if (pData->m_nTitleFlags & kMenuTitleVertical) {
        // The system adds a check-mark width to every popup item.
        lpMIS->itemWidth = size.cy - GetSystemMetrics(SM_CXMENUCHECK) + (bLine ? kTitleLineRoom : 0);
        lpMIS->itemHeight = 0;
    } else {
        lpMIS->itemWidth = size.cx;
        lpMIS->itemHeight = size.cy + (bLine ? kTitleLineRoom : 0);
    }
}

void CMenuStyle::Measure(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar, int nIconMargin)
{
    CNewMenuItemData* pData = (CNewMenuItemData*)lpMIS->itemData;
    if (pData == NULL)
        return;
    if (pData->m_nFlags & MF_SEPARATOR) {
        if (pData->IsTitle())
            MeasureTitle(pData, lpMIS);
        else
            lpMIS->itemHeight = 3;
        return;
    }
    // Bold exactly when the draw makes the text bold: the menu's default item.
    CSize size = MeasureText(pMenu, pData, bBar, IsDefaultItem(pMenu, lpMIS->itemID));
    lpMIS->itemWidth = size.cx;
    lpMIS->itemHeight = std::max(GetSystemMetrics(SM_CYMENU), pMenu->GetIconHeight() + nIconMargin);
    if (!IsSystemCommand(pData->m_nID) || pData->m_nFlags & MF_POPUP)
        return;
    // A system command is as wide as the command that follows it, so that the window's own
    // commands line up with the rest of the menu.
    for (int i = 0; i + 1 < pMenu->GetItemDataCount(); i++) {
        if (pMenu->GetItemData(i) != pData)
            continue;
        for (int j = i + 1; j < pMenu->GetItemDataCount(); j++) {
            CNewMenuItemData* pNext = pMenu->GetItemData(j);
            if (pNext->m_nID != 0) {
                CSize next = MeasureText(pMenu, pNext, bBar, IsDefaultItem(pMenu, (UINT)pNext->m_nID));
                lpMIS->itemWidth = std::max((LONG)lpMIS->itemWidth, next.cx);
                break;
            }
        }
        break;
    }
    lpMIS->itemHeight = GetSystemMetrics(SM_CYMENU);
}

void CMenuStyle::MeasureClassic(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar)
{
    Measure(pMenu, lpMIS, bBar, 4);
}

void CMenuStyle::MeasureFlat(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar)
{
    Measure(pMenu, lpMIS, bBar, 8);
}
