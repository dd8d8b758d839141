#include "RemoteServiceCtrl.h"

#include "NtServiceCtrl.h"
#include "RegistryKey.h"
#include "RunKeyServiceCtrl.h"

const char kRemoteServiceName[] = "RemoteControlService";
const char kRemoteServiceDisplayName[] = "Quorvex Remote Control Service";
const char kRemoteServiceKey[] = "Software\\Quorvex\\Common\\RemoteService";

BOOL CRemoteServiceCtrl::IsRunning()
{
    int state = SERVICE_STOPPED;
    QueryStatus(state);
    return state == SERVICE_RUNNING;
}

CString CRemoteServiceCtrl::GetServiceExePath()
{
    CString path;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kRemoteServiceKey) == ERROR_SUCCESS)
        key.QueryString("Exe", path);
    return path;
}

CRemoteServiceCtrl* CreateServiceCtrl()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return new CRunKeyServiceCtrl;
    return new CNtServiceCtrl;
}
