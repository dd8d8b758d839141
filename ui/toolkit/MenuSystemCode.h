// The operating-system code the menu library keys its look and its work-arounds on: which
// Windows family and release it runs on, from GetVersion and GetVersionEx.
#pragma once

#include <windows.h>

enum MenuSystemCode {
    kMenuSystemWin32s = 0,   // Windows 3.x with Win32s
    kMenuSystemNT3 = 1,      // Windows NT 3.x
    kMenuSystemWin95 = 2,
    kMenuSystemWin98 = 3,
    kMenuSystemWinMe = 4,
    kMenuSystemNT4 = 5,
    kMenuSystemWin2000 = 6,
    kMenuSystemWinXP = 7,    // and every later NT release
};

// The code of this process, computed once.
int GetMenuSystemCode();
// The code of a release: bNT from GetVersion's family bit, major and minor from GetVersionEx.
int MenuSystemCodeOf(BOOL bNT, DWORD dwMajor, DWORD dwMinor);
