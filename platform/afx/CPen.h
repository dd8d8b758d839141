// CPen: a GDI pen.
#pragma once

#include "CGdiObject.h"

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() {}
    // Leaves the object empty when the pen cannot be made.
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

    static CPen* PASCAL FromHandle(HPEN hPen) { return (CPen*)CGdiObject::FromHandle(hPen); }
    operator HPEN() const { return (HPEN)m_hObject; }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
    {
        return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
    }
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return AttachNew(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
};
