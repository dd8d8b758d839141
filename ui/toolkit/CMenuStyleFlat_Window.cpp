// The flat style's popup border: a light inner frame, a dark outer one, and no line between
// the popup and the menu-bar item that opened it.
#include "CMenuStyleFlat.h"

#include "CNewMenu.h"
#include "CNewMenuHook.h"

BOOL CMenuStyleFlat::PaintBorder(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord)
{
    if (!DrawsOwnBorder())
        return FALSE;
    COLORREF crMenu = MenuColor();
    COLORREF crWindow = GetSysColor(COLOR_WINDOW);
    WindowFrame frame = GetWindowFrame(hWnd);
    CRect inner(1, 1, frame.right, frame.bottom);
    FillBand(hDC, inner, frame.client, Mix86(crMenu, crWindow));
    FrameOf(hDC, inner, Mix86(crWindow, crMenu));
    FrameOf(hDC, CRect(0, 0, frame.right + 1, frame.bottom + 1), Darken(128, crMenu));
    if (!SystemDrawsShadow())
        DrawShadow(hWnd, hDC, pRecord);

    CMenu* pMenu = CMenu::FromHandlePermanent(pRecord->hMenu);
    if (pMenu == NULL || !pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)))
        return TRUE;
    CMenu* pParent = CMenu::FromHandlePermanent(((CNewMenu*)pMenu)->GetParent());
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CNewMenu)) || ((CNewMenu*)pParent)->IsPopup())
        return TRUE;
    CRect window;
    ::GetWindowRect(hWnd, &window);
    if (pRecord->bPlaced)
        window.OffsetRect(pRecord->x - window.left, pRecord->y - window.top);
    CRect gap;
    if (!gap.IntersectRect(((CNewMenu*)pParent)->GetLastActiveMenuRect(), window))
        return TRUE;
    if (gap.Width() < gap.Height())
        gap.DeflateRect(1, 0);
    else
        gap.DeflateRect(0, 1);
    gap.OffsetRect(-window.left, -window.top);
    ::SetBkColor(hDC, crMenu);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &gap, NULL, 0, NULL);
    return TRUE;
}

BOOL CMenuStyleFlat::PaintBackground(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord)
{
    CRect client;
    ::GetClientRect(hWnd, &client);
    client.left -= 2;
    client.right -= 1;
    ::SetBkColor(hDC, pRecord != NULL && pRecord->hMenu != NULL ? MenuColor() : GetSysColor(COLOR_MENU));
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &client, NULL, 0, NULL);
    return TRUE;
}
