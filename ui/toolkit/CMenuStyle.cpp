#include "CMenuStyle.h"

#include <algorithm>

#include "CMenuStyleFlat.h"
#include "CNewMenu.h"
#include "MenuSystemCode.h"

#ifndef SPI_GETFLATMENU
#define SPI_GETFLATMENU 0x1022
#endif
#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif
#ifndef COLOR_MENUBAR
#define COLOR_MENUBAR 30
#endif

namespace {

// Border widths of a popup: the system's drop shadow needs no room of ours.
const RECT kBordersSystemShadow = {2, 2, 2, 2};
const RECT kBordersOwnShadow = {2, 2, 5, 6};

CMenuStyle* CreateClassic(int nId, DWORD dwFlags, CMenuStyle::DrawOperation pDraw)
{
    return new CMenuStyle(nId, dwFlags, &CMenuStyle::MeasureClassic, pDraw);
}

CMenuStyle* CreateFlat(int nId, DWORD dwFlags, CMenuStyle::DrawOperation)
{
    return new CMenuStyleFlat(nId, dwFlags);
}

struct StyleRow {
    int nId;
    CMenuStyle* (*pfnCreate)(int nId, DWORD dwFlags, CMenuStyle::DrawOperation pDraw);
    CMenuStyle::DrawOperation pDraw;  // classic styles only
    DWORD dwFlags;
};
const StyleRow kStandardStyles[] = {
    // nId  pfnCreate      pDraw                              dwFlags
    {0, CreateClassic, &CMenuStyle::DrawClassic,        CMenuStyle::kOwnBorder},
    {1, CreateClassic, &CMenuStyle::DrawClassic,        0},
    {2, CreateFlat,    NULL,                            CMenuStyle::kOwnBorder},
    {3, CreateFlat,    NULL,                            0},
    {4, CreateClassic, &CMenuStyle::DrawClassicFlatBar, CMenuStyle::kOwnBorder},
    {5, CreateClassic, &CMenuStyle::DrawClassicFlatBar, 0},
};
const int kStartStyle = 2;

struct StyleList {
    CPtrArray styles;  // CMenuStyle*, owned
    CMenuStyle* pCurrent = NULL;
};

// Made on first use with the six standard styles, the start style current.
StyleList& Styles()
{
    static StyleList* s_pList = [] {
        StyleList* pList = new StyleList;
        for (const StyleRow& row : kStandardStyles) {
            CMenuStyle* pStyle = row.pfnCreate(row.nId, row.dwFlags, row.pDraw);
            pList->styles.Add(pStyle);
            if (row.nId == kStartStyle)
                pList->pCurrent = pStyle;
        }
        return pList;
    }();
    return *s_pList;
}

bool s_bGradientResolved = false;
CMenuStyle::GradientFillFunction s_pfnGradientFill = NULL;

COLORREF PerChannel(COLORREF a, COLORREF b, int (*pfn)(int, int))
{
    return RGB(pfn(GetRValue(a), GetRValue(b)), pfn(GetGValue(a), GetGValue(b)),
               pfn(GetBValue(a), GetBValue(b)));
}

} // namespace

CMenuStyle::CMenuStyle(int nId, DWORD dwFlags, MeasureOperation pMeasure, DrawOperation pDraw)
    : m_nId(nId), m_dwFlags(dwFlags), m_pMeasure(pMeasure), m_pDraw(pDraw)
{
}

CMenuStyle::~CMenuStyle() {}

CRect CMenuStyle::GetBorders() const
{
    BOOL bDropShadow = FALSE;
    SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bDropShadow, 0);
    return CRect(bDropShadow ? kBordersSystemShadow : kBordersOwnShadow);
}

CMenuStyle* CMenuStyle::FindStyle(int nId)
{
    CPtrArray& styles = Styles().styles;
    for (int i = 0; i < styles.GetSize(); i++) {
        CMenuStyle* pStyle = (CMenuStyle*)styles[i];
        if (pStyle->m_nId == nId)
            return pStyle;
    }
    return NULL;
}

CMenuStyle* CMenuStyle::GetCurrent() { return Styles().pCurrent; }

BOOL CMenuStyle::SetCurrent(int nId)
{
    CMenuStyle* pStyle = FindStyle(nId);
    if (pStyle == NULL)
        return FALSE;
    Styles().pCurrent = pStyle;
    return TRUE;
}

BOOL CMenuStyle::RegisterStyle(CMenuStyle* pStyle)
{
    if (pStyle == NULL || FindStyle(pStyle->m_nId) != NULL)
        return FALSE;
    Styles().styles.Add(pStyle);
    return TRUE;
}

void CMenuStyle::DeleteStyles()
{
    StyleList& list = Styles();
    for (int i = list.styles.GetSize() - 1; i >= 0; i--)
        delete (CMenuStyle*)list.styles[i];
    list.styles.RemoveAll();
    list.pCurrent = NULL;
}

