// CBrush: a GDI brush.
#pragma once

#include "CBitmap.h"

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() {}
    // Leaves the object empty when the brush cannot be made.
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

    static CBrush* PASCAL FromHandle(HBRUSH hBrush) { return (CBrush*)CGdiObject::FromHandle(hBrush); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }

    BOOL CreateSolidBrush(COLORREF crColor) { return AttachNew(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return AttachNew(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreatePatternBrush(CBitmap* pBitmap) { return AttachNew(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle())); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return AttachNew(::CreateBrushIndirect(lpLogBrush)); }
    // The system keeps colour brushes itself: deleting one is harmless.
    BOOL CreateSysColorBrush(int nIndex) { return AttachNew(::GetSysColorBrush(nIndex)); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};
