// An owner-drawn popup with icons, border and shadow held open over a striped window, for a
// picture of it on a display of its own (scripts/screenshot OUT.png newmenu_popup.exe).
#include <CNewMenu.h>

#include "MenuTestResources.h"
#include "NewMenuTestResources.h"

namespace {

CNewMenu s_menu;

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    switch (message) {
    case WM_INITMENUPOPUP:
        CNewMenu::HandleInitMenuPopup(hWnd, CMenu::FromHandle((HMENU)wParam));
        return 0;
    case WM_UNINITMENUPOPUP:
        CNewMenu::HandleUninitMenuPopup(hWnd, (HMENU)wParam);
        return 0;
    case WM_MEASUREITEM:
        if (CNewMenu::MeasureForWindow(&msg))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)((LPDRAWITEMSTRUCT)lParam)->hwndItem)) {
            pMenu->DrawItem((LPDRAWITEMSTRUCT)lParam);
            return TRUE;
        }
        break;
    case WM_MENUCHAR:
        return CNewMenu::FindMnemonic(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
    case WM_ERASEBKGND: {
        // Stripes, so that the shadow shows what lies beneath it.
        RECT client;
        GetClientRect(hWnd, &client);
        for (int y = 0; y < client.bottom; y += 8) {
            RECT stripe = {0, y, client.right, y + 8};
            SetBkColor((HDC)wParam, (y / 8) % 2 ? RGB(255, 255, 255) : RGB(120, 170, 230));
            ExtTextOutA((HDC)wParam, 0, 0, ETO_OPAQUE, &stripe, NULL, 0, NULL);
        }
        return 1;
    }
    case WM_TIMER:
        KillTimer(hWnd, wParam);
        s_menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN, 140, 140, CWnd::FromHandle(hWnd));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    s_menu.LoadMenu(IDM_NEWMENU_TEST);
    s_menu.LoadToolbar(IDR_MENU_TOOLBAR);
    // The system commands need the Marlett font for their glyphs, which the prefix lacks.
    HMENU hFile = ::GetSubMenu(s_menu.m_hMenu, 0);
    while (::GetMenuItemCount(hFile) > 4)
        ::DeleteMenu(hFile, 4, MF_BYPOSITION);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "NewMenuDemo";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA("NewMenuDemo", "Menu demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              100, 100, 400, 320, NULL, NULL, hInstance, NULL);
    UpdateWindow(hWnd);
    SetTimer(hWnd, 1, 200, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
