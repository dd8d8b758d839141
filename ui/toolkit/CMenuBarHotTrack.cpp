#include "CMenuBarHotTrack.h"

#include "CNewMenu.h"
#include "CNewMenuHook.h"
#include "MenuSystemCode.h"

namespace {

const UINT kInactive = 0x0080;  // ODS_INACTIVE

CNewMenu* BarMenuOf(HWND hWnd)
{
    CMenu* pMenu = CMenu::FromHandlePermanent(::GetMenu(hWnd));
    return pMenu != NULL && pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)) ? (CNewMenu*)pMenu : NULL;
}

ULONG_PTR ItemDataAt(HMENU hMenu, int nItem)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    return nItem >= 0 && ::GetMenuItemInfoA(hMenu, nItem, TRUE, &info) ? info.dwItemData : 0;
}

} // namespace

CMenuBarHotTrack::CMenuBarHotTrack() : m_bInMenuLoop(FALSE), m_nTimerId(0), m_nHotItem(-1)
{
}

BOOL CMenuBarHotTrack::IsNeeded()
{
    return GetMenuSystemCode() < kMenuSystemWin2000 || CNewMenuHook::IsRemoteSession();
}

BOOL CMenuBarHotTrack::DrawBarItem(HWND hWnd, HMENU hMenu, int nItem, UINT nState)
{
    RECT rect;
    if (nItem == -1 || !::GetMenuItemRect(hWnd, hMenu, nItem, &rect))
        return FALSE;
    RECT window;
    ::GetWindowRect(hWnd, &window);
    ::OffsetRect(&rect, -window.left, -window.top);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    if (!::GetMenuItemInfoA(hMenu, nItem, TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
        return FALSE;
    HDC hDC = ::GetWindowDC(hWnd);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT hFont = ::CreateFontIndirectA(&metrics.lfMenuFont);
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = info.wID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = nState;
    dis.hwndItem = (HWND)hMenu;
    dis.hDC = hDC;
    dis.rcItem = rect;
    dis.itemData = info.dwItemData;
    // Remembered first: the draw code forgets it again when the state is not hot.
    CNewMenu::SetHotBarItem((CNewMenuItemData*)info.dwItemData);
    ::SendMessageA(hWnd, WM_DRAWITEM, 0, (LPARAM)&dis);
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
    ::ReleaseDC(hWnd, hDC);
    return TRUE;
}

LRESULT CMenuBarHotTrack::OnNcHitTest(HWND hWnd, POINT point, LRESULT hit)
{
    if (!IsNeeded())
        return hit;
    // A window with the focus on itself is as active as one with it on a child.
    HWND hFocus = ::GetFocus();
    BOOL bActive = hFocus != NULL && (hFocus == hWnd || ::IsChild(hWnd, hFocus));
    CNewMenu* pMenu = BarMenuOf(hWnd);
    if (pMenu == NULL)
        return hit;
    HMENU hMenu = pMenu->m_hMenu;
    if (!m_bInMenuLoop && hit == HTMENU) {
        int nItem = ::MenuItemFromPoint(hWnd, hMenu, point);
        if (nItem == m_nHotItem) {
            CNewMenuItemData* pHot = CNewMenu::GetHotBarItem();
            if ((pHot != NULL && (ULONG_PTR)pHot == ItemDataAt(hMenu, nItem)) ||
                !DrawBarItem(hWnd, hMenu, nItem, bActive ? ODS_HOTLIGHT : ODS_HOTLIGHT | kInactive))
                return HTMENU;
        } else {
            if (m_nHotItem != -1)
                DrawBarItem(hWnd, hMenu, m_nHotItem, bActive ? 0 : kInactive);
            if (!DrawBarItem(hWnd, hMenu, nItem, bActive ? ODS_HOTLIGHT : ODS_HOTLIGHT | kInactive)) {
                m_nHotItem = -1;
                return HTMENU;
            }
        }
        StartTimer(hWnd);
        m_nHotItem = nItem;
        return HTMENU;
    }
    DropHotItem(hWnd, hMenu, bActive);
    StopTimer(hWnd);
    return hit;
}

void CMenuBarHotTrack::DropHotItem(HWND hWnd, HMENU hMenu, BOOL bActive)
{
    if (m_nHotItem == -1)
        return;
    DrawBarItem(hWnd, hMenu, m_nHotItem, bActive ? 0 : kInactive);
    m_nHotItem = -1;
}

void CMenuBarHotTrack::OnEnterMenuLoop(HWND hWnd)
{
    m_bInMenuLoop = TRUE;
    StopTimer(hWnd);
    if (CNewMenu* pMenu = BarMenuOf(hWnd))
        DropHotItem(hWnd, pMenu->m_hMenu, TRUE);
    m_nHotItem = -1;
}

void CMenuBarHotTrack::OnTimer(HWND hWnd, UINT_PTR nIDEvent)
{
    if (m_nTimerId == 0 || nIDEvent != m_nTimerId)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
}

void CMenuBarHotTrack::Stop(HWND hWnd)
{
    StopTimer(hWnd);
}

void CMenuBarHotTrack::StartTimer(HWND hWnd)
{
    // The first id the window does not use already.
    for (UINT_PTR nId = kFirstTimerId; m_nTimerId == 0 && nId <= kLastTimerId; nId++) {
        if (::SetTimer(hWnd, nId, kTimerMs, NULL))
            m_nTimerId = nId;
    }
}

void CMenuBarHotTrack::StopTimer(HWND hWnd)
{
    if (m_nTimerId == 0)
        return;
    ::KillTimer(hWnd, m_nTimerId);
    m_nTimerId = 0;
}
