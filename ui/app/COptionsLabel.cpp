#include "COptionsLabel.h"

#include "AppMessages.h"

BEGIN_MESSAGE_MAP(COptionsLabel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_OPTIONS_KEY, OnOptionsKey)
END_MESSAGE_MAP()

COptionsLabel::COptionsLabel()
{
    memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfHeight = 30;
    m_logFont.lfWidth = 15;
    m_logFont.lfWeight = 600;
    m_logFont.lfCharSet = 0;
    lstrcpyA(m_logFont.lfFaceName, "Arial");
    m_font.CreateFontIndirect(&m_logFont);
}

COptionsLabel::~COptionsLabel()
{
    DestroyWindow();
}

BOOL COptionsLabel::Create(const RECT& rect, CWnd* pParent, UINT id, LPCTSTR text)
{
    m_text = text;
    return CreateEx(0, NULL, m_text, WS_CHILD | WS_VISIBLE, rect, pParent, id);
}

LRESULT COptionsLabel::OnKey(UINT, LPARAM)
{
    return 2;
}

LRESULT COptionsLabel::OnOptionsKey(WPARAM wParam, LPARAM lParam)
{
    if (!m_bKeyHandling)
        return 2;
    return OnKey((UINT)wParam, lParam);
}

COLORREF COptionsLabel::CurrentTextColor() const
{
    return m_bHighlighted ? m_highlightColor : m_textColor;
}

void COptionsLabel::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawTextIn(pDC, client);
}

void COptionsLabel::DrawTextIn(CDC* pDC, const CRect& rect)
{
    pDC->SetTextColor(CurrentTextColor());
    pDC->SetBkMode(TRANSPARENT);
    CFont* old = pDC->SelectObject(&m_font);
    CRect area = rect;
    if (m_bCentred) {
        int textHeight = pDC->GetTextExtent(m_text.IsEmpty() ? CString(" ") : m_text).cy;
        if (textHeight < area.Height())
            area.DeflateRect(0, (area.Height() - textHeight) / 2);
        pDC->DrawText(m_text, &area, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        pDC->DrawText(m_text, &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (old != NULL)
        pDC->SelectObject(old);
}

void COptionsLabel::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

BOOL COptionsLabel::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COptionsLabel::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), m_nNotifyCode), (LPARAM)m_hWnd);
    CWnd::OnLButtonDown(nFlags, point);
}

void COptionsLabel::Repaint()
{
    if (GetSafeHwnd() == NULL)
        return;
    CWnd* parent = GetParent();
    if (parent == NULL) {
        Invalidate();
        return;
    }
    CRect rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(NULL, parent->m_hWnd, (LPPOINT)&rect, 2);
    ::InvalidateRect(parent->m_hWnd, &rect, FALSE);
    Invalidate();
}

void COptionsLabel::StoreText(LPCTSTR text)
{
    m_text = text;
    if (GetSafeHwnd() != NULL)
        SetWindowText(m_text);
}

void COptionsLabel::SetText(LPCTSTR text)
{
    StoreText(text);
    Repaint();
}

void COptionsLabel::SetTextColor(COLORREF color)
{
    m_textColor = color;
    Repaint();
}

void COptionsLabel::SetHighlightColor(COLORREF color)
{
    m_highlightColor = color;
    Repaint();
}

void COptionsLabel::SetHighlight(BOOL highlight)
{
    highlight = highlight != FALSE;
    if (m_bHighlighted == highlight)
        return;
    m_bHighlighted = highlight;
    Repaint();
}

void COptionsLabel::SetFontSize(int width, int height)
{
    m_logFont.lfWidth = width;
    m_logFont.lfHeight = height;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
    Repaint();
}

BOOL COptionsLabel::SetFocusMark(BOOL mark)
{
    BOOL old = m_bFocusMark;
    m_bFocusMark = mark != FALSE;
    if (old != m_bFocusMark)
        Repaint();
    return old;
}

BOOL COptionsLabel::SetKeyHandling(BOOL on)
{
    BOOL old = m_bKeyHandling;
    m_bKeyHandling = on;
    return old;
}

BOOL COptionsLabel::SetCentred(BOOL centred)
{
    BOOL old = m_bCentred;
    m_bCentred = centred;
    return old;
}

void COptionsLabel::DrawBitmap(CDC* pDC, CBitmap& bitmap, int x, int y, int width, int height)
{
    if (bitmap.GetSafeHandle() == NULL || width <= 0 || height <= 0)
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    pDC->BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

CSize COptionsLabel::BitmapSize(CBitmap& bitmap)
{
    BITMAP info;
    if (bitmap.GetSafeHandle() == NULL || bitmap.GetBitmap(&info) == 0)
        return CSize(0, 0);
    return CSize(info.bmWidth, info.bmHeight);
}

BOOL COptionsLabel::ReloadBitmap(CBitmap& bitmap, UINT id)
{
    bitmap.DeleteObject();
    return bitmap.LoadBitmap(id);
}
