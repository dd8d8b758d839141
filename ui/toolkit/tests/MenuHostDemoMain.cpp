// A frame whose owner-drawn menu bar shows its first item hot under the mouse, for a picture of
// it on a display of its own (scripts/screenshot --window "Menu Host Frame" OUT.png
// menuhost_frame.exe).
#include <CNewFrameWnd.h>
#include <UserInput.h>

#include "MenuFrameTestResources.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CNewFrameWnd* pFrame = new CNewFrameWnd;
    if (!pFrame->LoadFrame(IDR_HOST_FRAME))
        return 1;
    pFrame->SetWindowPos(NULL, 100, 100, 420, 240, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    HWND hWnd = pFrame->m_hWnd;
    UserInput::BringToFront(hWnd);
    RECT item = {};
    GetMenuItemRect(hWnd, GetMenu(hWnd), 1, &item);
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ScreenToClient(hWnd, &centre);
    UserInput::MoveTo(hWnd, centre);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
