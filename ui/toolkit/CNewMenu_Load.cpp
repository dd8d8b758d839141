// Loading a menu, converting its items to owner-drawn records, its icons and texts.
#include "CNewMenu.h"

#include <algorithm>
#include <vector>

#include "CNewMenuIcons.h"

namespace {

// The item's text as the system holds it; empty for an owner-drawn item, whose text lives in
// its record.
CString ReadItemText(HMENU hMenu, int nPos)
{
    int nLength = ::GetMenuStringA(hMenu, nPos, NULL, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    std::vector<char> buffer(2 * nLength + 2);
    ::GetMenuStringA(hMenu, nPos, buffer.data(), (int)buffer.size(), MF_BYPOSITION);
    return CString(buffer.data());
}

CNewMenu* PermanentNewMenu(HMENU hMenu)
{
    CMenu* pMenu = CMenu::FromHandlePermanent(hMenu);
    return pMenu != NULL && pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)) ? (CNewMenu*)pMenu : NULL;
}

} // namespace

BOOL CNewMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CNewMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName);
    if (hMenu == NULL)
        return FALSE;
    if (!LoadMenu(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::LoadMenu(HMENU hMenu)
{
    if (!::IsMenu(hMenu) || !Attach(hMenu))
        return FALSE;
    m_bIsPopupMenu = FALSE;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub == NULL)
            continue;
        CNewMenu* pSub = new CNewMenu(m_hMenu);
        m_SubMenus.Add(hSub);
        pSub->LoadMenu(hSub);
        pSub->m_bIsPopupMenu = TRUE;
    }
    SyncItems();
    return TRUE;
}

CNewMenuItemData* CNewMenu::TakeUnusedRecord(UINT_PTR nID)
{
    for (int i = 0; i < m_MenuItemList.GetSize(); i++) {
        CNewMenuItemData* pData = (CNewMenuItemData*)m_MenuItemList[i];
        if (!pData->m_nSyncFlag && pData->m_nID == nID) {
            pData->m_nSyncFlag = TRUE;
            return pData;
        }
    }
    return NULL;
}

void CNewMenu::SyncItems()
{
    for (int i = 0; i < m_MenuItemList.GetSize(); i++)
        ((CNewMenuItemData*)m_MenuItemList[i])->m_nSyncFlag = FALSE;
    CPtrArray newList;
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; i++) {
        UINT nState = ::GetMenuState(m_hMenu, i, MF_BYPOSITION);
        if (nState == (UINT)-1)
            break;
        UINT_PTR nID;
        UINT nFlags;
        CString text;
        if (nState & MF_POPUP) {
            // The high byte of a popup's state is its item count.
            HMENU hSub = ::GetSubMenu(m_hMenu, i);
            nID = (UINT_PTR)hSub;
            nFlags = (nState & 0xFF) | MF_POPUP | MF_OWNERDRAW | MF_BYPOSITION;
            text = ReadItemText(m_hMenu, i);
            if (CNewMenu* pSub = PermanentNewMenu(hSub))
                pSub->m_hParentMenu = m_hMenu;
        } else if (nState & MF_SEPARATOR) {
            nID = 0;
            nFlags = nState | MF_OWNERDRAW | MF_BYPOSITION;
        } else {
            nID = ::GetMenuItemID(m_hMenu, i);
            nFlags = nState | MF_OWNERDRAW | MF_BYPOSITION;
            text = ReadItemText(m_hMenu, i);
        }
        CNewMenuItemData* pData = TakeUnusedRecord(nID);
        if (pData == NULL) {
            pData = new CNewMenuItemData;
            pData->m_nSyncFlag = TRUE;
            pData->m_nID = nID;
            pData->m_szMenuText = text;
        } else if (!text.IsEmpty()) {
            // An owner-drawn item reads back empty: its text is the record's.
            pData->m_szMenuText = text;
        }
        pData->m_nFlags = nFlags;
        // Every time, not only for new records: an item given back to the system (ModifyMenu
        // with a string) is made owner-drawn again.
        ::ModifyMenuA(m_hMenu, i, nFlags, nID, (LPCSTR)pData);
        newList.Add(pData);
    }
    for (int i = 0; i < m_MenuItemList.GetSize(); i++) {
        CNewMenuItemData* pData = (CNewMenuItemData*)m_MenuItemList[i];
        if (!pData->m_nSyncFlag) {
            if (GetHotBarItem() == pData)
                SetHotBarItem(NULL);
            delete pData;
        }
    }
    m_MenuItemList.Copy(newList);
}

