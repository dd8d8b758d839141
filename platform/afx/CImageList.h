// CImageList: an image list. Like the GDI objects, a list the object made or attached is its
// own (destroyed with the object) and FromHandle gives any other a temporary object.
#pragma once

#include "CObject.h"

#include <commctrl.h>

class CBitmap;
class CDC;

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    ~CImageList() override;

    HIMAGELIST m_hImageList;

    // m_hImageList, or NULL through a NULL pointer (CImageList.cpp keeps the test of this).
    HIMAGELIST GetSafeHandle() const;
    operator HIMAGELIST() const { return m_hImageList; }

    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // The bitmap resource cut into images cx wide (from the resource module first);
    // crMask the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(CImageList* pImageList);
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    BOOL GetIconSize(int* cx, int* cy) const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;

    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);
    HICON ExtractIcon(int nImage);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);

private:
    // Takes a list just made for this object; an object that holds one already refuses it and
    // destroys it, so that it is not lost.
    BOOL AttachNew(HIMAGELIST hImageList);
};
