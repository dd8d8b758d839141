#include "KitWindowClass.h"

LPCSTR RegisterKitWindowClass(LPCSTR className, UINT extraStyle)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing))
        return className;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS | extraStyle;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) {
        DeleteObject(wc.hbrBackground);
        return NULL;
    }
    return className;
}
