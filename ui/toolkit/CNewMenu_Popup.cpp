// What the windows that show these menus route here: measuring, drawing, the opening and
// closing of popups and the keyboard's mnemonics.
#include "CNewMenu.h"

#include "CMenuStyle.h"
#include "CNewMenuHook.h"
#include "CNewMenuIcons.h"
#include "MenuSystemCode.h"

namespace {

CNewMenu* PermanentNewMenu(HMENU hMenu)
{
    CMenu* pMenu = CMenu::FromHandlePermanent(hMenu);
    return pMenu != NULL && pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)) ? (CNewMenu*)pMenu : NULL;
}

// The CNewMenu of the tree under hMenu that shows the item of that command and record.
CNewMenu* FindMenuOfItem(HMENU hMenu, UINT nID, ULONG_PTR itemData)
{
    if (hMenu == NULL)
        return NULL;
    if (CNewMenu* pMenu = PermanentNewMenu(hMenu)) {
        for (int i = 0; i < pMenu->GetItemDataCount(); i++) {
            CNewMenuItemData* pData = pMenu->GetItemData(i);
            if (pData->m_nID == nID && (ULONG_PTR)pData == itemData)
                return pMenu;
        }
    }
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        if (CNewMenu* pFound = FindMenuOfItem(::GetSubMenu(hMenu, i), nID, itemData))
            return pFound;
    }
    return NULL;
}

// On XP the system commands of an owner-drawn popup move to the next id while it is shown.
const UINT kShiftedSystemCommands[] = {SC_RESTORE, SC_CLOSE, SC_MINIMIZE};

DWORD s_dwLastIconRefresh = 0;
bool s_bIconsRefreshed = false;

} // namespace

void CNewMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    CMenuStyle* pStyle = GetCurrentStyleObject();
    if (pStyle == NULL)
        return;
    CNewMenu* pShowing = this;
    BOOL bBar = FALSE;
    // A popup item is measured on its own sub-menu's object; the menu that shows it is the
    // parent.
    if (::IsMenu((HMENU)(UINT_PTR)lpMIS->itemID)) {
        if (m_hParentMenu == NULL) {
            bBar = !m_bIsPopupMenu;
        } else {
            CNewMenu* pParent = GetParentNewMenu();
            bBar = pParent == NULL || !pParent->IsPopup();
            if (!bBar)
                pShowing = pParent;
        }
    }
    pStyle->MeasureItem(pShowing, lpMIS, bBar);
}

void CNewMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CMenuStyle* pStyle = GetCurrentStyleObject();
    if (pStyle == NULL)
        return;
    BOOL bBar = m_hParentMenu == NULL && !m_bIsPopupMenu;
    if (bBar && (CNewMenuItemData*)lpDIS->itemData == GetHotBarItem() &&
        !(lpDIS->itemState & ODS_HOTLIGHT))
        SetHotBarItem(NULL);
    pStyle->DrawItem(this, lpDIS, bBar);
}

BOOL CNewMenu::MeasureForWindow(const MSG* pMsg)
{
    if (pMsg == NULL || pMsg->message != WM_MEASUREITEM)
        return FALSE;
    LPMEASUREITEMSTRUCT lpMIS = (LPMEASUREITEMSTRUCT)pMsg->lParam;
    if (lpMIS == NULL || lpMIS->CtlType != ODT_MENU)
        return FALSE;
    CNewMenu* pMenu = NULL;
    HMENU hItemMenu = (HMENU)(UINT_PTR)lpMIS->itemID;
    if (::IsMenu(hItemMenu)) {
        pMenu = PermanentNewMenu(hItemMenu);
    } else {
        if (pMsg->hwnd == CMenu::GetTrackingWindow())
            pMenu = FindMenuOfItem(CMenu::GetTrackingMenu(), lpMIS->itemID, lpMIS->itemData);
        if (pMenu == NULL)
            pMenu = FindMenuOfItem(::GetMenu(pMsg->hwnd), lpMIS->itemID, lpMIS->itemData);
        if (pMenu == NULL)
            pMenu = FindMenuOfItem(::GetSystemMenu(pMsg->hwnd, FALSE), lpMIS->itemID, lpMIS->itemData);
    }
    if (pMenu == NULL)
        return FALSE;
    pMenu->MeasureItem(lpMIS);
    return TRUE;
}