BOOL CNewMenu::DestroyMenu()
{
    // Sub-menu objects first, from the last: each destroys its own menu and records.
    for (int i = m_SubMenus.GetSize() - 1; i >= 0; i--) {
        CNewMenu* pSub = PermanentNewMenu((HMENU)m_SubMenus[i]);
        delete pSub;
    }
    m_SubMenus.RemoveAll();
    DeleteItemData();
    if (!m_bCheckImagesShared)
        delete m_pCheckImages;
    m_pCheckImages = NULL;
    if (m_hMenu == NULL)
        return FALSE;
    return CMenu::DestroyMenu();
}

BOOL CNewMenu::LoadToolbars(const UINT* pIDs, int nCount, HINSTANCE hInst)
{
    BOOL bAll = TRUE;
    for (int i = 0; i < nCount; i++) {
        if (!LoadToolbar(pIDs[i], hInst))
            bAll = FALSE;
    }
    return bAll;
}

BOOL CNewMenu::LoadToolbar(UINT nToolbarId, HINSTANCE hInst)
{
    CNewMenuIcons* pIcons =
        CNewMenuIcons::GetToolbarIcons(MAKEINTRESOURCE(nToolbarId), hInst, GetBitmapBackground());
    if (pIcons == NULL)
        return FALSE;
    SetToolbarIcons(pIcons);
    return TRUE;
}

BOOL CNewMenu::LoadToolbar(const WORD* pData, COLORREF crTransparent)
{
    if (crTransparent == (COLORREF)-1)
        crTransparent = GetBitmapBackground();
    CNewMenuIcons* pIcons = CNewMenuIcons::GetToolbarIcons(pData, crTransparent);
    if (pIcons == NULL)
        return FALSE;
    SetToolbarIcons(pIcons);
    return TRUE;
}

void CNewMenu::SetToolbarIcons(CNewMenuIcons* pIcons)
{
    if (pIcons == NULL)
        return;
    int cx = 0, cy = 0;
    if (ImageList_GetIconSize(pIcons->GetImageList()->m_hImageList, &cx, &cy)) {
        m_iconX = std::max(m_iconX, cx);
        m_iconY = std::max(m_iconY, cy);
    }
    for (int i = pIcons->GetIconCount() - 1; i >= 0; i--)
        ModifyItem(NULL, pIcons->GetCommandAt(i), pIcons, 3 * i);
}

CNewMenu* CNewMenu::FindMenuOfCommand(UINT nID, int* pPos)
{
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; i++) {
        HMENU hSub = ::GetSubMenu(m_hMenu, i);
        if (hSub != NULL) {
            CNewMenu* pSub = PermanentNewMenu(hSub);
            CNewMenu* pFound = pSub != NULL ? pSub->FindMenuOfCommand(nID, pPos) : NULL;
            if (pFound != NULL)
                return pFound;
        } else if (::GetMenuItemID(m_hMenu, i) == nID) {
            *pPos = i;
            return this;
        }
    }
    return NULL;
}

BOOL CNewMenu::GetMenuText(UINT nID, CString& text, UINT nFlags)
{
    CNewMenu* pMenu = this;
    int nPos = (int)nID;
    if (!(nFlags & MF_BYPOSITION)) {
        pMenu = FindMenuOfCommand(nID, &nPos);
        if (pMenu == NULL)
            return FALSE;
    }
    CNewMenuItemData* pData = pMenu->GetItemData(nPos);
    if (pData == NULL)
        return FALSE;
    text = pData->m_szMenuText;
    return TRUE;
}

CMenu* CNewMenu::GetSubMenu(LPCTSTR lpszText) const
{
    for (int i = 0; i < m_MenuItemList.GetSize(); i++) {
        CNewMenuItemData* pData = (CNewMenuItemData*)m_MenuItemList[i];
        if ((pData->m_nFlags & MF_POPUP) && pData->m_szMenuText == lpszText)
            return CMenu::FromHandle((HMENU)pData->m_nID);
    }
    return NULL;
}

CNewMenu* CNewMenu::GetParentNewMenu() const
{
    return m_hParentMenu != NULL ? PermanentNewMenu(m_hParentMenu) : NULL;
}
