// The popup window's own look: border, background, size and shadow.
#include "CMenuStyle.h"

#include <vector>

#include "CNewMenu.h"
#include "CNewMenuHook.h"

#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif

namespace {

// Restores a window style; a failure is reported.
void RestoreStyle(HWND hWnd, int nIndex, DWORD dwValue)
{
    SetLastError(0);
    if (SetWindowLongPtrA(hWnd, nIndex, (LONG_PTR)dwValue) == 0)
        CNewMenuHook::ReportError();
}

const int kShadow = 4;   // columns and rows

// Darkening of the pixel at distance j along a shadow line of that length, for line k (1 the
// outermost): unchanged, ramping up, full, and for the right-hand columns fading out again.
int ShadowAmount(int k, int j, int nLength, bool bFadeOut)
{
    int nFull = 30 * k;
    if (j < 4)
        return 0;
    if (j < 8)
        return 6 * k * (j - 3);
    if (bFadeOut && j >= nLength - 4)
        return 6 * k * (nLength - j);
    return nFull;
}

} // namespace

BOOL CMenuStyle::SystemDrawsShadow()
{
    BOOL bDropShadow = FALSE;
    SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bDropShadow, 0);
    return bDropShadow;
}

BOOL CMenuStyle::AttachWindow(HWND hWnd, MenuWindowRecord* pRecord)
{
    if (!DrawsOwnBorder())
        return FALSE;
    pRecord->dwFlags |= MenuWindowRecord::kStyled;
    SetWindowLongPtrA(hWnd, GWL_STYLE, pRecord->dwStyle & ~WS_BORDER);
    SetWindowLongPtrA(hWnd, GWL_EXSTYLE, pRecord->dwExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    return TRUE;
}

void CMenuStyle::DetachWindow(HWND hWnd, MenuWindowRecord* pRecord)
{
    CMenu* pMenu = CMenu::FromHandlePermanent(pRecord->hMenu);
    if (pMenu != NULL && pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)))
        ((CNewMenu*)pMenu)->PopupClosed(::GetParent(hWnd));
    if (pRecord->dwFlags & MenuWindowRecord::kStyled) {
        DWORD dwStyle = pRecord->dwStyle;
        if (pRecord->dwFlags & MenuWindowRecord::kLate)
            dwStyle |= WS_VISIBLE;
        RestoreStyle(hWnd, GWL_STYLE, dwStyle);
        RestoreStyle(hWnd, GWL_EXSTYLE, pRecord->dwExStyle);
    }
}

BOOL CMenuStyle::AdjustClientArea(LPRECT lpRect)
{
    if (DrawsOwnBorder()) {
        CRect borders = GetBorders();
        lpRect->left += borders.left;
        lpRect->top += borders.top;
        lpRect->right -= borders.right;
        lpRect->bottom -= borders.bottom;
    }
    return FALSE;
}

void CMenuStyle::AdjustWindowSize(WINDOWPOS* pPos)
{
    if (!DrawsOwnBorder())
        return;
    if (!(pPos->flags & SWP_NOSIZE)) {
        int nGrow = SystemDrawsShadow() ? -2 : 2;
        pPos->cx += nGrow;
        pPos->cy += nGrow;
    }
    if (!(pPos->flags & SWP_NOMOVE))
        pPos->y -= 1;
}

void CMenuStyle::GetFrameRect(HWND hWnd, LPRECT lpRect)
{
    ::GetWindowRect(hWnd, lpRect);
    if (DrawsOwnBorder()) {
        int nFar = SystemDrawsShadow() ? 3 : 7;
        lpRect->left += 2;
        lpRect->top += 2;
        lpRect->right -= nFar;
        lpRect->bottom -= nFar;
    }
}

BOOL CMenuStyle::PaintBackground(HWND hWnd, HDC hDC, MenuWindowRecord*)
{
    CRect client;
    ::GetClientRect(hWnd, &client);
    client.left -= 2;
    client.right -= 1;
    ::SetBkColor(hDC, GetSysColor(COLOR_MENU));
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &client, NULL, 0, NULL);
    return TRUE;
}

CMenuStyle::WindowFrame CMenuStyle::GetWindowFrame(HWND hWnd)
{
    WindowFrame frame;
    CRect window;
    ::GetWindowRect(hWnd, &window);
    frame.cx = window.Width();
    frame.cy = window.Height();
    ::GetClientRect(hWnd, &frame.client);
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&frame.client, 2);
    frame.client.OffsetRect(-window.left, -window.top);
    BOOL bSystemShadow = SystemDrawsShadow();
    frame.right = frame.cx - (bSystemShadow ? 1 : 5);
    frame.bottom = frame.cy - (bSystemShadow ? 1 : 5);
    return frame;
}

void CMenuStyle::FillBand(HDC hDC, const CRect& outer, const CRect& client, COLORREF cr)
{
    int nSaved = ::SaveDC(hDC);
    ::ExcludeClipRect(hDC, client.left, client.top, client.right, client.bottom);
    ::SetBkColor(hDC, cr);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &outer, NULL, 0, NULL);
    ::RestoreDC(hDC, nSaved);
}

void CMenuStyle::FrameOf(HDC hDC, const CRect& rect, COLORREF cr)
{
    HBRUSH hBrush = ::CreateSolidBrush(cr);
    ::FrameRect(hDC, &rect, hBrush);
    ::DeleteObject(hBrush);
}

BOOL CMenuStyle::PaintBorder(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord)
{
    if (!DrawsOwnBorder())
        return FALSE;
    WindowFrame frame = GetWindowFrame(hWnd);
    FillBand(hDC, CRect(1, 1, frame.right, frame.bottom), frame.client, MenuColor());
    FrameOf(hDC, CRect(0, 0, frame.right + 1, frame.bottom + 1), GetSysColor(COLOR_HIGHLIGHT));
    if (!SystemDrawsShadow())
        DrawShadow(hWnd, hDC, pRecord);
    return TRUE;
}

void CMenuStyle::DrawShadow(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord)
{
    CRect window;
    ::GetWindowRect(hWnd, &window);
    int cx = window.Width(), cy = window.Height();
    if (cx <= 2 * kShadow || cy <= 2 * kShadow)
        return;
    int x = pRecord->bPlaced ? pRecord->x : window.left;
    int y = pRecord->bPlaced ? pRecord->y : window.top;
    // What lies beneath, read from the screen.
    HWND hDesktop = ::GetDesktopWindow();
    HDC hScreen = ::GetWindowDC(hDesktop);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::BitBlt(hMemory, 0, 0, cx, cy, hScreen, x, y, SRCCOPY);
    ::GdiFlush();
    auto beneath = [&](int px, int py) {
        DWORD v = pBits[py * cx + px];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    };
    for (int k = 1; k <= kShadow; k++) {
        int nColumn = cx - k;
        for (int j = 0; j < cy; j++)
            ::SetPixelV(hDC, nColumn, j, Darken(ShadowAmount(k, j, cy, true), beneath(nColumn, j)));
        int nRow = cy - k;
        for (int j = 0; j < cx - kShadow; j++)
            ::SetPixelV(hDC, j, nRow, Darken(ShadowAmount(k, j, cx, false), beneath(j, nRow)));
    }
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(hDesktop, hScreen);
}
