#include "FrameTestDialog.h"

#include "FrameDialogResources.h"

CFrameTestDlg::CFrameTestDlg() : CSkinDialog(IDD_FRAME_TEST) {}

CFrameTestDlg::~CFrameTestDlg()
{
    DestroyWindow();
}

BOOL CFrameTestDlg::Open(const RECT& rect)
{
    if (!Create(IDD_FRAME_TEST, NULL))
        return FALSE;
    BOOL loaded = SetCaptionBitmaps(IDB_CAP_LEFT, IDB_CAP_RIGHT, IDB_CAP_MIDDLE) &&
                  SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM) &&
                  SetMinButtonBitmaps(IDB_FBTN_NORMAL, IDB_FBTN_HOVER, IDB_FBTN_PRESSED) &&
                  SetMaxButtonBitmaps(IDB_FBTN_NORMAL, IDB_FBTN_HOVER, IDB_FBTN_PRESSED) &&
                  SetCloseButtonBitmaps(IDB_FBTN_NORMAL, IDB_FBTN_HOVER, IDB_FBTN_PRESSED);
    // The frame's sizes come with the bitmaps: the client area is worked out anew.
    ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    ::SetForegroundWindow(m_hWnd);
    return loaded;
}

void CFrameTestDlg::OnCancel()
{
    DestroyWindow();
}
