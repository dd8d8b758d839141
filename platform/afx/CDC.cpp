#include "CDC.h"

#include "CHandleMap.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

void SetDCHandle(CDC* pDC, HDC hDC)
{
    pDC->m_hDC = hDC;
    pDC->m_hAttribDC = hDC;
}

CHandleMap<CDC, HDC>& DCMap()
{
    return CHandleMap<CDC, HDC>::ForThread(SetDCHandle);
}

} // namespace

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL)
{
}

CDC::~CDC()
{
    DeleteDC();
}

HDC CDC::GetSafeHdc() const
{
    const void* self = this;
    return self == NULL ? NULL : m_hDC;
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return DCMap().FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    DCMap().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC != NULL || hDC == NULL)
        return FALSE;
    SetDCHandle(this, hDC);
    DCMap().SetPermanent(hDC, this);
    return TRUE;
}

BOOL CDC::AttachNew(HDC hDC)
{
    if (Attach(hDC))
        return TRUE;
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return FALSE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        DCMap().RemoveHandle(hDC, this);
    SetDCHandle(this, NULL);
    return hDC;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    return AttachNew(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput,
                              (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return AttachNew(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectGdiObject(HGDIOBJ hObject)
{
    if (m_hDC == NULL || hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, hObject));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return SelectGdiObject(::GetStockObject(nIndex));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return (CPen*)SelectGdiObject(pPen->GetSafeHandle());
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return (CBrush*)SelectGdiObject(pBrush->GetSafeHandle());
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return (CFont*)SelectGdiObject(pFont->GetSafeHandle());
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return (CBitmap*)SelectGdiObject(pBitmap->GetSafeHandle());
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return SelectGdiObject(pObject->GetSafeHandle());
}

int CDC::SelectObject(CRgn* pRgn)
{
    return (int)(INT_PTR)::SelectObject(m_hDC, pRgn->GetSafeHandle());
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return (CPalette*)CGdiObject::FromHandle(
        ::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CGdiObject* CDC::CurrentObject(UINT nObjectType) const
{
    return CGdiObject::FromHandle(::GetCurrentObject(m_hDC, nObjectType));
}

CPen* CDC::GetCurrentPen() const { return (CPen*)CurrentObject(OBJ_PEN); }
CBrush* CDC::GetCurrentBrush() const { return (CBrush*)CurrentObject(OBJ_BRUSH); }
CFont* CDC::GetCurrentFont() const { return (CFont*)CurrentObject(OBJ_FONT); }
CBitmap* CDC::GetCurrentBitmap() const { return (CBitmap*)CurrentObject(OBJ_BITMAP); }

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
int CDC::SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
UINT CDC::SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
int CDC::SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &origin);
    return origin;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old = {0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
int CDC::SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }
int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), nMode);
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, nCount); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
BOOL CDC::RoundRect(LPCRECT r, POINT p) { return RoundRect(r->left, r->top, r->right, r->bottom, p.x, p.y); }
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // An opaque ExtTextOut fills with the background colour without making a brush.
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle());
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(),
                      nWidth, nHeight);
}
BOOL CDC::PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                     UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str, str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }

BOOL CDC::BeginPath() { return ::BeginPath(m_hDC); }
BOOL CDC::EndPath() { return ::EndPath(m_hDC); }
BOOL CDC::AbortPath() { return ::AbortPath(m_hDC); }
BOOL CDC::CloseFigure() { return ::CloseFigure(m_hDC); }
BOOL CDC::FillPath() { return ::FillPath(m_hDC); }
BOOL CDC::StrokePath() { return ::StrokePath(m_hDC); }
BOOL CDC::StrokeAndFillPath() { return ::StrokeAndFillPath(m_hDC); }
BOOL CDC::SelectClipPath(int nMode) { return ::SelectClipPath(m_hDC, nMode); }
