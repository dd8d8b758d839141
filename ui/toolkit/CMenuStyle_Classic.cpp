// The classic family: 3-D item boxes, highlighted selection, embossed grey text; and the glyphs
// both families draw from the "Marlett" font.
#include "CMenuStyle.h"

#include "CNewMenu.h"
#include "CNewMenuIcons.h"
#include "MenuSystemCode.h"

namespace {

const int kIconLeft = 3;          // from the item's left edge
const int kSelectionGap = 6;      // between the icon and a selection that spares it
const int kClassicTextLeft = 12;  // beyond the icon width
const int kBarTextShift = 6;

struct SystemGlyph {
    UINT nCommand;
    LPCSTR lpszGlyph;
};
const SystemGlyph kSystemGlyphs[] = {
    // nCommand     lpszGlyph
    {SC_MINIMIZE, "0"},
    {SC_MAXIMIZE, "1"},
    {SC_RESTORE,  "2"},
    {SC_CLOSE,    "r"},
};

} // namespace

BOOL CMenuStyle::DropDisabledSelection(LPDRAWITEMSTRUCT /*lpDIS*/, UINT* pState)
{
    if (!(*pState & ODS_GRAYED) || !(*pState & ODS_SELECTED) || CNewMenu::GetSelectDisabled() != 0)
        return FALSE;
    *pState &= ~ODS_SELECTED;
    DWORD dwPos = GetMessagePos();
    // The mouse has not moved since the last keyboard use: the keyboard brought the selection.
    BOOL bFocus = dwPos == CNewMenu::GetKeyboardPos();
    CNewMenu::SetKeyboardPos(dwPos);
    return bFocus;
}

void CMenuStyle::SplitText(const CString& text, CString* pMain, CString* pAccelerator)
{
    int nFirst = text.Find('\t');
    if (nFirst < 0) {
        *pMain = text;
        pAccelerator->Empty();
        return;
    }
    *pMain = text.Left(nFirst);
    *pAccelerator = text.Mid(text.ReverseFind('\t') + 1);
}

HICON CMenuStyle::ExtractItemIcon(CNewMenuItemData* pData, int nOffset)
{
    if (!pData->HasIcon())
        return NULL;
    return pData->GetIcons()->GetImageList()->ExtractIcon(pData->GetIconIndex() + nOffset);
}

void CMenuStyle::DrawMarlett(CDC* pDC, LPCRECT lpRect, LPCSTR lpszGlyph, COLORREF crText, BOOL bBold)
{
    CFont font;
    font.CreateFont(lpRect->bottom - lpRect->top, 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                    FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH, "Marlett");
    CFont* pOldFont = pDC->SelectObject(&font);
    COLORREF crOld = pDC->SetTextColor(crText);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rect(lpRect);
    pDC->DrawText(lpszGlyph, 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOld);
    pDC->SelectObject(pOldFont);
}

