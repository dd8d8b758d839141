// The frame dialog with an on-screen text over its client area, for a picture of the two on
// a display of their own (scripts/screenshot --window "Frame dialog" OUT.png frame_osd_dialog.exe).
#include "COsdWnd.h"
#include "FrameTestDialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CFrameTestDlg dialog;
    if (!dialog.Open(RECT{80, 60, 560, 400}))
        return 1;
    COsdWnd osd;
    if (!osd.Create(&dialog))
        return 1;
    osd.SetTextRect(RECT{20, 20, 440, 120});
    osd.SetColor(RGB(0, 200, 255));
    osd.SetText("CH 12  Kavex");
    osd.Show(TRUE);
    MSG msg;
    while (IsWindow(dialog.m_hWnd) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
