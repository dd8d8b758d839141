#include "COsdProgressWnd.h"

#include <algorithm>

namespace {
// The strokes: one line, centred vertically (DT_SINGLELINE | DT_VCENTER).
const UINT kBarFormat = 36;
// Room between the label's box and the bar.
const int kBarGap = 10;
} // namespace

BEGIN_MESSAGE_MAP(COsdProgressWnd, COsdWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

COsdProgressWnd::COsdProgressWnd()
{
    m_nFormat = 40;  // DT_SINGLELINE | DT_BOTTOM
}

void COsdProgressWnd::Layout()
{
    CString text = GetText();
    CClientDC dc(this);
    FitToParent();
    SetFontHeight(ParentClientHeight());
    LOGFONT small = m_logFont;
    small.lfHeight = m_logFont.lfHeight * 2 / 3;
    CFont font, smallFont;
    if (!font.CreateFontIndirect(&m_logFont) || !smallFont.CreateFontIndirect(&small))
        return;

    CFont* oldFont = dc.SelectObject(&font);
    CRgn label;
    CRect labelBox;
    BOOL cut = CutTextOut(&dc, text, m_textRect, m_nFormat, label, labelBox);
    dc.SelectObject(&smallFont);
    if (!cut) {
        dc.SelectObject(oldFont);
        return;
    }

    m_nBarLeft = labelBox.right + kBarGap;
    CRect bar(m_nBarLeft, labelBox.top, m_textRect.right, labelBox.bottom);
    int strokeWidth = dc.GetTextExtent("|", 1).cx;
    int strokes = strokeWidth > 0 ? std::max(0, bar.Width() / strokeWidth) : 0;
    // The label's box with its holes, joined by the bar's.
    CRect barBox = bar;
    if (strokes > 0) {
        CRgn strokeRegion;
        if (CutTextOut(&dc, CString('|', strokes), bar, kBarFormat, strokeRegion, barBox))
            label.CombineRgn(&label, &strokeRegion, RGN_OR);
    }
    dc.SelectObject(oldFont);
    ::SetWindowRgn(m_hWnd, (HRGN)label.Detach(), TRUE);
    m_boundingRect = CRect(labelBox.left, std::min(labelBox.top, barBox.top), barBox.right,
                           std::max(labelBox.bottom, barBox.bottom));
}

void COsdProgressWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_color);
    CRect remainder(client);
    remainder.left = m_nBarLeft + m_nProgress * (client.right - m_nBarLeft) / 100;
    if (remainder.left < remainder.right)
        dc.FillSolidRect(&remainder, m_remainderColor);
}
