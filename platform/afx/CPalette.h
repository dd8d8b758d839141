// CPalette: a GDI colour palette.
#pragma once

#include "CGdiObject.h"

class CDC;

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() {}

    static CPalette* PASCAL FromHandle(HPALETTE hPalette) { return (CPalette*)CGdiObject::FromHandle(hPalette); }
    operator HPALETTE() const { return (HPALETTE)m_hObject; }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return AttachNew(::CreatePalette(lpLogPalette)); }
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const
    {
        WORD nEntries = 0;
        GetObject(sizeof(nEntries), &nEntries);
        return nEntries;
    }
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
    {
        return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
    }
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
    {
        return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
    }
    UINT GetNearestPaletteIndex(COLORREF crColor) const
    {
        return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
    }
};
