#include "CMenu.h"

#include "CHandleMap.h"
#include "CDialog.h"
#include "CWnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

void SetMenuHandle(CMenu* pMenu, HMENU hMenu)
{
    pMenu->m_hMenu = hMenu;
}

CHandleMap<CMenu, HMENU>& MenuMap()
{
    return CHandleMap<CMenu, HMENU>::ForThread(SetMenuHandle);
}

// The menu TrackPopupMenu shows on this thread, and the window it reports to.
thread_local HWND t_hTrackingWindow = NULL;
thread_local HMENU t_hTrackingMenu = NULL;

} // namespace

CMenu::CMenu() : m_hMenu(NULL)
{
}

CMenu::~CMenu()
{
    DestroyMenu();
}

HMENU CMenu::GetSafeHmenu() const
{
    const void* self = this;
    return self == NULL ? NULL : m_hMenu;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return MenuMap().FromHandle(hMenu);
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu != NULL ? MenuMap().LookupPermanent(hMenu) : NULL;
}

void PASCAL CMenu::DeleteTempMap()
{
    MenuMap().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu != NULL || hMenu == NULL || !IsMenu(hMenu))
        return FALSE;
    m_hMenu = hMenu;
    MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

BOOL CMenu::AttachNew(HMENU hMenu)
{
    if (Attach(hMenu))
        return TRUE;
    if (hMenu != NULL)
        ::DestroyMenu(hMenu);
    return FALSE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL)
        MenuMap().RemoveHandle(hMenu, this);
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return AttachNew(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return AttachNew(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_MENU);
    return AttachNew(::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return AttachNew(::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::InsertMenuItemA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) const
{
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, HBITMAP hBmpUnchecked,
                               HBITMAP hBmpChecked)
{
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, hBmpUnchecked, hBmpChecked);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) const
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

UINT CMenu::GetMenuItemCount() const
{
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLength = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLength <= 0) {
        rString.Empty();
        return 0;
    }
    nLength = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLength), nLength + 1,
                               nFlags);
    rString.ReleaseBuffer(nLength);
    return nLength;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

CMenu* CMenu::FindPopupMenuFromID(UINT nID) const
{
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSubMenu = ::GetSubMenu(m_hMenu, i);
        if (hSubMenu != NULL) {
            CMenu* pFound = CMenu::FromHandle(hSubMenu)->FindPopupMenuFromID(nID);
            if (pFound != NULL)
                return pFound;
        } else if (::GetMenuItemID(m_hMenu, i) == nID) {
            return FromHandlePermanent(m_hMenu);
        }
    }
    return NULL;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    // Kept and put back, so a menu opened from inside another's loop leaves the outer one's.
    HWND hOuterWindow = t_hTrackingWindow;
    HMENU hOuterMenu = t_hTrackingMenu;
    t_hTrackingWindow = pWnd->GetSafeHwnd();
    t_hTrackingMenu = m_hMenu;
    BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
    t_hTrackingWindow = hOuterWindow;
    t_hTrackingMenu = hOuterMenu;
    return bResult;
}

HWND PASCAL CMenu::GetTrackingWindow()
{
    return t_hTrackingWindow;
}

HMENU PASCAL CMenu::GetTrackingMenu()
{
    return t_hTrackingMenu;
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}
