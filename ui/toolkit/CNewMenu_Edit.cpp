// Adding, changing, finding and removing items after loading; titles and check-mark images.
#include "CNewMenu.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include <AfxLoadSysColorBitmap.h>

#include "CNewMenuBitmaps.h"
#include "CNewMenuIcons.h"

namespace {

const UINT kOwnerDrawnSeparator = MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION;

CNewMenu* PermanentNewMenu(HMENU hMenu)
{
    CMenu* pMenu = CMenu::FromHandlePermanent(hMenu);
    return pMenu != NULL && pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)) ? (CNewMenu*)pMenu : NULL;
}

typedef std::set<std::pair<HMENU, int>> VisitedItems;

// Every (menu, position) of the tree under pMenu holding the command, sub-menus first, each
// place once (a sub-menu may hang in the tree twice).
void CollectCommand(CNewMenu* pMenu, UINT nID, VisitedItems& visited,
                    std::vector<std::pair<CNewMenu*, int>>& found)
{
    int nCount = ::GetMenuItemCount(pMenu->m_hMenu);
    for (int i = 0; i < nCount; i++) {
        if (!visited.insert(std::make_pair(pMenu->m_hMenu, i)).second)
            continue;
        HMENU hSub = ::GetSubMenu(pMenu->m_hMenu, i);
        if (hSub != NULL) {
            if (CNewMenu* pSub = PermanentNewMenu(hSub))
                CollectCommand(pSub, nID, visited, found);
        } else if (::GetMenuItemID(pMenu->m_hMenu, i) == nID) {
            found.push_back(std::make_pair(pMenu, i));
        }
    }
}

// A 16-colour bitmap resource in the system's button colours, else as it is.
HBITMAP LoadCheckBitmap(UINT nID)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HRSRC hResource = ::FindResourceA(hInst, lpszName, RT_BITMAP);
    if (hResource == NULL)
        return NULL;
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::LockResource(::LoadResource(hInst, hResource));
    if (pHeader != NULL && pHeader->biBitCount == 4)
        return AfxLoadSysColorBitmap(hInst, hResource);
    return ::LoadBitmapA(hInst, lpszName);
}

} // namespace

void CNewMenu::KeepInStep()
{
    if (GetItemDataCount() != ::GetMenuItemCount(m_hMenu))
        SyncItems();
}

void CNewMenu::GrowIconSize(CNewMenuIcons* pIcons)
{
    int cx = 0, cy = 0;
    if (pIcons != NULL && ImageList_GetIconSize(pIcons->GetImageList()->m_hImageList, &cx, &cy)) {
        m_iconX = std::max(m_iconX, cx);
        m_iconY = std::max(m_iconY, cy);
    }
}

void CNewMenu::RefreshItem(int nPosition)
{
    CNewMenuItemData* pData = GetItemData(nPosition);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    if (pData == NULL || !::GetMenuItemInfoA(m_hMenu, nPosition, TRUE, &info))
        return;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType |= MFT_OWNERDRAW;
    info.dwItemData = (ULONG_PTR)pData;
    ::SetMenuItemInfoA(m_hMenu, nPosition, TRUE, &info);
}

void CNewMenu::SetMenuBreak(int nPosition, BOOL bBreak)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    if (!::GetMenuItemInfoA(m_hMenu, nPosition, TRUE, &info))
        return;
    info.fType = bBreak ? info.fType | MFT_MENUBREAK : info.fType & ~MFT_MENUBREAK;
    ::SetMenuItemInfoA(m_hMenu, nPosition, TRUE, &info);
    if (CNewMenuItemData* pData = GetItemData(nPosition))
        pData->m_nFlags = bBreak ? pData->m_nFlags | MF_MENUBREAK : pData->m_nFlags & ~MF_MENUBREAK;
}