COLORREF CMenuStyle::MenuColor()
{
    BOOL bFlatMenu = FALSE;
    if (GetMenuSystemCode() == kMenuSystemWinXP &&
        SystemParametersInfoA(SPI_GETFLATMENU, 0, &bFlatMenu, 0) && bFlatMenu == 1)
        return GetSysColor(COLOR_MENUBAR);
    return GetSysColor(COLOR_MENU);
}

COLORREF CMenuStyle::LightColor() { return Mix86(GetSysColor(COLOR_WINDOW), MenuColor()); }
COLORREF CMenuStyle::IconColumnColor() { return Mix86(MenuColor(), GetSysColor(COLOR_WINDOW)); }
COLORREF CMenuStyle::SelectionColor() { return Mix70(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT)); }

COLORREF CMenuStyle::Mix86(COLORREF a, COLORREF b)
{
    return PerChannel(a, b, [](int x, int y) { return MulDiv(x, 86, 100) + MulDiv(y, 14, 100); });
}

COLORREF CMenuStyle::Mix70(COLORREF a, COLORREF b)
{
    return PerChannel(a, b, [](int x, int y) { return MulDiv(x, 7, 10) + MulDiv(y, 3, 10); });
}

COLORREF CMenuStyle::Darken(int nAmount, COLORREF cr)
{
    int nKeep = 255 - nAmount;
    return RGB(MulDiv(GetRValue(cr), nKeep, 255), MulDiv(GetGValue(cr), nKeep, 255),
               MulDiv(GetBValue(cr), nKeep, 255));
}

COLORREF CMenuStyle::Lighten(int nAmount, COLORREF cr)
{
    return RGB(GetRValue(cr) + MulDiv(255 - GetRValue(cr), nAmount, 255),
               GetGValue(cr) + MulDiv(255 - GetGValue(cr), nAmount, 255),
               GetBValue(cr) + MulDiv(255 - GetBValue(cr), nAmount, 255));
}

COLORREF CMenuStyle::Grey(COLORREF cr)
{
    int nGrey = (GetRValue(cr) + GetGValue(cr) + GetBValue(cr)) / 3;
    return RGB(nGrey, nGrey, nGrey);
}

COLORREF CMenuStyle::Shade(COLORREF cr)
{
    return RGB(MulDiv(GetRValue(cr), 7, 10), MulDiv(GetGValue(cr), 7, 10),
               MulDiv(GetBValue(cr) + 55, 7, 10));
}

CMenuStyle::GradientFillFunction CMenuStyle::GetGradientFill()
{
    if (!s_bGradientResolved) {
        s_bGradientResolved = true;
        HMODULE hModule = LoadLibraryA("Msimg32.dll");
        if (hModule != NULL)
            s_pfnGradientFill = (GradientFillFunction)(void*)GetProcAddress(hModule, "GradientFill");
    }
    return s_pfnGradientFill;
}

void CMenuStyle::SetGradientFill(GradientFillFunction pfn)
{
    s_bGradientResolved = true;
    s_pfnGradientFill = pfn;
}

void CMenuStyle::DrawGradient(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorizontal)
{
    GradientFillFunction pfnGradientFill = GetGradientFill();
    if (pfnGradientFill != NULL) {
        TRIVERTEX vertices[2] = {
            {lpRect->left, lpRect->top, (COLOR16)(GetRValue(crFrom) << 8), (COLOR16)(GetGValue(crFrom) << 8),
             (COLOR16)(GetBValue(crFrom) << 8), 0},
            {lpRect->right, lpRect->bottom, (COLOR16)(GetRValue(crTo) << 8), (COLOR16)(GetGValue(crTo) << 8),
             (COLOR16)(GetBValue(crTo) << 8), 0},
        };
        GRADIENT_RECT gradient = {0, 1};
        pfnGradientFill(pDC->m_hDC, vertices, 2, &gradient, 1,
                        bHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    pDC->FillSolidRect(lpRect, crTo);
    int nLength = bHorizontal ? lpRect->right - lpRect->left : lpRect->bottom - lpRect->top;
    // A band's colour steps over the length less one band; at least 1, so that a title only one
    // band long does not divide by zero.
    int nSteps = std::max(nLength - 4, 1);
    for (int i = 0; i <= nLength - 4; i += 4) {
        COLORREF cr = RGB(GetRValue(crFrom) + (GetRValue(crTo) - GetRValue(crFrom)) * i / nSteps,
                          GetGValue(crFrom) + (GetGValue(crTo) - GetGValue(crFrom)) * i / nSteps,
                          GetBValue(crFrom) + (GetBValue(crTo) - GetBValue(crFrom)) * i / nSteps);
        CRect band(lpRect);
        if (bHorizontal) {
            band.left = lpRect->left + i;
            band.right = band.left + 4;
        } else {
            band.top = lpRect->top + i;
            band.bottom = band.top + 4;
        }
        pDC->FillSolidRect(&band, cr);
    }
}
