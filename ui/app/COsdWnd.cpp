#include "COsdWnd.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(COsdWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

COsdWnd::COsdWnd()
{
    memset(&m_logFont, 0, sizeof(m_logFont));
}

COsdWnd::~COsdWnd()
{
    DestroyWindow();
}

BOOL COsdWnd::Create(CWnd* pParent)
{
    m_pParent = pParent;
    if (!CreateEx(0, NULL, "", WS_POPUP | WS_CHILD, 0, 0, 0, 0, pParent->GetSafeHwnd(), NULL))
        return FALSE;
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_logFont), &m_logFont);
    return TRUE;
}

void COsdWnd::SetText(LPCTSTR text)
{
    SetWindowText(text);
    if (text[0] != '\0' && m_pParent && !::IsIconic(m_pParent->GetSafeHwnd())) {
        m_boundingRect.SetRectEmpty();
        Layout();
    }
}

void COsdWnd::SetText(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    SetText((LPCTSTR)text);
}

CString COsdWnd::GetText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

void COsdWnd::Show(BOOL show)
{
    if (show) {
        ShowWindow(SW_SHOWNOACTIVATE);
        if (m_nAutoHide > 0)
            SetTimer(kHideTimer, m_nAutoHide, NULL);
    } else {
        ShowWindow(SW_HIDE);
        KillTimer(kHideTimer);
    }
}

void COsdWnd::SetAutoHide(UINT milliseconds)
{
    m_nAutoHide = milliseconds;
    if (!GetSafeHwnd())
        return;
    if (milliseconds == 0)
        KillTimer(kHideTimer);
    else if (IsWindowVisible())
        SetTimer(kHideTimer, milliseconds, NULL);
}

void COsdWnd::Refresh()
{
    if (!GetSafeHwnd() || !IsWindowVisible())
        return;
    if (m_pParent && ::IsIconic(m_pParent->GetSafeHwnd()))
        ShowWindow(SW_HIDE);
    else
        SetText((LPCTSTR)GetText());
}

void COsdWnd::Reposition()
{
    if (GetSafeHwnd())
        FitToParent();
}

void COsdWnd::FitToParent()
{
    if (!m_pParent)
        return;
    CRect client;
    m_pParent->GetClientRect(&client);
    ::MapWindowPoints(m_pParent->GetSafeHwnd(), NULL, (POINT*)&client, 2);
    SetWindowPos(NULL, client.left, client.top, client.Width(), client.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void COsdWnd::SetFontHeight(int clientHeight)
{
    int height = m_nFontPercent * clientHeight / 100;
    m_logFont.lfHeight = std::min(std::max(height, m_nMinFontHeight), m_nMaxFontHeight);
    m_logFont.lfWeight = 0;
}

int COsdWnd::ParentClientHeight() const
{
    if (!m_pParent)
        return 0;
    CRect client;
    m_pParent->GetClientRect(&client);
    return client.Height();
}

BOOL COsdWnd::CutTextOut(CDC* pDC, const CString& text, const CRect& rect, UINT format,
                         CRgn& result, CRect& box)
{
    CRect target(rect);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->BeginPath();
    pDC->DrawText(text, &target, format);
    pDC->EndPath();
    pDC->SetBkMode(oldMode);
    CRgn letters;
    if (!letters.CreateFromPath(pDC))
        return FALSE;
    letters.GetRgnBox(&box);
    result.DeleteObject();
    result.CreateRectRgnIndirect(&box);
    result.CombineRgn(&result, &letters, RGN_XOR);
    return TRUE;
}

void COsdWnd::Layout()
{
    CString text = GetText();
    CClientDC dc(this);
    FitToParent();
    SetFontHeight(ParentClientHeight());
    CFont font;
    if (!font.CreateFontIndirect(&m_logFont))
        return;
    CFont* oldFont = dc.SelectObject(&font);
    CRgn region;
    CRect box;
    BOOL cut = CutTextOut(&dc, text, m_textRect, m_nFormat, region, box);
    dc.SelectObject(oldFont);
    if (!cut)
        return;
    // The window owns the region from here on.
    ::SetWindowRgn(m_hWnd, (HRGN)region.Detach(), TRUE);
    m_boundingRect = box;
}

void COsdWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHideTimer)
        ShowWindow(SW_HIDE);
    Default();
}

BOOL COsdWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COsdWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_color);
}
