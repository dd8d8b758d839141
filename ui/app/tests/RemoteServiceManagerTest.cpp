#include "RemoteServiceClient.h"

#include "RegistryKey.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kServiceName[] = "RemoteControlService";
const char kLogPath[] = "C:\\sim\\log\\ambrelink.log";

std::string TestFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The state the Service Control Manager gives, or 0 when the service is not installed.
DWORD ServiceState()
{
    DWORD state = 0;
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, kServiceName, SERVICE_QUERY_STATUS) : NULL;
    SERVICE_STATUS status = {};
    if (service && QueryServiceStatus(service, &status))
        state = status.dwCurrentState;
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
    return state;
}

// The control library over Wine's Service Control Manager, with its service program in a
// folder with a blank in its name; the service is removed again at the end.
class RemoteServiceManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, m_common.Open(HKEY_LOCAL_MACHINE, kCommonKey));
        m_hadFolder = m_common.QueryString("RemoteService", m_savedFolder) == ERROR_SUCCESS;
        m_folder = m_temp.FilePath("Remote Service");
        CreateDirectoryA(m_folder.c_str(), NULL);
        for (const char* name : {"Ambrelink.dll", "Ostler.exe"}) {
            std::string source = TestFolder() + "\\ambrelink\\scm\\" + name;
            ASSERT_TRUE(CopyFileA(source.c_str(), (m_folder + "\\" + name).c_str(), FALSE)) << source;
        }
        m_common.SetString("RemoteService", m_folder.c_str());
        UnInstall();
        ASSERT_EQ(0u, ServiceState());
    }

    void TearDown() override
    {
        UnInstall();
        if (m_hadFolder)
            m_common.SetString("RemoteService", m_savedFolder);
        else
            m_common.DeleteValue("RemoteService");
    }

    // Through the library itself: it stops the service and waits for its end.
    int UnInstall()
    {
        HMODULE library = LoadLibraryA((m_folder + "\\Ambrelink.dll").c_str());
        if (!library)
            return 0;
        typedef int (WINAPI* CommandProc)();
        CommandProc uninstall = (CommandProc)(void*)GetProcAddress(library, "RSUnInstall");
        int result = uninstall ? uninstall() : 0;
        FreeLibrary(library);
        return result;
    }

    TempFolder m_temp;
    CRegistryKey m_common;
    CString m_savedFolder;
    bool m_hadFolder = false;
    std::string m_folder;
};

TEST_F(RemoteServiceManagerTest, InstallsStartsAndFindsTheServiceRunning)
{
    EXPECT_TRUE(CRemoteServiceClient::EnsureRemoteServiceRunning());
    EXPECT_EQ((DWORD)SERVICE_RUNNING, ServiceState());
    // Running now: answered without a start or an install.
    size_t logStart = TempFolder::ReadWholeFile(kLogPath).size();
    EXPECT_TRUE(CRemoteServiceClient::EnsureRemoteServiceRunning());
    std::string calls = TempFolder::ReadWholeFile(kLogPath).substr(logStart);
    EXPECT_EQ(std::string::npos, calls.find("RSStart"));
    EXPECT_EQ(std::string::npos, calls.find("RSInstall"));

    EXPECT_EQ(1, UnInstall());
    EXPECT_EQ(0u, ServiceState());
}

} // namespace
