#include "MenuSystemCode.h"

namespace {

// A release as one number that orders major before minor (Me is 4.90).
constexpr DWORD Release(DWORD major, DWORD minor) { return major * 0x100 + minor; }
constexpr DWORD kLatest = 0xFFFFFFFF;

// The first row whose family matches and whose range [from, to) holds the release wins; an NT
// release no row names (those after XP among them) counts as NT 3.x.
struct MenuSystemRow {
    BOOL nt;
    DWORD from;
    DWORD to;
    int code;
};
const MenuSystemRow kMenuSystems[] = {
    // nt    from              to                code
    {FALSE, Release(0, 0),   Release(4, 0),    kMenuSystemWin32s},
    {FALSE, Release(4, 10),  Release(4, 11),   kMenuSystemWin98},
    {FALSE, Release(4, 90),  Release(4, 91),   kMenuSystemWinMe},
    {FALSE, Release(4, 0),   kLatest,          kMenuSystemWin95},
    {TRUE,  Release(4, 0),   Release(5, 0),    kMenuSystemNT4},
    {TRUE,  Release(5, 0),   Release(5, 1),    kMenuSystemWin2000},
    {TRUE,  Release(5, 1),   Release(5, 2),    kMenuSystemWinXP},
};

} // namespace

int MenuSystemCodeOf(BOOL bNT, DWORD dwMajor, DWORD dwMinor)
{
    DWORD release = Release(dwMajor, dwMinor);
    for (const MenuSystemRow& row : kMenuSystems) {
        if (!row.nt == !bNT && release >= row.from && release < row.to)
            return row.code;
    }
    return kMenuSystemNT3;
}

int GetMenuSystemCode()
{
    static int s_code = -1;
    if (s_code < 0) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        GetVersionExA(&info);
        // The family bit of GetVersion: set on Windows 95, 98, Me and Win32s.
        BOOL nt = (GetVersion() & 0x80000000) == 0;
        s_code = MenuSystemCodeOf(nt, info.dwMajorVersion, info.dwMinorVersion);
    }
    return s_code;
}
