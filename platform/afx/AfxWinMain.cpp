// The entry of a program that has no main of its own: the C runtime's startup calls WinMain,
// which runs the application object (the afxwinmain object library).
#include "CWinApp.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                              int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
