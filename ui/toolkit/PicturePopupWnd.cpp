#include "PicturePopupWnd.h"

BEGIN_MESSAGE_MAP(CPicturePopupWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CPicturePopupWnd::CPicturePopupWnd() : m_hideTimer(0)
{
}

CPicturePopupWnd::~CPicturePopupWnd()
{
    Hide();
}

BOOL CPicturePopupWnd::LoadBitmapResource(UINT bitmapId)
{
    CBitmap loaded;
    if (!loaded.LoadBitmap(bitmapId))
        return FALSE;
    ReplaceBitmap((HBITMAP)loaded.Detach());
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
    m_bitmap.DeleteObject();
    if (bitmap == NULL)
        return;
    m_bitmap.Attach(bitmap);
    if (m_hWnd == NULL)
        return;
    SIZE size = PictureSize();
    SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    CentreOnScreen();
    Invalidate(FALSE);
}

SIZE CPicturePopupWnd::PictureSize() const
{
    SIZE size = {kEmptySize, kEmptySize};
    BITMAP info;
    if (m_bitmap.GetSafeHandle() != NULL && m_bitmap.GetBitmap(&info)) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

void CPicturePopupWnd::CentreOnScreen()
{
    RECT rect;
    GetWindowRect(&rect);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
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
    UpdateWindow();
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

int CPicturePopupWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CentreOnScreen();
    return 0;
}

void CPicturePopupWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_bitmap.GetSafeHandle() == NULL)
        return;
    SIZE size = PictureSize();
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CPicturePopupWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHideTimer) {
        Hide();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}
