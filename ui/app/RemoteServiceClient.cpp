#include "RemoteServiceClient.h"

#include "RegistryKey.h"

namespace {

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kFolderValue[] = "RemoteService";
const char kLibraryName[] = "Ambrelink.dll";
const DWORD kRunning = 4;
const DWORD kInstallSettleMs = 300;

typedef int (WINAPI* StatusProc)(DWORD* state);
typedef int (WINAPI* CommandProc)();

// The control library, loaded for one call and freed when this goes.
class ControlLibrary
{
public:
    explicit ControlLibrary(const CString& path)
        : m_module(LoadLibraryA(path))
    {
        if (!m_module)
            return;
        getStatus = (StatusProc)(void*)GetProcAddress(m_module, "RSGetStatus");
        start = (CommandProc)(void*)GetProcAddress(m_module, "RSStart");
        install = (CommandProc)(void*)GetProcAddress(m_module, "RSInstall");
        // Never called, but a library without it is not the one we know.
        uninstall = (CommandProc)(void*)GetProcAddress(m_module, "RSUnInstall");
    }
    ~ControlLibrary()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    ControlLibrary(const ControlLibrary&) = delete;
    ControlLibrary& operator=(const ControlLibrary&) = delete;

    bool IsUsable() const { return m_module && getStatus && start && install && uninstall; }

    bool IsRunning() const
    {
        DWORD state = 0;
        return getStatus(&state) && state == kRunning;
    }

    StatusProc getStatus = NULL;
    CommandProc start = NULL;
    CommandProc install = NULL;
    CommandProc uninstall = NULL;

private:
    HMODULE m_module;
};

CString ServiceFolder()
{
    CString folder;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kCommonKey) == ERROR_SUCCESS)
        key.QueryString(kFolderValue, folder);
    return folder;
}

} // namespace

CRemoteServiceClient::~CRemoteServiceClient()
{
}

BOOL CRemoteServiceClient::EnsureRemoteServiceRunning()
{
    CString folder = ServiceFolder();
    if (folder.IsEmpty())
        return FALSE;
    ControlLibrary library(folder + "\\" + kLibraryName);
    if (!library.IsUsable())
        return FALSE;

    // Already running: confirmed once more, never restarted.
    DWORD state = 0;
    if (library.getStatus(&state) && state == kRunning)
        return library.IsRunning();

    if (library.start())
        return library.IsRunning();
    // Not installed (or broken): install, give the manager a moment, and try once more.
    library.install();
    Sleep(kInstallSettleMs);
    return library.start() && library.IsRunning();
}
