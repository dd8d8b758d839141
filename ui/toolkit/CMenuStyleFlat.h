// CMenuStyleFlat: the flat draw style: a light item area beside a darker icon column, a framed
// selection, raised icons under the mouse and darkened or faded icons elsewhere.
#pragma once

#include "CMenuStyle.h"

class CMenuStyleFlat : public CMenuStyle {
public:
    CMenuStyleFlat(int nId, DWORD dwFlags);

    void DrawFlat(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar);

    BOOL PaintBorder(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord) override;
    BOOL PaintBackground(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord) override;

private:
    struct Colors {
        COLORREF crLight;
        COLORREF crIconColumn;
        COLORREF crSelection;
    };
    // The flat look's colours; when the device cannot tell the item area from the icon column
    // they fall back to the window and menu colours.
    static Colors GetColors(CDC* pDC);
    void DrawSeparator(CDC* pDC, CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, const Colors& colors);
    // The four free columns right of a bar item whose popup is open.
    static void DrawBarShadow(CDC* pDC, const CRect& item);
    void DrawIcon(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, LPDRAWITEMSTRUCT lpDIS,
                  UINT nState, const Colors& colors);
    void DrawText(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, CRect rect, UINT nState, BOOL bBar);
};
