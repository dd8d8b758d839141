#include <windows.h>

/* The skin DLLs hold resources only: an entry point with nothing to set up, and no C runtime. */
BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
