#include "CMenuStyleFlat.h"

#include "CNewMenu.h"
#include "CNewMenuIcons.h"

namespace {

const int kColumnExtra = 8;     // the icon column is this much wider than the icons
const int kIconLeft = 3;        // from the item's left edge
const int kBarShadow = 4;       // free columns right of a bar item, for its shadow
const int kShadowStep = 30;     // darkening of each shadow column from the outside
const int kShadowRampStep = 6;  // the ramp at the top of a shadow column
const int kSeparatorGap = 4;    // between the icon column and a separator line
const int kTextGap = 6;         // between the icon column and the text

// Outlines a rectangle in the pen and fills it with the brush (a hollow one keeps the inside).
void OutlineRect(CDC* pDC, const CRect& rect, COLORREF crPen, const COLORREF* pFill)
{
    CPen pen(PS_SOLID, 1, crPen);
    CBrush fill;
    if (pFill != NULL)
        fill.CreateSolidBrush(*pFill);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pFill != NULL ? pDC->SelectObject(&fill) : pDC->SelectStockObject(HOLLOW_BRUSH);
    pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

// A monochrome copy of the icon in the brush's colour.
void DrawMonoIcon(CDC* pDC, HICON hIcon, int x, int y, int cx, int cy, COLORREF crBrush)
{
    CBrush brush(crBrush);
    DrawStateA(pDC->m_hDC, (HBRUSH)brush.GetSafeHandle(), NULL, (LPARAM)hIcon, 0, x, y, cx, cy,
               DST_ICON | DSS_MONO);
}

} // namespace

CMenuStyleFlat::CMenuStyleFlat(int nId, DWORD dwFlags)
    : CMenuStyle(nId, dwFlags, &CMenuStyle::MeasureFlat, static_cast<DrawOperation>(&CMenuStyleFlat::DrawFlat))
{
}

CMenuStyleFlat::Colors CMenuStyleFlat::GetColors(CDC* pDC)
{
    Colors colors = {LightColor(), IconColumnColor(), SelectionColor()};
    if (GetNearestColor(pDC->m_hDC, colors.crLight) == GetNearestColor(pDC->m_hDC, colors.crIconColumn)) {
        colors.crLight = GetSysColor(COLOR_WINDOW);
        colors.crIconColumn = MenuColor();
    }
    return colors;
}

void CMenuStyleFlat::DrawBarShadow(CDC* pDC, const CRect& item)
{
    COLORREF crMenu = MenuColor();
    for (int k = 1; k <= kBarShadow; k++) {
        int x = item.right - k;
        for (int y = item.top; y < item.bottom; y++) {
            int nFromTop = y - item.top;
            int nAmount = nFromTop < 4 ? 0 : nFromTop < 8 ? kShadowRampStep * k * (nFromTop - 3) : kShadowStep * k;
            pDC->SetPixelV(x, y, Darken(nAmount, crMenu));
        }
    }
}

void CMenuStyleFlat::DrawSeparator(CDC* pDC, CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, const Colors& colors)
{
    CNewMenuItemData* pData = (CNewMenuItemData*)lpDIS->itemData;
    if (pData->IsTitle()) {
        pMenu->PaintTitle(lpDIS);
        return;
    }
    CRect rect(lpDIS->rcItem);
    int nColumn = rect.left + pMenu->GetIconWidth() + kColumnExtra;
    pDC->FillSolidRect(rect.left, rect.top, nColumn - rect.left, rect.Height(), colors.crIconColumn);
    pDC->FillSolidRect(nColumn, rect.top, rect.right - nColumn, rect.Height(), colors.crLight);
    int y = rect.top + rect.Height() / 2;
    pDC->FillSolidRect(nColumn + kSeparatorGap, y, rect.right - nColumn - kSeparatorGap, 1,
                       GetSysColor(COLOR_GRAYTEXT));
}

void CMenuStyleFlat::DrawFlat(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar)
{
    CNewMenuItemData* pData = (CNewMenuItemData*)lpDIS->itemData;
    if (pData == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    Colors colors = GetColors(pDC);
    if (pData->m_nFlags & MF_SEPARATOR) {
        DrawSeparator(pDC, pMenu, lpDIS, colors);
        return;
    }
    UINT nState = lpDIS->itemState;
    CRect rect(lpDIS->rcItem);
    CRect item(rect);
    COLORREF crHighlight = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF crItemBack = colors.crLight;
    BOOL bOpenBarItem = FALSE;
    if (bBar) {
        crItemBack = MenuColor();
        pDC->FillSolidRect(&rect, crItemBack);
        item.right -= kBarShadow;
        bOpenBarItem = (nState & ODS_SELECTED) && !(nState & (ODS_INACTIVE | ODS_HOTLIGHT));
        if (nState & ODS_HOTLIGHT)
            nState |= ODS_SELECTED;
    } else {
        int nColumn = rect.left + pMenu->GetIconWidth() + kColumnExtra;
        pDC->FillSolidRect(rect.left, rect.top, nColumn - rect.left, rect.Height(), colors.crIconColumn);
        pDC->FillSolidRect(nColumn, rect.top, rect.right - nColumn, rect.Height(), colors.crLight);
    }
    BOOL bFocus = DropDisabledSelection(lpDIS, &nState);
    if (bOpenBarItem) {
        CRect screen(lpDIS->rcItem);
        CRect window;
        HWND hWnd = WindowFromDC(lpDIS->hDC);
        if (hWnd != NULL && GetWindowRect(hWnd, &window))
            screen.OffsetRect(window.left, window.top);
        pMenu->GetLastActiveMenuRect() = screen;
        OutlineRect(pDC, item, Darken(128, MenuColor()), NULL);
        DrawBarShadow(pDC, rect);
    } else if ((nState & ODS_SELECTED) && !(nState & ODS_INACTIVE)) {
        OutlineRect(pDC, item, crHighlight, &colors.crSelection);
    } else if (bFocus) {
        OutlineRect(pDC, item, crHighlight, &crItemBack);
    }
    if (!bBar)
        DrawIcon(pDC, pMenu, pData, lpDIS, nState, colors);
    DrawText(pDC, pMenu, pData, bBar ? item : rect, nState, bBar);
}

void CMenuStyleFlat::DrawIcon(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, LPDRAWITEMSTRUCT lpDIS,
                              UINT nState, const Colors& colors)
{
    CRect rect(lpDIS->rcItem);
    int cx = pMenu->GetIconWidth(), cy = pMenu->GetIconHeight();
    int x = rect.left + kIconLeft;
    int y = rect.top + (rect.Height() - cy) / 2;
    BOOL bSelected = (nState & ODS_SELECTED) != 0;
    BOOL bDisabled = (nState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    CRect box(x - 1, y - 1, x + cx + 1, y + cy + 1);
    if (nState & ODS_CHECKED) {
        COLORREF crBox = Mix86(colors.crLight, GetSysColor(COLOR_HIGHLIGHT));
        OutlineRect(pDC, box, GetSysColor(COLOR_HIGHLIGHT), &crBox);
        if (!pData->HasIcon())
            DrawCheckGlyph(pDC, box, pMenu, lpDIS);
    }
    if (!pData->HasIcon()) {
        if (IsSystemCommand(pData->m_nID)) {
            COLORREF crText = GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
            DrawSystemGlyph(pDC, box, (UINT)pData->m_nID, crText, TRUE, bSelected);
        }
        return;
    }
    CImageList* pImages = pData->GetIcons()->GetImageList();
    int nIndex = pData->GetIconIndex();
    if (bSelected && !bDisabled) {
        // Raised: the icon up-left of its place over its shadow down-right.
        HICON hIcon = ExtractItemIcon(pData, 0);
        DrawMonoIcon(pDC, hIcon, x + 1, y + 1, cx, cy, Shade(colors.crSelection));
        pImages->Draw(pDC, nIndex, CPoint(x - 1, y - 1), ILD_TRANSPARENT);
        DestroyIcon(hIcon);
    } else if (CNewMenu::GetFadedIcons()) {
        pImages->Draw(pDC, nIndex + (bDisabled ? 2 : 1), CPoint(x, y), ILD_TRANSPARENT);
    } else if (bDisabled) {
        HICON hIcon = ExtractItemIcon(pData, 0);
        DrawMonoIcon(pDC, hIcon, x, y, cx, cy, Darken(70, colors.crIconColumn));
        DestroyIcon(hIcon);
    } else {
        pImages->Draw(pDC, nIndex, CPoint(x, y), ILD_TRANSPARENT);
    }
}

void CMenuStyleFlat::DrawText(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, CRect rect, UINT nState,
                              BOOL bBar)
{
    CString main, accelerator;
    SplitText(pData->m_szMenuText, &main, &accelerator);
    CFont font;
    GetMenuFont(&font, (nState & ODS_DEFAULT) != 0);
    CFont* pOldFont = pDC->SelectObject(&font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    BOOL bGrey = (nState & ODS_GRAYED) || (bBar && (nState & ODS_INACTIVE));
    pDC->SetTextColor(GetSysColor(bGrey ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    if (bBar) {
        pDC->DrawText(main, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        CRect accelRect(rect);
        accelRect.right -= pMenu->GetIconWidth();
        rect.left += pMenu->GetIconWidth() + kColumnExtra + kTextGap;
        pDC->DrawText(main, &rect, DT_VCENTER | DT_SINGLELINE);
        if (!accelerator.IsEmpty())
            pDC->DrawText(accelerator, &accelRect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