BOOL CNewMenu::AddItem(int nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID,
                       CNewMenuIcons* pIcons, int nIndex)
{
    if (!::IsMenu(m_hMenu))
        return FALSE;
    KeepInStep();
    int nCount = GetItemDataCount();
    if (nPosition < 0 || nPosition > nCount)
        nPosition = nCount;
    if (nID == 0 && !(nFlags & MF_POPUP))
        nFlags = (nFlags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
    else
        nFlags |= MF_OWNERDRAW;
    CNewMenuItemData* pData = new CNewMenuItemData;
    pData->m_szMenuText = lpszText != NULL ? lpszText : "";
    pData->m_nFlags = nFlags;
    pData->m_nID = nID;
    if (pIcons != NULL && nIndex >= 0) {
        pData->SetIcon(pIcons, nIndex);
        GrowIconSize(pIcons);
    }
    if (!::InsertMenuA(m_hMenu, nPosition, (nFlags & ~MF_STRING) | MF_BYPOSITION, nID, (LPCSTR)pData)) {
        delete pData;
        return FALSE;
    }
    m_MenuItemList.InsertAt(nPosition, pData);
    if (nFlags & MF_POPUP) {
        if (CNewMenu* pSub = PermanentNewMenu((HMENU)nID))
            pSub->m_hParentMenu = m_hMenu;
    }
    return TRUE;
}

CNewMenuIcons* CNewMenu::IconOfBitmap(CBitmap* pBitmap, int* pIndex)
{
    *pIndex = -1;
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return NULL;
    return CNewMenuIcons::GetBitmapIcons(pBitmap, GetBitmapBackground(), pIndex);
}

CNewMenuIcons* CNewMenu::IconOfImageList(CImageList* pImageList, int nImage, UINT nID, int* pIndex)
{
    *pIndex = -1;
    if (pImageList == NULL || pImageList->m_hImageList == NULL || nImage < 0)
        return NULL;
    return CNewMenuIcons::GetImageListIcons(pImageList->m_hImageList, nImage, nID, pIndex);
}

CNewMenuIcons* CNewMenu::IconOfValue(int nIconId, UINT nID, int* pIndex)
{
    *pIndex = -1;
    if (nIconId < 0)
        return NULL;
    // A toolbar that holds the command gives its image; any other value is a bitmap's id.
    CNewMenuIcons* pToolbar =
        CNewMenuIcons::GetToolbarIcons(MAKEINTRESOURCE(nIconId), NULL, GetBitmapBackground());
    if (pToolbar != NULL && (*pIndex = pToolbar->IndexOf(nID)) >= 0)
        return pToolbar;
    return CNewMenuIcons::GetBitmapIcons((UINT_PTR)nIconId, m_bIconsAreHandles, GetBitmapBackground(), pIndex);
}

BOOL CNewMenu::AppendItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CNewMenuIcons* pIcons, int nIndex)
{
    return AddItem(-1, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::AppendItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CBitmap* pBitmap)
{
    int nIndex;
    CNewMenuIcons* pIcons = IconOfBitmap(pBitmap, &nIndex);
    return AddItem(-1, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::AppendItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CImageList* pImageList, int nImage)
{
    int nIndex;
    CNewMenuIcons* pIcons = IconOfImageList(pImageList, nImage, (UINT)nID, &nIndex);
    return AddItem(-1, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::InsertByCommandOrPosition(UINT nPosition, LPCTSTR lpszText, UINT nFlags,
                                         UINT_PTR nID, CNewMenuIcons* pIcons, int nIndex)
{
    if (nFlags & MF_BYPOSITION) {
        // A separator by position takes the flags of one that SyncItems makes.
        if (nID == 0 && !(nFlags & MF_POPUP))
            nFlags = kOwnerDrawnSeparator;
        return AddItem((int)nPosition, lpszText, nFlags, nID, pIcons, nIndex);
    }
    int nPos;
    CNewMenu* pMenu = FindCommand(nPosition, nPos);
    if (pMenu == NULL)
        return FALSE;
    return pMenu->AddItem(nPos, lpszText, nFlags | MF_BYPOSITION, nID, pIcons, nIndex);
}

BOOL CNewMenu::InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID,
                          CNewMenuIcons* pIcons, int nIndex)
{
    return InsertByCommandOrPosition(nPosition, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CBitmap* pBitmap)
{
    int nIndex;
    CNewMenuIcons* pIcons = IconOfBitmap(pBitmap, &nIndex);
    return InsertByCommandOrPosition(nPosition, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID,
                          CImageList* pImageList, int nImage)
{
    int nIndex;
    CNewMenuIcons* pIcons = IconOfImageList(pImageList, nImage, (UINT)nID, &nIndex);
    return InsertByCommandOrPosition(nPosition, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, int nIconId)
{
    int nIndex;
    CNewMenuIcons* pIcons = IconOfValue(nIconId, (UINT)nID, &nIndex);
    return InsertByCommandOrPosition(nPosition, lpszText, nFlags, nID, pIcons, nIndex);
}

BOOL CNewMenu::ModifyItem(LPCTSTR lpszText, UINT nID, CNewMenuIcons* pIcons, int nIndex)
{
    VisitedItems visited;
    std::vector<std::pair<CNewMenu*, int>> found;
    CollectCommand(this, nID, visited, found);
    for (const auto& place : found) {
        CNewMenu* pMenu = place.first;
        pMenu->KeepInStep();
        CNewMenuItemData* pData = pMenu->GetItemData(place.second);
        if (pData == NULL)
            continue;
        if (lpszText != NULL && *lpszText != '\0')
            pData->m_szMenuText = lpszText;
        pData->SetIcon(pIcons, nIndex);
        pData->m_nID = nID;
        pData->m_nFlags = (pData->m_nFlags | MF_OWNERDRAW) & ~MF_BYPOSITION;
        // Each place by its own position: by command the system would find the first only.
        pMenu->RefreshItem(place.second);
        pMenu->GrowIconSize(pIcons);
    }
    return !found.empty();
}

BOOL CNewMenu::ModifyItem(LPCTSTR lpszText, UINT nID, int nIconId)
{
    int nIndex;
    CNewMenuIcons* pIcons = IconOfValue(nIconId, nID, &nIndex);
    return ModifyItem(lpszText, nID, nIndex >= 0 ? pIcons : NULL, nIndex);
}

BOOL CNewMenu::ModifyItem(LPCTSTR lpszText, UINT nID, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return ModifyItem(lpszText, nID, (CNewMenuIcons*)NULL, -1);
    CImageList icon;
    if (!icon.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 0, 1) ||
        ImageList_AddMasked(icon.m_hImageList, (HBITMAP)pBitmap->GetSafeHandle(), GetBitmapBackground()) < 0)
        return FALSE;
    int nIndex;
    CNewMenuIcons* pIcons = IconOfImageList(&icon, 0, nID, &nIndex);
    return ModifyItem(lpszText, nID, pIcons, nIndex);
}

BOOL CNewMenu::ModifyItem(LPCTSTR lpszText, UINT nID, COLORREF crFill, COLORREF crBorder, int nHatchStyle)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    CBitmap swatch;
    swatch.Attach(::CreateCompatibleBitmap(hScreen, m_iconX, m_iconY));
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOldBitmap = ::SelectObject(hDC, swatch.GetSafeHandle());
    HBRUSH hBrush = nHatchStyle < 0 ? ::CreateSolidBrush(crFill) : ::CreateHatchBrush(nHatchStyle, crFill);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, crBorder);
    // The hatch's gaps are the bitmap background, which the mask makes transparent.
    ::SetBkColor(hDC, GetBitmapBackground());
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    ::Rectangle(hDC, 0, 0, m_iconX, m_iconY);
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldBitmap);
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
    ::DeleteDC(hDC);
    return ModifyItem(lpszText, nID, &swatch);
}

BOOL CNewMenu::ModifyItem(LPCTSTR lpszText, LPCTSTR lpszOldText, int nBitmapId)
{
    int nPos;
    CNewMenu* pMenu = lpszOldText != NULL ? FindText(lpszOldText, nPos) : NULL;
    if (pMenu == NULL)
        return FALSE;
    CNewMenuItemData* pData = pMenu->GetItemData(nPos);
    int nIndex = -1;
    CNewMenuIcons* pIcons = nBitmapId >= 0 ? CNewMenuIcons::GetBitmapIcons(
                                                 (UINT_PTR)nBitmapId, m_bIconsAreHandles,
                                                 GetBitmapBackground(), &nIndex)
                                           : NULL;
    if (lpszText != NULL)
        pData->m_szMenuText = lpszText;
    pData->SetIcon(nIndex >= 0 ? pIcons : NULL, nIndex);
    pMenu->GrowIconSize(pIcons);
    pMenu->RefreshItem(nPos);
    return TRUE;
}

CNewMenu* CNewMenu::AppendPopup(LPCTSTR lpszText)
{
    CNewMenu* pSub = new CNewMenu(m_hMenu);
    if (!pSub->CreatePopupMenu()) {
        delete pSub;
        return NULL;
    }
    pSub->m_pCheckImages = m_pCheckImages;
    pSub->m_bCheckImagesShared = TRUE;
    pSub->m_nCheckedImageId = m_nCheckedImageId;
    pSub->m_nSelectedCheckedImageId = m_nSelectedCheckedImageId;
    if (!AddItem(-1, lpszText, MF_POPUP, (UINT_PTR)pSub->m_hMenu, NULL, -1)) {
        delete pSub;
        return NULL;
    }
    m_SubMenus.Add(pSub->m_hMenu);
    return pSub;
}

BOOL CNewMenu::SetMenuText(UINT nID, LPCTSTR lpszText, UINT nFlags)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int nPos;
        CNewMenu* pMenu = FindCommand(nID, nPos);
        return pMenu != NULL && pMenu->SetMenuText(nPos, lpszText, MF_BYPOSITION);
    }
    KeepInStep();
    CNewMenuItemData* pData = GetItemData((int)nID);
    if (pData == NULL)
        return FALSE;
    pData->m_szMenuText = lpszText != NULL ? lpszText : "";
    RefreshItem((int)nID);
    return TRUE;
}

