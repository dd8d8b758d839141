// The skinned test dialog shown by itself, for a picture of it on a display of its own
// (scripts/screenshot --window "Skin controls" OUT.png skin_controls_dialog.exe).
#include "SkinTestDialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CSkinTestDlg dialog;
    if (!dialog.Open())
        return 1;
    dialog.toggle.SetCheck(TRUE);
    dialog.toggle.Invalidate();
    dialog.labelNone.SetText("Kavex");
    MSG msg;
    while (IsWindow(dialog.m_hWnd) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
