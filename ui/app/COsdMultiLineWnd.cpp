#include "COsdMultiLineWnd.h"

void COsdMultiLineWnd::Layout()
{
    CString text = GetText();
    if (text.IsEmpty())
        return;
    CClientDC dc(this);
    FitToParent();
    SetFontHeight(ParentClientHeight());
    CFont font;
    if (!font.CreateFontIndirect(&m_logFont))
        return;
    CFont* oldFont = dc.SelectObject(&font);

    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    CRect lineRect(m_textRect);
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        CString line = text.Mid(start, end - start);
        start = end + 1;
        if (line.IsEmpty())
            continue;
        CRgn lineRegion;
        CRect box;
        if (!CutTextOut(&dc, line, lineRect, m_nFormat, lineRegion, box))
            continue;
        region.CombineRgn(&region, &lineRegion, RGN_OR);
        m_boundingRect.UnionRect(&m_boundingRect, &box);
        lineRect.OffsetRect(0, box.Height());
    }
    dc.SelectObject(oldFont);
    ::SetWindowRgn(m_hWnd, (HRGN)region.Detach(), TRUE);
}