BOOL CNewMenu::SetItemValue(UINT nPosition, DWORD dwValue, BOOL bByPosition)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoA(m_hMenu, nPosition, bByPosition, &info))
        return FALSE;
    for (int i = 0; i < GetItemDataCount(); i++) {
        if ((ULONG_PTR)GetItemData(i) == info.dwItemData) {
            GetItemData(i)->m_dwItemValue = dwValue;
            return TRUE;
        }
    }
    return FALSE;
}

DWORD CNewMenu::GetItemValue(UINT nPosition, BOOL bByPosition) const
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoA(m_hMenu, nPosition, bByPosition, &info))
        return (DWORD)-1;
    for (int i = 0; i < GetItemDataCount(); i++) {
        if ((ULONG_PTR)GetItemData(i) == info.dwItemData)
            return GetItemData(i)->m_dwItemValue;
    }
    return (DWORD)-1;
}

BOOL CNewMenu::RemoveItem(UINT nPosition, UINT nFlags, BOOL bDelete)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int nPos;
        CNewMenu* pMenu = FindCommand(nPosition, nPos);
        return pMenu != NULL && pMenu->RemoveItem(nPos, MF_BYPOSITION, bDelete);
    }
    if (!::IsMenu(m_hMenu))
        return FALSE;
    KeepInStep();
    CNewMenuItemData* pData = GetItemData((int)nPosition);
    if (pData == NULL)
        return FALSE;
    CNewMenu* pOwnedSub = NULL;
    HMENU hSub = ::GetSubMenu(m_hMenu, nPosition);
    for (int i = 0; hSub != NULL && i < m_SubMenus.GetSize(); i++) {
        if ((HMENU)m_SubMenus[i] == hSub) {
            m_SubMenus.RemoveAt(i);
            pOwnedSub = PermanentNewMenu(hSub);
            break;
        }
    }
    m_MenuItemList.RemoveAt(nPosition);
    if (GetHotBarItem() == pData)
        SetHotBarItem(NULL);
    delete pData;
    if (bDelete && pOwnedSub != NULL) {
        // The object destroys the sub-menu with its records and its own sub-menus.
        BOOL bRemoved = ::RemoveMenu(m_hMenu, nPosition, MF_BYPOSITION);
        delete pOwnedSub;
        return bRemoved;
    }
    return bDelete ? ::DeleteMenu(m_hMenu, nPosition, MF_BYPOSITION)
                   : ::RemoveMenu(m_hMenu, nPosition, MF_BYPOSITION);
}

