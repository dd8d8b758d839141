// The process-wide list of icon stores and the look-ups through which menus share them.
#include "CNewMenuIcons.h"

#include <AfxToolBarData.h>
#include <afxres.h>

#include "CNewMenuBitmaps.h"

namespace {

const int kListBlockSize = 10;

// A new store joins the list once loaded; one that did not load is deleted.
template <class STORE>
STORE* ListIfLoaded(STORE* pStore, BOOL bLoaded)
{
    if (!bLoaded) {
        delete pStore;
        return NULL;
    }
    CNewMenuIcons::GetIconsList().AddTail(pStore);
    return pStore;
}

// The first listed bitmap store that takes the icon (add returns its index), else a new one.
template <class ADD>
CNewMenuBitmaps* FirstBitmapsTaking(const ADD& add, int* pIndex)
{
    CPtrList& list = CNewMenuIcons::GetIconsList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CNewMenuIcons* pStore = (CNewMenuIcons*)list.GetNext(pos);
        if (!pStore->IsKindOf(RUNTIME_CLASS(CNewMenuBitmaps)))
            continue;
        *pIndex = add((CNewMenuBitmaps*)pStore);
        if (*pIndex >= 0)
            return (CNewMenuBitmaps*)pStore;
    }
    CNewMenuBitmaps* pStore = new CNewMenuBitmaps;
    *pIndex = add(pStore);
    return ListIfLoaded(pStore, *pIndex >= 0);
}

} // namespace

CPtrList& CNewMenuIcons::GetIconsList()
{
    static CPtrList* s_pList = new CPtrList(kListBlockSize);
    return *s_pList;
}

CNewMenuIcons* CNewMenuIcons::GetToolbarIcons(LPCTSTR lpszResourceName, HINSTANCE hInst,
                                              COLORREF crTransparent)
{
    CPtrList& list = GetIconsList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CNewMenuIcons* pStore = (CNewMenuIcons*)list.GetNext(pos);
        if (pStore->Matches(lpszResourceName, hInst))
            return pStore;
    }
    CNewMenuIcons* pStore = new CNewMenuIcons;
    pStore->m_crTransparent = crTransparent;
    return ListIfLoaded(pStore, pStore->LoadToolbarResource(lpszResourceName, hInst));
}

CNewMenuIcons* CNewMenuIcons::GetToolbarIcons(const WORD* pData, COLORREF crTransparent)
{
    CPtrList& list = GetIconsList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CNewMenuIcons* pStore = (CNewMenuIcons*)list.GetNext(pos);
        if (pStore->Matches(pData, crTransparent))
            return pStore;
    }
    CNewMenuIcons* pStore = new CNewMenuIcons;
    return ListIfLoaded(pStore, pStore->LoadToolbarData(pData, crTransparent));
}

CNewMenuBitmaps* CNewMenuIcons::GetBitmapIcons(UINT_PTR nBitmap, BOOL bIconHandle,
                                               COLORREF crTransparent, int* pIndex)
{
    return FirstBitmapsTaking(
        [&](CNewMenuBitmaps* pStore) {
            return bIconHandle ? pStore->AddImage((HICON)nBitmap, 0)
                               : pStore->AddImage((UINT)nBitmap, crTransparent);
        },
        pIndex);
}

CNewMenuBitmaps* CNewMenuIcons::GetImageListIcons(HIMAGELIST hImageList, int nImage, UINT nID,
                                                  int* pIndex)
{
    *pIndex = -1;
    HICON hIcon = ImageList_GetIcon(hImageList, nImage, ILD_NORMAL);
    if (hIcon == NULL)
        return NULL;
    CNewMenuBitmaps* pStore = FirstBitmapsTaking(
        [&](CNewMenuBitmaps* pStore) { return pStore->AddImage(hIcon, nID); }, pIndex);
    DestroyIcon(hIcon);
    return pStore;
}

CNewMenuBitmaps* CNewMenuIcons::GetBitmapIcons(CBitmap* pBitmap, COLORREF crTransparent, int* pIndex)
{
    return FirstBitmapsTaking(
        [&](CNewMenuBitmaps* pStore) { return pStore->AddImage(pBitmap, crTransparent); }, pIndex);
}

int CNewMenuIcons::ToolbarImageIndex(LPCTSTR lpszResourceName, HINSTANCE hInst, UINT nID)
{
    hInst = hInst != NULL ? hInst : AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_TOOLBAR);
    const AfxToolBarData* pData = AfxToolBarData::Load(hInst, lpszResourceName);
    if (pData == NULL || nID == 0)
        return -1;
    int nImage = 0;
    for (int i = 0; i < pData->wItemCount; i++) {
        if (pData->Items()[i] == nID)
            return nImage;
        if (pData->Items()[i] != 0)
            nImage++;
    }
    return -1;
}
