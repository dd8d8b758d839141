#include "RunKeyServiceCtrl.h"

#include <shellapi.h>

#include "RegistryKey.h"

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {

const char kWindowTitle[] = "RemoteService_ZP";
const char kMutexName[] = "Mutex_Remote_Service";
const DWORD kCloseWaitMs = 100;

} // namespace

BOOL CRunKeyServiceCtrl::Install(const char*, DWORD, const char* path)
{
    m_path = path;
    CRegistryKey run;
    return run.Open(HKEY_LOCAL_MACHINE, kRunKey) == ERROR_SUCCESS &&
           run.SetString(kRemoteServiceName, path) == ERROR_SUCCESS;
}

BOOL CRunKeyServiceCtrl::Remove()
{
    CRegistryKey run;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey) != ERROR_SUCCESS)
        return FALSE;
    run.DeleteValue(kRemoteServiceName);
    return TRUE;
}

BOOL CRunKeyServiceCtrl::Start()
{
    if (m_path.IsEmpty())
        m_path = GetServiceExePath();
    if (m_path.IsEmpty() || GetFileAttributesA(m_path) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    CString folder = m_path.Left(m_path.ReverseFind('\\'));
    HINSTANCE result = ShellExecuteA(NULL, NULL, m_path, "", folder, SW_HIDE);
    return (INT_PTR)result > 32;
}

BOOL CRunKeyServiceCtrl::Stop()
{
    HWND window = FindWindowA(NULL, kWindowTitle);
    if (!window)
        return FALSE;
    PostMessageA(window, WM_CLOSE, 0, 0);
    Sleep(kCloseWaitMs);
    HANDLE mutex = CreateMutexA(NULL, TRUE, kMutexName);
    if (mutex)
        CloseHandle(mutex);
    return TRUE;
}

BOOL CRunKeyServiceCtrl::QueryStatus(int& state)
{
    CString path;
    CRegistryKey run;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey) != ERROR_SUCCESS ||
        run.QueryString(kRemoteServiceName, path) != ERROR_SUCCESS || path.IsEmpty()) {
        state = kNotInstalled;
        return TRUE;
    }
    CRegistryKey maker;
    if (maker.Open(HKEY_LOCAL_MACHINE, kRemoteServiceKey) != ERROR_SUCCESS)
        return FALSE;
    DWORD started = (DWORD)-1;
    BOOL read = maker.QueryDWORD("Start", started) == ERROR_SUCCESS;
    state = started ? SERVICE_RUNNING : SERVICE_STOPPED;
    return read;
}