void CMenuStyle::DrawCheckGlyph(CDC* pDC, CRect box, CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS)
{
    box.DeflateRect(1, 1);
    if (GetMenuSystemCode() >= kMenuSystemWin95)
        pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    box.InflateRect(2, 2);
    // An item with its own checked bitmap is a radio item: a bullet in place of the tick.
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    BOOL bBullet = pMenu != NULL && GetMenuItemInfoA(pMenu->m_hMenu, lpDIS->itemID, FALSE, &info) &&
                   info.hbmpChecked != NULL;
    if (!bBullet)
        box.OffsetRect(1, 2);
    UINT nState = lpDIS->itemState;
    COLORREF crText = GetSysColor(nState & (ODS_GRAYED | ODS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
    DrawMarlett(pDC, &box, bBullet ? "i" : "b", crText, (nState & ODS_DEFAULT) != 0);
}

BOOL CMenuStyle::DrawSystemGlyph(CDC* pDC, CRect box, UINT nCommand, COLORREF crText, BOOL bRaised,
                                 BOOL bSelected)
{
    LPCSTR lpszGlyph = NULL;
    for (const SystemGlyph& glyph : kSystemGlyphs) {
        if (glyph.nCommand == (nCommand & 0xFFF0))
            lpszGlyph = glyph.lpszGlyph;
    }
    if (lpszGlyph == NULL)
        return FALSE;
    if (bRaised && bSelected) {
        CRect shadow(box);
        shadow.OffsetRect(1, 1);
        DrawMarlett(pDC, &shadow, lpszGlyph, GetSysColor(COLOR_GRAYTEXT), FALSE);
        box.OffsetRect(-1, -1);
        crText = GetSysColor(COLOR_MENUTEXT);
    }
    DrawMarlett(pDC, &box, lpszGlyph, crText, FALSE);
    return TRUE;
}

void CMenuStyle::DrawClassic(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar)
{
    DrawClassicItem(pMenu, lpDIS, bBar);
}

void CMenuStyle::DrawClassicFlatBar(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar)
{
    if (bBar)
        DrawFlatBarItem(pMenu, lpDIS);
    else
        DrawClassicItem(pMenu, lpDIS, bBar);
}

// The bar item's rectangle on the screen, where the popup it opens is to join it.
static void StoreBarItemRect(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS)
{
    CRect rect(lpDIS->rcItem);
    CRect window;
    HWND hWnd = WindowFromDC(lpDIS->hDC);
    if (hWnd != NULL && GetWindowRect(hWnd, &window))
        rect.OffsetRect(window.left, window.top);
    pMenu->GetLastActiveMenuRect() = rect;
}

void CMenuStyle::DrawFlatBarItem(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS)
{
    CNewMenuItemData* pData = (CNewMenuItemData*)lpDIS->itemData;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    UINT nState = lpDIS->itemState;
    BOOL bLit = (nState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    CRect rect(lpDIS->rcItem);
    pDC->FillSolidRect(&rect, bLit ? GetSysColor(COLOR_HIGHLIGHT) : MenuColor());
    if (bLit)
        StoreBarItemRect(pMenu, lpDIS);
    if (pData == NULL)
        return;
    CFont font;
    GetMenuFont(&font, (nState & ODS_DEFAULT) != 0);
    CFont* pOldFont = pDC->SelectObject(&font);
    int nColor = nState & ODS_GRAYED ? COLOR_GRAYTEXT : bLit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    pDC->SetTextColor(GetSysColor(nColor));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CString main, accelerator;
    SplitText(pData->m_szMenuText, &main, &accelerator);
    pDC->DrawText(main, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CMenuStyle::DrawClassicItem(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar)
{
    CNewMenuItemData* pData = (CNewMenuItemData*)lpDIS->itemData;
    if (pData == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    COLORREF crBack = bBar ? MenuColor() : GetSysColor(COLOR_MENU);
    if (pData->m_nFlags & MF_SEPARATOR) {
        if (pData->IsTitle()) {
            pMenu->PaintTitle(lpDIS);
            return;
        }
        pDC->FillSolidRect(&rect, crBack);
        rect.top += rect.Height() / 2 - 1;
        pDC->DrawEdge(&rect, EDGE_ETCHED, BF_TOP);
        return;
    }
    UINT nState = lpDIS->itemState;
    // Until one of the bar's popups opens, a selected bar item only lights up.
    if (bBar && (nState & ODS_SELECTED) && pMenu->GetOpenMenuCount() == 0)
        nState = (nState & ~ODS_SELECTED) | ODS_HOTLIGHT;
    if (bBar && (nState & (ODS_SELECTED | ODS_HOTLIGHT)))
        StoreBarItemRect(pMenu, lpDIS);
    BOOL bFocus = DropDisabledSelection(lpDIS, &nState);

    pDC->FillSolidRect(&rect, crBack);
    int nIconX = pMenu->GetIconWidth(), nIconY = pMenu->GetIconHeight();
    CRect iconBox(rect.left + kIconLeft, rect.top + (rect.Height() - nIconY) / 2, 0, 0);
    iconBox.right = iconBox.left + nIconX;
    iconBox.bottom = iconBox.top + nIconY;
    iconBox.InflateRect(2, 2);
    BOOL bChecked = (nState & ODS_CHECKED) != 0;
    BOOL bSelected = (nState & ODS_SELECTED) != 0;
    if (bBar) {
        if (bSelected)
            pDC->Draw3dRect(&rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        else if ((nState & ODS_HOTLIGHT) && !(nState & ODS_INACTIVE))
            pDC->Draw3dRect(&rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    } else if (bSelected) {
        CRect selection(rect);
        if (pData->HasIcon() || bChecked)
            selection.left += nIconX + kSelectionGap;
        pDC->FillSolidRect(&selection, GetSysColor(COLOR_HIGHLIGHT));
    }
    if (bFocus)
        pDC->DrawFocusRect(&rect);
    if (!bBar)
        DrawClassicIcon(pDC, pMenu, pData, lpDIS, iconBox, nState);
    DrawClassicText(pDC, pMenu, pData, rect, nState, bBar, crBack);
}

void CMenuStyle::DrawClassicIcon(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData,
                                 LPDRAWITEMSTRUCT lpDIS, const CRect& iconBox, UINT nState)
{
    BOOL bSelected = (nState & ODS_SELECTED) != 0;
    if (!pData->HasIcon()) {
        if (nState & ODS_CHECKED) {
            CImageList* pChecks = pMenu->GetCheckImages();
            if (pChecks != NULL)
                pChecks->Draw(pDC, bSelected ? 1 : 0, CPoint(iconBox.left + 2, iconBox.top + 2), ILD_TRANSPARENT);
            else
                DrawCheckGlyph(pDC, iconBox, pMenu, lpDIS);
        } else if (IsSystemCommand(pData->m_nID)) {
            int nColor = nState & (ODS_GRAYED | ODS_INACTIVE) ? COLOR_GRAYTEXT
                         : bSelected                        ? COLOR_HIGHLIGHTTEXT
                                                            : COLOR_MENUTEXT;
            DrawSystemGlyph(pDC, iconBox, (UINT)pData->m_nID, GetSysColor(nColor), FALSE, bSelected);
        }
        return;
    }
    if (GetMenuSystemCode() >= kMenuSystemWin95) {
        if (nState & ODS_CHECKED)
            pDC->Draw3dRect(&iconBox, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        else if (bSelected && !(nState & ODS_GRAYED))
            pDC->Draw3dRect(&iconBox, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    HICON hIcon = ExtractItemIcon(pData, 0);
    DrawStateA(pDC->m_hDC, NULL, NULL, (LPARAM)hIcon, 0, iconBox.left + 2, iconBox.top + 2,
               pMenu->GetIconWidth(), pMenu->GetIconHeight(),
               DST_ICON | (nState & ODS_DISABLED ? DSS_DISABLED : DSS_NORMAL));
    DestroyIcon(hIcon);
}

void CMenuStyle::DrawClassicText(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, CRect rect,
                                 UINT nState, BOOL bBar, COLORREF crBack)
{
    CString main, accelerator;
    SplitText(pData->m_szMenuText, &main, &accelerator);
    CFont font;
    GetMenuFont(&font, (nState & ODS_DEFAULT) != 0);
    CFont* pOldFont = pDC->SelectObject(&font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    UINT nFormat = DT_VCENTER | DT_SINGLELINE;
    CRect accelRect(rect);
    accelRect.right -= pMenu->GetIconWidth();
    if (bBar) {
        rect.left += kBarTextShift;
        nFormat |= DT_CENTER;
        if (nState & ODS_SELECTED)
            rect.OffsetRect(1, 1);
    } else {
        rect.left += pMenu->GetIconWidth() + kClassicTextLeft;
    }
    BOOL bSelected = (nState & ODS_SELECTED) != 0;
    if (nState & ODS_GRAYED && !bSelected) {
        // Embossed: a light copy one pixel down-right under the grey text.
        CRect emboss(rect), embossAccel(accelRect);
        emboss.OffsetRect(1, 1);
        embossAccel.OffsetRect(1, 1);
        pDC->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(main, &emboss, nFormat);
        if (!bBar && !accelerator.IsEmpty())
            pDC->DrawText(accelerator, &embossAccel, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    } else if (nState & ODS_GRAYED) {
        pDC->SetTextColor(crBack);
    } else {
        int nColor = bBar && (nState & ODS_INACTIVE) ? COLOR_GRAYTEXT
                     : !bBar && bSelected            ? COLOR_HIGHLIGHTTEXT
                                                     : COLOR_MENUTEXT;
        pDC->SetTextColor(GetSysColor(nColor));
    }
    pDC->DrawText(main, &rect, nFormat);
    if (!bBar && !accelerator.IsEmpty())
        pDC->DrawText(accelerator, &accelRect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