void CNewMenu::HandleInitMenuPopup(HWND hWnd, CMenu* pPopup)
{
    if (pPopup == NULL)
        return;
    CNewMenuHook::SetPendingPopup(pPopup->m_hMenu);
    CNewMenu* pMenu = PermanentNewMenu(pPopup->m_hMenu);
    if (pMenu == NULL)
        return;
    pMenu->PreparePopup();
    pMenu->m_bShown = TRUE;
    CNewMenu* pParent = pMenu->GetParentNewMenu();
    if (pParent != NULL && ++pParent->m_dwOpenMenu == 1 && !pParent->IsPopup())
        RedrawBarItem(pParent, hWnd);
}

void CNewMenu::HandleUninitMenuPopup(HWND hWnd, HMENU hPopup)
{
    if (CNewMenu* pMenu = PermanentNewMenu(hPopup))
        pMenu->PopupClosed(hWnd);
}

void CNewMenu::PreparePopup()
{
    m_bIsPopupMenu = TRUE;
    SyncItems();
    if (GetMenuSystemCode() == kMenuSystemWinXP && !m_bShifted) {
        ShiftSystemCommands(1);
        m_bShifted = TRUE;
    }
}

void CNewMenu::PopupClosed(HWND hWndParent)
{
    // The hook and WM_UNINITMENUPOPUP may both tell of one closing: the first one counts.
    if (!m_bShown)
        return;
    m_bShown = FALSE;
    if (m_bShifted) {
        ShiftSystemCommands(-1);
        m_bShifted = FALSE;
    }
    CNewMenu* pParent = GetParentNewMenu();
    if (pParent == NULL)
        return;
    if (!pParent->IsPopup())
        pParent->m_dwOpenMenu = 0;
    else if (pParent->m_dwOpenMenu > 0)
        pParent->m_dwOpenMenu--;
    RedrawBarItem(pParent, hWndParent);
}

void CNewMenu::ShiftSystemCommands(int nShift)
{
    for (int i = 0; i < m_MenuItemList.GetSize(); i++) {
        CNewMenuItemData* pData = (CNewMenuItemData*)m_MenuItemList[i];
        if (pData->m_nFlags & (MF_POPUP | MF_SEPARATOR))
            continue;
        for (UINT nCommand : kShiftedSystemCommands) {
            if (pData->m_nID != (UINT_PTR)(nShift > 0 ? nCommand : nCommand + 1))
                continue;
            pData->m_nID = nShift > 0 ? nCommand + 1 : nCommand;
            UINT nState = ::GetMenuState(m_hMenu, i, MF_BYPOSITION);
            ::ModifyMenuA(m_hMenu, i, nState | MF_OWNERDRAW | MF_BYPOSITION, pData->m_nID, (LPCSTR)pData);
            break;
        }
    }
}

void CNewMenu::RedrawBarItem(CNewMenu* pParent, HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    CRect rect = pParent->m_LastActiveMenuRect;
    rect.right += 10;
    rect.bottom += 10;
    ::ScreenToClient(hWnd, (LPPOINT)&rect.left);
    ::ScreenToClient(hWnd, (LPPOINT)&rect.right);
    ::RedrawWindow(hWnd, &rect, NULL, RDW_INVALIDATE | RDW_FRAME);
}

LRESULT CNewMenu::FindMnemonic(UINT nChar, UINT, CMenu* pMenu)
{
    CNewMenu* pNewMenu = pMenu != NULL ? PermanentNewMenu(pMenu->m_hMenu) : NULL;
    if (pNewMenu == NULL)
        return 0;
    if (pNewMenu->GetItemDataCount() != ::GetMenuItemCount(pNewMenu->m_hMenu))
        pNewMenu->SyncItems();
    // CString lower-cases whole characters, so a double-byte text keeps its trail bytes.
    CString key('&', 1);
    key += (char)nChar;
    key.MakeLower();
    for (int i = 0; i < pNewMenu->GetItemDataCount(); i++) {
        CString text = pNewMenu->GetItemData(i)->m_szMenuText;
        text.MakeLower();
        if (text.Find(key) >= 0)
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return 0;
}

void CNewMenu::RefreshIcons()
{
    DWORD dwNow = GetTickCount();
    if (s_bIconsRefreshed && dwNow - s_dwLastIconRefresh < kRefreshIconsMs)
        return;
    s_bIconsRefreshed = true;
    s_dwLastIconRefresh = dwNow;
    CPtrList& list = CNewMenuIcons::GetIconsList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        ((CNewMenuIcons*)list.GetNext(pos))->RefreshImages();
}
