// CRgn: a GDI region.
#pragma once

#include "CGdiObject.h"

class CDC;

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() {}

    static CRgn* PASCAL FromHandle(HRGN hRgn) { return (CRgn*)CGdiObject::FromHandle(hRgn); }
    operator HRGN() const { return (HRGN)m_hObject; }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return AttachNew(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return AttachNew(::CreateRectRgnIndirect(lpRect)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateEllipticRgnIndirect(LPCRECT lpRect) { return AttachNew(::CreateEllipticRgnIndirect(lpRect)); }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
    {
        return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
    }
    BOOL CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
    {
        return AttachNew(::CreatePolygonRgn(lpPoints, nCount, nMode));
    }
    // The DC's closed path as a region (the path is used up).
    BOOL CreateFromPath(CDC* pDC);
    BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
    {
        return AttachNew(::ExtCreateRegion(lpXForm, nCount, pRgnData));
    }

    void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
    void SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    // This region becomes the combination of the two; the result's kind (NULLREGION...).
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
    {
        return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->GetSafeHandle(),
                            (HRGN)pRgn2->GetSafeHandle(), nCombineMode);
    }
    // In parentheses: the DirectShow headers define a CopyRgn macro.
    int (CopyRgn)(const CRgn* pRgnSrc) { return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->GetSafeHandle(), NULL, RGN_COPY); }
    BOOL EqualRgn(const CRgn* pRgn) const { return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->GetSafeHandle()); }
    int OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }
    int GetRegionData(LPRGNDATA lpRgnData, int nCount) const
    {
        return ::GetRegionData((HRGN)m_hObject, nCount, lpRgnData);
    }
};
