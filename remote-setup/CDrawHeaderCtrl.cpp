#include "CDrawHeaderCtrl.h"

#include "CMemDC.h"

BEGIN_MESSAGE_MAP(CDrawHeaderCtrl, CHeaderCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDrawHeaderCtrl::CDrawHeaderCtrl()
    : m_textColor(GetSysColor(COLOR_WINDOWTEXT)), m_backColor(GetSysColor(COLOR_WINDOW)),
      m_frameColor(GetSysColor(COLOR_WINDOWFRAME))
{
    LOGFONT font = {};
    lstrcpyA(font.lfFaceName, "Arial");
    m_font.CreateFontIndirect(&font);
}

BOOL CDrawHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CDrawHeaderCtrl::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC memory(&paint, client);
    DrawBackground(&memory, client);
    int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_ORDER;
        item.pszText = text;
        item.cchTextMax = sizeof(text) - 1;
        GetItem(i, &item);
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = GetDlgCtrlID();
        draw.itemID = i;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = m_hWnd;
        draw.hDC = memory.GetSafeHdc();
        GetItemRect(i, &draw.rcItem);
        DrawItem(&draw);
    }
}

void CDrawHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    char text[256] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text) - 1;
    GetItem(lpDrawItemStruct->itemID, &item);
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    DrawItemBackground(pDC, rect);
    CFont* oldFont = pDC->SelectObject(&m_font);
    pDC->SetTextColor(m_textColor);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(oldFont);
}

void CDrawHeaderCtrl::DrawBackground(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_backColor);
}

void CDrawHeaderCtrl::DrawItemBackground(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_backColor);
    CBrush frame(m_frameColor);
    pDC->FrameRect(&rect, &frame);
}
