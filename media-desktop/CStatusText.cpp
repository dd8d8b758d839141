#include "CStatusText.h"

BEGIN_MESSAGE_MAP(CStatusText, CSuperListBox)
    ON_WM_SIZE()
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CStatusText::CStatusText()
{
    SetGrid(1, 1);
    AddString("StatusSB_Text");
    m_textColor = m_hoverTextColor = m_currentFocusTextColor = m_currentTextColor = RGB(255, 255, 255);
    SetFontSpec("新宋体", 240);
}

CStatusText::~CStatusText()
{
}

void CStatusText::OnSize(UINT nType, int cx, int cy)
{
    CSuperListBox::OnSize(nType, cx, cy);
    SetItemSize(cx - m_margins.left - m_margins.right, cy - m_margins.top - m_margins.bottom);
}

void CStatusText::DrawItem(CDC* pDC, int index, const CRect& rect)
{
    CFont* oldFont = pDC->SelectObject(&Font());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_textColor);
    CRect text = rect;
    pDC->DrawText(m_items[index], &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    pDC->SelectObject(oldFont);
}

UINT CStatusText::OnGetDlgCode()
{
    return DLGC_STATIC;
}

int CStatusText::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATEANDEAT;
}

LRESULT CStatusText::OnNcHitTest(CPoint)
{
    return HTNOWHERE;
}

void CStatusText::OnSetFocus(CWnd* pOldWnd)
{
    HWND old = pOldWnd ? pOldWnd->GetSafeHwnd() : NULL;
    HWND next = ::GetWindow(m_hWnd, GW_HWNDNEXT);
    if (!next || next == old)
        next = ::GetWindow(m_hWnd, GW_HWNDPREV);
    if (next)
        ::SetFocus(next);
}
