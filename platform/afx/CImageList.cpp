#include "CImageList.h"

#include "CBitmap.h"
#include "CDC.h"
#include "CDialog.h"
#include "CHandleMap.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

void SetImageListHandle(CImageList* pList, HIMAGELIST hImageList)
{
    pList->m_hImageList = hImageList;
}

CHandleMap<CImageList, HIMAGELIST>& ImageListMap()
{
    return CHandleMap<CImageList, HIMAGELIST>::ForThread(SetImageListHandle);
}

} // namespace

CImageList::CImageList() : m_hImageList(NULL)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    const void* self = this;
    return self == NULL ? NULL : m_hImageList;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageListMap().FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return hImageList != NULL ? ImageListMap().LookupPermanent(hImageList) : NULL;
}

void PASCAL CImageList::DeleteTempMap()
{
    ImageListMap().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList != NULL || hImageList == NULL)
        return FALSE;
    m_hImageList = hImageList;
    ImageListMap().SetPermanent(hImageList, this);
    return TRUE;
}

BOOL CImageList::AttachNew(HIMAGELIST hImageList)
{
    if (Attach(hImageList))
        return TRUE;
    if (hImageList != NULL)
        ImageList_Destroy(hImageList);
    return FALSE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL)
        ImageListMap().RemoveHandle(hImageList, this);
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return AttachNew(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    LPCTSTR name = MAKEINTRESOURCEA(nBitmapID);
    HINSTANCE hInst = AfxFindResourceHandle(name, (LPCTSTR)RT_BITMAP);
    return AttachNew(ImageList_LoadImageA(hInst, name, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return AttachNew(ImageList_Duplicate(pImageList->GetSafeHandle()));
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}
BOOL CImageList::GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(),
                         (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

int CImageList::Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
                             (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
HICON CImageList::ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}
