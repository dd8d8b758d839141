#include "afxcmn.h"

#include <atomic>

BOOL AFXAPI AfxInitCommonControls(DWORD dwClasses)
{
    static std::atomic<DWORD> registered(0);
    if ((registered & dwClasses) == dwClasses)
        return TRUE;
    INITCOMMONCONTROLSEX init = {sizeof(init), dwClasses};
    if (!InitCommonControlsEx(&init))
        return FALSE;
    registered |= dwClasses;
    return TRUE;
}
