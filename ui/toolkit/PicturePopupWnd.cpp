#include "PicturePopupWnd.h"

CPicturePopupWnd::CPicturePopupWnd() : m_bitmap(NULL), m_hideTimer(0)
{
}

CPicturePopupWnd::~CPicturePopupWnd()
{
    Hide();
    ReplaceBitmap(NULL);
}

BOOL CPicturePopupWnd::LoadBitmapResource(UINT bitmapId)
{
    LPCTSTR name = MAKEINTRESOURCEA(bitmapId);
    HBITMAP bitmap = (HBITMAP)LoadImageA(AfxFindResourceHandle(name, (LPCTSTR)RT_BITMAP), name,
                                         IMAGE_BITMAP, 0, 0, 0);
    if (bitmap == NULL)
        return FALSE;
    ReplaceBitmap(bitmap);
    return TRUE;
}

BOOL CPicturePopupWnd::LoadBitmapFile(LPCTSTR path)
{
    HBITMAP bitmap = (HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ReplaceBitmap(bitmap);
    return bitmap != NULL;
}

void CPicturePopupWnd::ReplaceBitmap(HBITMAP bitmap)
{
    if (m_bitmap != NULL)
        DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    if (m_bitmap == NULL || m_hWnd == NULL)
        return;
    SIZE size = PictureSize();
    ::SetWindowPos(m_hWnd, NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    CentreOnScreen();
    InvalidateRect(m_hWnd, NULL, FALSE);
}

SIZE CPicturePopupWnd::PictureSize() const
{
    SIZE size = {kEmptySize, kEmptySize};
    BITMAP info;
    if (m_bitmap != NULL && GetObjectA(m_bitmap, sizeof(info), &info)) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

void CPicturePopupWnd::CentreOnScreen()
{
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CPicturePopupWnd::Show(CWnd* parent, BOOL autoHide, UINT ms)
{
    if (m_hWnd != NULL)
        return;
    SIZE size = PictureSize();
    LPCTSTR windowClass = AfxRegisterWndClass(0, LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    if (!CreateEx(0, windowClass, NULL, WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                  parent->GetSafeHwnd(), NULL))
        return;
    ::UpdateWindow(m_hWnd);
    if (autoHide)
        m_hideTimer = SetTimer(kHideTimer, ms);
}

void CPicturePopupWnd::Hide()
{
    if (m_hWnd == NULL)
        return;
    if (m_hideTimer != 0)
        KillTimer(m_hideTimer);
    m_hideTimer = 0;
    DestroyWindow();
}

LRESULT CPicturePopupWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (result != -1)
            CentreOnScreen();
        return result;
    }
    case WM_PAINT:
        Paint();
        return 0;
    case WM_TIMER:
        if (wParam == kHideTimer) {
            Hide();
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPicturePopupWnd::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    if (m_bitmap != NULL) {
        SIZE size = PictureSize();
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, m_bitmap);
        BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(m_hWnd, &paint);
}