BOOL CNewMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return RemoveItem(nPosition, nFlags, FALSE);
}

BOOL CNewMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return RemoveItem(nPosition, nFlags, TRUE);
}

BOOL CNewMenu::RemoveMenuByText(LPCTSTR lpszText, int nWhich)
{
    int nPos = FindTextPosition(lpszText);
    if (nPos < 0)
        return FALSE;
    switch (nWhich) {
    case kRemoveItem:
        return DeleteMenu(nPos, MF_BYPOSITION);
    case kRemoveBefore:
        return nPos > 0 && DeleteMenu(nPos - 1, MF_BYPOSITION);
    case kRemoveAfter:
        return DeleteMenu(nPos + 1, MF_BYPOSITION);
    case kRemoveBoth: {
        // The later one first, so that the earlier keeps its position.
        BOOL bAfter = DeleteMenu(nPos + 1, MF_BYPOSITION);
        BOOL bBefore = nPos > 0 && DeleteMenu(nPos - 1, MF_BYPOSITION);
        return bAfter && bBefore;
    }
    default:
        return FALSE;
    }
}

int CNewMenu::FindTextPosition(LPCTSTR lpszText)
{
    if (lpszText == NULL || !::IsMenu(m_hMenu))
        return -1;
    KeepInStep();
    for (int i = 0; i < GetItemDataCount(); i++) {
        if (GetItemData(i)->m_szMenuText == lpszText)
            return i;
    }
    return -1;
}

