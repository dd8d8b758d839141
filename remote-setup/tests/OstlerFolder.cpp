#include "OstlerFolder.h"

#include "KeyCodeTable.h"
#include "KeyMapFile.h"
#include "ProgramList.h"
#include "RegistryKey.h"
#include "RemoteServiceCtrl.h"
#include "RunKeyServiceCtrl.h"

namespace {

const char kLogPath[] = "C:\\sim\\log\\ostler.log";

std::string TestFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

void WriteTable(const std::string& path, int records)
{
    CKeyCodeTable table;
    for (int i = 0; i < records; ++i)
        table.Add(KeyCodeRecord{242 - i, 1, 0, 0, 0, 'A' + i});
    table.Save(path.c_str());
}

} // namespace

OstlerFolder::OstlerFolder()
    : m_path(m_temp.FilePath("Remote Service")),
      m_logStart(TempFolder::ReadWholeFile(kLogPath).size())
{
    CreateDirectoryA(m_path.c_str(), NULL);
    std::string source = TestFolder() + "\\ostler\\Ostler.exe";
    m_ready = CopyFileA(source.c_str(), ProgramPath().c_str(), FALSE) != FALSE;

    std::string folder = m_path + "\\";
    CProgramList programs;
    programs.Add(ProgramEntry{"WINDVR3.0", "C:\\dvr.exe", "WINDVR30.dat"});
    programs.Add(ProgramEntry{"mediaplayer9", "C:\\mp.exe", "mp9.dat"});
    m_ready = programs.Write((folder + "Service.ini").c_str()) && m_ready;
    WriteTable(folder + "WINDVR30.dat", 2);
    WriteTable(folder + "mp9.dat", 1);
    CKeyMapFile map;
    map.RestoreFactoryMap(GetModuleHandleA(NULL), folder.c_str());
    SetCurrentDirectoryA("C:\\");
}

std::string OstlerFolder::LogSinceStart() const
{
    std::string log = TempFolder::ReadWholeFile(kLogPath);
    return log.size() > m_logStart ? log.substr(m_logStart) : std::string();
}

bool OstlerWindowExists()
{
    return FindWindowA(NULL, "RemoteService_ZP") != NULL;
}

bool OstlerMutexExists()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Mutex_Remote_Service");
    if (mutex)
        CloseHandle(mutex);
    return mutex != NULL;
}

int StartValue()
{
    CRegistryKey key;
    DWORD value = 0;
    if (key.Open(HKEY_LOCAL_MACHINE, kRemoteServiceKey) != ERROR_SUCCESS ||
        key.QueryDWORD("Start", value) != ERROR_SUCCESS)
        return -1;
    return (int)value;
}

RemoteServiceValues::RemoteServiceValues()
    : m_exe(Read(kRemoteServiceKey, "Exe")),
      m_start(Read(kRemoteServiceKey, "Start")),
      m_run(Read(kRunKey, kRemoteServiceName))
{
}

RemoteServiceValues::~RemoteServiceValues()
{
    Restore(kRemoteServiceKey, "Exe", m_exe);
    Restore(kRemoteServiceKey, "Start", m_start);
    Restore(kRunKey, kRemoteServiceName, m_run);
}

RemoteServiceValues::Saved RemoteServiceValues::Read(const char* key, const char* name)
{
    Saved saved;
    HKEY handle = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return saved;
    char data[1024];
    DWORD size = sizeof(data);
    if (RegQueryValueExA(handle, name, NULL, &saved.type, (BYTE*)data, &size) == ERROR_SUCCESS) {
        saved.present = true;
        saved.data.assign(data, size);
    }
    RegCloseKey(handle);
    return saved;
}

void RemoteServiceValues::Restore(const char* key, const char* name, const Saved& saved)
{
    HKEY handle = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, NULL, 0, KEY_SET_VALUE, NULL, &handle, NULL) !=
        ERROR_SUCCESS)
        return;
    if (saved.present)
        RegSetValueExA(handle, name, 0, saved.type, (const BYTE*)saved.data.data(),
                       (DWORD)saved.data.size());
    else
        RegDeleteValueA(handle, name);
    RegCloseKey(handle);
}

InstalledService InstalledService::Read()
{
    InstalledService installed;
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, kRemoteServiceName, SERVICE_QUERY_CONFIG) : NULL;
    BYTE buffer[8192];
    DWORD needed = 0;
    QUERY_SERVICE_CONFIGA* config = (QUERY_SERVICE_CONFIGA*)buffer;
    if (service && QueryServiceConfigA(service, config, sizeof(buffer), &needed)) {
        installed.found = true;
        installed.type = config->dwServiceType;
        installed.startType = config->dwStartType;
        installed.errorControl = config->dwErrorControl;
        installed.binaryPath = config->lpBinaryPathName ? config->lpBinaryPathName : "";
        installed.displayName = config->lpDisplayName ? config->lpDisplayName : "";
        installed.account = config->lpServiceStartName ? config->lpServiceStartName : "";
    }
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
    return installed;
}
