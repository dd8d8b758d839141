// CFont: a GDI font.
#pragma once

#include "CGdiObject.h"

class CDC;

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    CFont() {}

    static CFont* PASCAL FromHandle(HFONT hFont) { return (CFont*)CGdiObject::FromHandle(hFont); }
    operator HFONT() const { return (HFONT)m_hObject; }

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return AttachNew(::CreateFontIndirectA(lpLogFont)); }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCTSTR lpszFacename)
    {
        return AttachNew(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                    bUnderline, cStrikeOut, nCharSet, nOutPrecision,
                                    nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
    }
    // nPointSize in tenths of a point, on pDC (the screen when NULL).
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);
    int GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }
};