CNewMenu* CNewMenu::FindCommand(UINT nID, int& nPosition)
{
    nPosition = -1;
    CNewMenu* pMenu = ::IsMenu(m_hMenu) ? FindMenuOfCommand(nID, &nPosition) : NULL;
    if (pMenu == NULL)
        nPosition = -1;
    return pMenu;
}

CNewMenuItemData* CNewMenu::FindItemData(UINT nID)
{
    int nPos;
    CNewMenu* pMenu = FindCommand(nID, nPos);
    if (pMenu == NULL)
        return NULL;
    pMenu->KeepInStep();
    return pMenu->GetItemData(nPos);
}

CNewMenu* CNewMenu::FindText(LPCTSTR lpszText, int& nIndex)
{
    nIndex = -1;
    if (lpszText == NULL || !::IsMenu(m_hMenu))
        return NULL;
    KeepInStep();
    for (int i = 0; i < GetItemDataCount(); i++) {
        CNewMenuItemData* pData = GetItemData(i);
        if (pData->m_szMenuText == lpszText) {
            nIndex = i;
            return this;
        }
        if (pData->m_nFlags & MF_POPUP) {
            CNewMenu* pSub = PermanentNewMenu(::GetSubMenu(m_hMenu, i));
            CNewMenu* pFound = pSub != NULL ? pSub->FindText(lpszText, nIndex) : NULL;
            if (pFound != NULL)
                return pFound;
        }
    }
    return NULL;
}

BOOL CNewMenu::SetTitle(LPCTSTR lpszTitle, DWORD dwTitleFlags)
{
    if (!::IsMenu(m_hMenu))
        return FALSE;
    KeepInStep();
    CNewMenuItemData* pFirst = GetItemData(0);
    if (pFirst == NULL || !(pFirst->m_nFlags & MF_SEPARATOR)) {
        if (!AddItem(0, NULL, MF_BYPOSITION | MF_SEPARATOR, 0, NULL, -1))
            return FALSE;
        pFirst = GetItemData(0);
    }
    pFirst->m_szMenuText = lpszTitle != NULL ? lpszTitle : "";
    pFirst->m_nTitleFlags = dwTitleFlags | kMenuTitle;
    RefreshItem(0);
    if (GetItemDataCount() < 2)
        return FALSE;
    SetMenuBreak(1, (dwTitleFlags & kMenuTitleVertical) != 0);
    return TRUE;
}

