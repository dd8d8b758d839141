#include "CNewMenu.h"

#include "CMenuStyle.h"

IMPLEMENT_DYNCREATE(CNewMenu, CMenu)

int CNewMenu::s_nSelectDisabled = 1;
int CNewMenu::s_nFadedIcons = 1;
CNewMenuItemData* CNewMenu::s_pHotBarItem = NULL;
DWORD CNewMenu::s_dwKeyboardPos = 0;

namespace {

LOGFONTA& TitleFont()
{
    static LOGFONTA s_font = [] {
        LOGFONTA font = {};
        font.lfHeight = 16;
        font.lfWeight = FW_BOLD;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpyA(font.lfFaceName, "Arial");
        return font;
    }();
    return s_font;
}

} // namespace

CNewMenu::CNewMenu(HMENU hParent)
    : m_iconX(16), m_iconY(15), m_bitmapBackground(kNoBitmapBackground), m_pCheckImages(NULL),
      m_bCheckImagesShared(FALSE), m_nCheckedImageId(-1), m_nSelectedCheckedImageId(-1),
      m_bIconsAreHandles(FALSE), m_hParentMenu(hParent), m_bIsPopupMenu(TRUE),
      m_LastActiveMenuRect(0, 0, 0, 0), m_dwOpenMenu(0), m_nUserValue(0),
      m_bShown(FALSE), m_bShifted(FALSE)
{
}

CNewMenu::~CNewMenu()
{
    DestroyMenu();
}

void CNewMenu::DeleteItemData()
{
    for (int i = 0; i < m_MenuItemList.GetSize(); i++) {
        CNewMenuItemData* pData = (CNewMenuItemData*)m_MenuItemList[i];
        if (s_pHotBarItem == pData)
            s_pHotBarItem = NULL;
        delete pData;
    }
    m_MenuItemList.RemoveAll();
}

void CNewMenu::PaintTitle(LPDRAWITEMSTRUCT lpDIS)
{
    CMenuStyle* pStyle = GetCurrentStyleObject();
    if (pStyle != NULL)
        pStyle->DrawTitle(this, lpDIS, FALSE);
}

BOOL CNewMenu::PaintPopupBackground(HWND hWnd, HDC hDC)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    ::SetBkColor(hDC, CMenuStyle::MenuColor());
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &client, NULL, 0, NULL);
    return TRUE;
}

CNewMenuItemData* CNewMenu::GetItemData(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_MenuItemList.GetSize())
        return NULL;
    return (CNewMenuItemData*)m_MenuItemList[nIndex];
}

void CNewMenu::SetIconSize(int cx, int cy)
{
    m_iconX = cx;
    m_iconY = cy;
}

COLORREF CNewMenu::SetBitmapBackground(COLORREF crBackground)
{
    COLORREF crOld = m_bitmapBackground;
    m_bitmapBackground = crBackground;
    return crOld;
}

COLORREF CNewMenu::GetBitmapBackground() const
{
    if (m_bitmapBackground == kNoBitmapBackground)
        return GetSysColor(COLOR_3DFACE);
    return m_bitmapBackground;
}

BOOL CNewMenu::SetPopup(BOOL bIsPopup)
{
    BOOL bOld = m_bIsPopupMenu;
    m_bIsPopupMenu = bIsPopup;
    return bOld;
}

BOOL CNewMenu::SetCurrentStyle(int nStyleId)
{
    return CMenuStyle::SetCurrent(nStyleId);
}

int CNewMenu::GetCurrentStyle()
{
    CMenuStyle* pStyle = CMenuStyle::GetCurrent();
    return pStyle != NULL ? pStyle->GetId() : -1;
}

CMenuStyle* CNewMenu::GetCurrentStyleObject()
{
    return CMenuStyle::GetCurrent();
}

int CNewMenu::SetSelectDisabled(int nMode)
{
    int nOld = s_nSelectDisabled;
    s_nSelectDisabled = nMode;
    return nOld;
}

int CNewMenu::GetSelectDisabled() { return s_nSelectDisabled; }

int CNewMenu::SetFadedIcons(int nMode)
{
    int nOld = s_nFadedIcons;
    s_nFadedIcons = nMode;
    return nOld;
}

int CNewMenu::GetFadedIcons() { return s_nFadedIcons; }

void CNewMenu::SetTitleFont(const LOGFONT* pLogFont)
{
    if (pLogFont != NULL)
        TitleFont() = *pLogFont;
}

void CNewMenu::SetTitleFont(CFont* pFont)
{
    LOGFONTA font;
    if (pFont != NULL && pFont->GetLogFont(&font))
        TitleFont() = font;
}

void CNewMenu::GetTitleFont(LOGFONT* pLogFont)
{
    if (pLogFont != NULL)
        *pLogFont = TitleFont();
}
