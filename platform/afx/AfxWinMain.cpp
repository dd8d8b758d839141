// The entry of a program that has no main of its own: the C runtime's startup calls WinMain,
// pulled from the library only then.
#include "CWinApp.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                              int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
