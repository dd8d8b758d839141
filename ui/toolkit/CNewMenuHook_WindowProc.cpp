// The window procedure of a subclassed menu window: the current style's border, background
// and size, the system's own procedure for the rest.
#include "CNewMenuHook.h"

#include <afxwin.h>

#include "CMenuStyle.h"
#include "CNewMenu.h"

namespace {

struct Nesting {
    explicit Nesting(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
    ~Nesting() { --m_nDepth; }
    int& m_nDepth;
};

} // namespace

LRESULT CALLBACK CNewMenuHook::MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = (WNDPROC)GetPropA(hWnd, kOldMenuProc);
    if (pfnOld == NULL)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    Nesting nesting(s_nNesting);
    MenuWindowRecord* pRecord = FindRecord(hWnd);
    CMenuStyle* pStyle = CMenuStyle::GetCurrent();
    if (pRecord == NULL || pStyle == NULL)
        return CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
    // Wine makes the window before WM_INITMENUPOPUP and never sends 0x01E2: the window is
    // asked for its menu once it knows it, else the pending popup is taken.
    if (pRecord->hMenu == NULL && message != WM_CREATE && message != WM_NCCREATE) {
        pRecord->hMenu = (HMENU)CallWindowProcA(pfnOld, hWnd, MN_GETHMENU, 0, 0);
        if (pRecord->hMenu == NULL)
            pRecord->hMenu = s_hPendingPopup;
        if (pRecord->hMenu != NULL && pRecord->hMenu == s_hPendingPopup)
            s_hPendingPopup = NULL;
    }

    switch (message) {
    case WM_ERASEBKGND:
        if (pStyle->PaintBackground(hWnd, (HDC)wParam, pRecord))
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (wParam)
            break;
        // hidden is as good as gone
        [[fallthrough]];
    case WM_NCDESTROY:
        UnsubclassMenuWindow(hWnd);
        return CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        WINDOWPOS* pPos = (WINDOWPOS*)lParam;
        if (message == WM_WINDOWPOSCHANGING)
            pStyle->AdjustWindowSize(pPos);
        if (!(pPos->flags & SWP_NOMOVE)) {
            if (!pRecord->bPlaced) {
                pRecord->x = pPos->x;
                pRecord->y = pPos->y;
                pRecord->bPlaced = TRUE;
            } else if (pPos->x != pRecord->x || pPos->y != pRecord->y) {
                // Moved alone, the shadow follows; moved and resized, it is another menu's.
                if (pPos->flags & SWP_NOSIZE) {
                    pRecord->x = pPos->x;
                    pRecord->y = pPos->y;
                } else {
                    UnsubclassMenuWindow(hWnd);
                }
            }
        }
        break;
    }
    case WM_NCCALCSIZE: {
        LPRECT lpRect = wParam ? &((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : (LPRECT)lParam;
        if (pStyle->AdjustClientArea(lpRect))
            return 0;
        break;
    }
    case WM_NCPAINT: {
        LRESULT result = 0;
        BOOL bDone = FALSE;
        if (pRecord->bDrawBorder && pStyle->DrawsOwnBorder()) {
            HRGN hUpdate = wParam != 1 ? (HRGN)wParam : NULL;
            HDC hDC;
            if (hUpdate == NULL) {
                hDC = GetWindowDC(hWnd);
            } else {
                // GetDCEx takes the region it intersects with: it gets a copy.
                HRGN hCopy = CreateRectRgn(0, 0, 0, 0);
                CombineRgn(hCopy, hUpdate, NULL, RGN_COPY);
                hDC = GetDCEx(hWnd, hCopy, DCX_WINDOW | DCX_INTERSECTRGN);
            }
            if (hDC != NULL) {
                BOOL bDrew = pStyle->PaintBorder(hWnd, hDC, pRecord);
                ReleaseDC(hWnd, hDC);
                if (bDrew) {
                    RECT frame;
                    pStyle->GetFrameRect(hWnd, &frame);
                    InflateRect(&frame, -1, -1);
                    HRGN hRegion = CreateRectRgnIndirect(&frame);
                    if (hUpdate != NULL)
                        CombineRgn(hRegion, hRegion, hUpdate, RGN_AND);
                    result = CallWindowProcA(pfnOld, hWnd, WM_NCPAINT, (WPARAM)hRegion, lParam);
                    DeleteObject(hRegion);
                    bDone = TRUE;
                }
            }
        }
        if (FindRecord(hWnd) != NULL)
            pRecord->bDrawBorder = TRUE;
        if (bDone)
            return result;
        break;
    }
    case WM_PRINT:
        if (pStyle->DrawsOwnBorder()) {
            pRecord->bDrawBorder = FALSE;
            return PrintWindow(hWnd, pfnOld, pRecord, (HDC)wParam, lParam);
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            pRecord->dwFlags |= MenuWindowRecord::kEscape;
        CNewMenu::SetKeyboardPos(GetMessagePos());
        break;
    }
    return CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
}

// The whole window composed in memory, border and shadow included, then copied to the target.
LRESULT CNewMenuHook::PrintWindow(HWND hWnd, WNDPROC pfnOld, MenuWindowRecord* pRecord, HDC hDC, LPARAM lParam)
{
    CMenuStyle* pStyle = CMenuStyle::GetCurrent();
    RECT window;
    GetWindowRect(hWnd, &window);
    int cx = window.right - window.left, cy = window.bottom - window.top;
    HDC hMemory = CreateCompatibleDC(hDC);
    HBITMAP hBitmap = CreateCompatibleBitmap(hDC, cx, cy);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);

    pStyle->PaintBorder(hWnd, hMemory, pRecord);
    RECT frame;
    pStyle->GetFrameRect(hWnd, &frame);
    OffsetRect(&frame, -window.left, -window.top);
    InflateRect(&frame, -1, -1);
    int nSaved = SaveDC(hMemory);
    IntersectClipRect(hMemory, frame.left, frame.top, frame.right, frame.bottom);
    CallWindowProcA(pfnOld, hWnd, WM_PRINT, (WPARAM)hMemory, lParam & ~PRF_CLIENT);
    RestoreDC(hMemory, nSaved);
    BitBlt(hDC, 0, 0, cx, cy, hMemory, 0, 0, SRCCOPY);

    if (lParam & PRF_CLIENT) {
        RECT client;
        GetClientRect(hWnd, &client);
        MapWindowPoints(hWnd, NULL, (LPPOINT)&client, 2);
        OffsetRect(&client, -window.left, -window.top);
        nSaved = SaveDC(hMemory);
        SetViewportOrgEx(hMemory, client.left, client.top, NULL);
        IntersectClipRect(hMemory, 0, 0, client.right - client.left, client.bottom - client.top);
        SendMessageA(hWnd, WM_ERASEBKGND, (WPARAM)hMemory, 0);
        SendMessageA(hWnd, WM_PRINTCLIENT, (WPARAM)hMemory, lParam);
        RestoreDC(hMemory, nSaved);
        BitBlt(hDC, client.left, client.top, client.right - client.left - 1, client.bottom - client.top,
               hMemory, client.left, client.top, SRCCOPY);
    }
    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    return 0;
}
