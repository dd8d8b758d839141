// Menu titles: a separator record with the title flag, drawn alike by every style.
#include "CMenuStyle.h"

#include <algorithm>

#include "CNewMenu.h"

namespace {

const int kRoundCorner = 10;
const int kMaxRoundInset = 10;
const int kLineOffset = 3;   // from the text to the line beside or below it
const int kLineInset = 10;   // from each end of the title
const int kTextMargin = 4;   // before a title's text when it is not centred

void DrawEtchedLine(CDC* pDC, int x1, int y1, int x2, int y2, BOOL bVertical)
{
    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen highlight(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen* pOldPen = pDC->SelectObject(&shadow);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(&highlight);
    int dx = bVertical ? 1 : 0, dy = bVertical ? 0 : 1;
    pDC->MoveTo(x1 + dx, y1 + dy);
    pDC->LineTo(x2 + dx, y2 + dy);
    pDC->SelectObject(pOldPen);
}

} // namespace

void CMenuStyle::DrawTitle(CNewMenu*, LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* pData = (CNewMenuItemData*)lpDIS->itemData;
    if (pData == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    DWORD dwFlags = pData->m_nTitleFlags;
    BOOL bVertical = (dwFlags & kMenuTitleVertical) != 0;
    CRect rect(lpDIS->rcItem);
    LOGFONTA logFont;
    CNewMenu::GetTitleFont(&logFont);
    logFont.lfEscapement = logFont.lfOrientation = bVertical ? 900 : 0;
    if (bVertical)
        rect.right -= GetSystemMetrics(SM_CXMENUCHECK);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* pOldFont = pDC->SelectObject(&font);
    CSize text = pDC->GetTextExtent(pData->m_szMenuText);
    int nTextHeight = pDC->GetTextExtent("X", 1).cy;

    COLORREF crCaption = GetSysColor(COLOR_ACTIVECAPTION);
    if (dwFlags & kMenuTitleGradient) {
        if (bVertical)
            DrawGradient(pDC, &rect, LightColor(), crCaption, FALSE);
        else
            DrawGradient(pDC, &rect, crCaption, LightColor(), TRUE);
    } else if (dwFlags & kMenuTitleRound) {
        pDC->FillSolidRect(&rect, MenuColor());
        int nFree = bVertical ? rect.Width() - nTextHeight : rect.Height() - nTextHeight;
        int nInset = std::max(0, std::min(kMaxRoundInset, nFree / 2));
        CRect round(rect);
        if (bVertical)
            round.DeflateRect(nInset, 0);
        else
            round.DeflateRect(0, nInset);
        CBrush brush(crCaption);
        CPen pen(PS_SOLID, 1, crCaption);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->RoundRect(round.left, round.top, round.right, round.bottom, kRoundCorner, kRoundCorner);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    } else {
        pDC->FillSolidRect(&rect, crCaption);
    }
    if (dwFlags & kMenuTitleRaised)
        pDC->Draw3dRect(&rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));

    pDC->SetTextColor(GetSysColor(COLOR_CAPTIONTEXT));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    BOOL bCentre = (dwFlags & kMenuTitleCenter) != 0;
    if (bVertical) {
        // Turned text runs upwards from its start point.
        int y = bCentre ? rect.bottom - (rect.Height() - text.cx) / 2 : rect.bottom - kTextMargin;
        pDC->TextOut(rect.left + (rect.Width() - nTextHeight) / 2, y, pData->m_szMenuText);
    } else {
        CRect textRect(rect);
        textRect.bottom = textRect.top + nTextHeight;
        if (!bCentre)
            textRect.left += kTextMargin;
        pDC->DrawText(pData->m_szMenuText, &textRect,
                      DT_SINGLELINE | DT_VCENTER | (bCentre ? DT_CENTER : DT_LEFT));
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    if (dwFlags & kMenuTitleLine) {
        if (bVertical) {
            int x = rect.left + (rect.Width() + nTextHeight) / 2 + kLineOffset;
            DrawEtchedLine(pDC, x, rect.top + kLineInset, x, rect.bottom - kLineInset, TRUE);
        } else {
            int y = rect.top + nTextHeight + kLineOffset;
            DrawEtchedLine(pDC, rect.left + kLineInset, y, rect.right - kLineInset, y, FALSE);
        }
    }
}
