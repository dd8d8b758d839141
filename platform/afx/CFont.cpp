#include "CFont.h"

#include "CDC.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    // lfHeight comes in tenths of a point: turned into the DC's logical units, negative (the
    // character height without the internal leading).
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    LOGFONT logFont = *lpLogFont;
    POINT pt = {0, MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &origin, 1);
    logFont.lfHeight = -abs(pt.y - origin.y);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}