BOOL CNewMenu::RemoveTitle()
{
    if (!::IsMenu(m_hMenu))
        return FALSE;
    KeepInStep();
    CNewMenuItemData* pFirst = GetItemData(0);
    if (pFirst == NULL || !pFirst->IsTitle())
        return FALSE;
    if (GetItemDataCount() >= 2)
        SetMenuBreak(1, FALSE);
    return RemoveMenu(0, MF_BYPOSITION);
}

void CNewMenu::DropSharedCheckImages(CImageList* pOld)
{
    for (int i = 0; i < m_SubMenus.GetSize(); i++) {
        CNewMenu* pSub = PermanentNewMenu((HMENU)m_SubMenus[i]);
        if (pSub != NULL && pSub->m_bCheckImagesShared && pSub->m_pCheckImages == pOld) {
            pSub->m_pCheckImages = NULL;
            pSub->DropSharedCheckImages(pOld);
        }
    }
}

BOOL CNewMenu::SetCheckMarkImages(UINT nCheckedId, UINT nSelectedCheckedId)
{
    if ((int)nCheckedId <= 0 || (int)nSelectedCheckedId <= 0)
        return FALSE;
    // A list shared with the parent menu stays the parent's: this menu makes its own.
    if (m_bCheckImagesShared) {
        m_pCheckImages = NULL;
        m_bCheckImagesShared = FALSE;
    }
    if (m_pCheckImages == NULL)
        m_pCheckImages = new CImageList;
    if (m_pCheckImages->m_hImageList != NULL)
        ImageList_Remove(m_pCheckImages->m_hImageList, -1);
    else
        m_pCheckImages->Create(m_iconX, m_iconY, ILC_MASK, 2, 1);
    BOOL bAdded = m_pCheckImages->m_hImageList != NULL;
    const UINT ids[] = {nCheckedId, nSelectedCheckedId};
    for (UINT nID : ids) {
        if (!bAdded)
            break;
        if (m_bIconsAreHandles) {
            bAdded = m_pCheckImages->Add((HICON)(UINT_PTR)nID) >= 0;
        } else {
            HBITMAP hBitmap = LoadCheckBitmap(nID);
            bAdded = hBitmap != NULL &&
                     ImageList_AddMasked(m_pCheckImages->m_hImageList, hBitmap, GetBitmapBackground()) >= 0;
            if (hBitmap != NULL)
                ::DeleteObject(hBitmap);
        }
    }
    if (!bAdded) {
        DropSharedCheckImages(m_pCheckImages);
        delete m_pCheckImages;
        m_pCheckImages = NULL;
        m_nCheckedImageId = m_nSelectedCheckedImageId = -1;
        return FALSE;
    }
    m_nCheckedImageId = (int)nCheckedId;
    m_nSelectedCheckedImageId = (int)nSelectedCheckedId;
    return TRUE;
}

BOOL CNewMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem,
                          CNewMenuIcons* pIcons, int nIndex)
{
    return AppendItem(lpszNewItem, nFlags, nIDNewItem, pIcons, nIndex);
}

BOOL CNewMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem, CBitmap* pBitmap)
{
    return AppendItem(lpszNewItem, nFlags, nIDNewItem, pBitmap);
}

BOOL CNewMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem,
                          CImageList* pImageList, int nImage)
{
    return AppendItem(lpszNewItem, nFlags, nIDNewItem, pImageList, nImage);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem,
                          CNewMenuIcons* pIcons, int nIndex)
{
    return InsertItem(nPosition, lpszNewItem, nFlags, nIDNewItem, pIcons, nIndex);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem,
                          CBitmap* pBitmap)
{
    return InsertItem(nPosition, lpszNewItem, nFlags, nIDNewItem, pBitmap);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem,
                          CImageList* pImageList, int nImage)
{
    return InsertItem(nPosition, lpszNewItem, nFlags, nIDNewItem, pImageList, nImage);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem, int nIconId)
{
    return InsertItem(nPosition, lpszNewItem, nFlags, nIDNewItem, nIconId);
}
