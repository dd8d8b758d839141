#include "NtServiceCtrl.h"

BOOL CNtServiceCtrl::QueryStatus(int& state)
{
    SERVICE_STATUS status;
    state = m_manager.QueryStatus(kRemoteServiceName, status) ? (int)status.dwCurrentState
                                                              : kNotInstalled;
    return TRUE;
}

BOOL CNtServiceCtrl::Stop()
{
    return m_manager.StopService(kRemoteServiceName);
}

BOOL CNtServiceCtrl::Start()
{
    return m_manager.StartService(kRemoteServiceName);
}

BOOL CNtServiceCtrl::Remove()
{
    return m_manager.DeleteService(kRemoteServiceName);
}

BOOL CNtServiceCtrl::Install(const char*, DWORD startType, const char* path)
{
    return m_manager.CreateService(kRemoteServiceName, kRemoteServiceDisplayName, startType, path);
}
