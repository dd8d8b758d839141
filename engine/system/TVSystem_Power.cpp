// Switching the computer off, and the options menu that scheduled work hides.
#include "TVSystem.h"


BOOL CTVSystem::EnableShutdownPrivilege()
{
    HANDLE token = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return FALSE;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    BOOL ok = LookupPrivilegeValueA(NULL, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL) &&
              GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

// Tests stop at EnableShutdownPrivilege: under Wine, ExitWindowsEx ends every other process
// of the prefix, the tests running beside them included.
BOOL CTVSystem::ShutdownSystem()
{
    EnableShutdownPrivilege();
    return ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0);
}

void CTVSystem::HideOptionsMenu()
{
    View().ShowOptionsMenu(FALSE);
}
