#include "RemoteServiceClient.h"

#include "RegistryKey.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kScriptKey[] = "Software\\Sim\\ambrelink";
const char kLogPath[] = "C:\\sim\\log\\ambrelink.log";

std::string TestFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

struct LogLine
{
    DWORD tick;
    std::string text;
};

// This process's lines of the library's log, from the given offset on.
std::vector<LogLine> LogLinesSince(size_t offset)
{
    std::string log = TempFolder::ReadWholeFile(kLogPath);
    std::vector<LogLine> lines;
    DWORD self = GetCurrentProcessId();
    size_t pos = offset < log.size() ? offset : log.size();
    while (pos < log.size()) {
        size_t end = log.find("\r\n", pos);
        if (end == std::string::npos)
            break;
        std::string line = log.substr(pos, end - pos);
        pos = end + 2;
        char* rest = NULL;
        DWORD tick = strtoul(line.c_str(), &rest, 10);
        DWORD pid = strtoul(rest, &rest, 10);
        if (pid == self && *rest == ' ')
            lines.push_back({tick, std::string(rest + 1)});
    }
    return lines;
}

// The service folder and the library's script, as the prefix had them before, restored after.
class RemoteServiceClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, m_common.Open(HKEY_LOCAL_MACHINE, kCommonKey));
        m_hadFolder = m_common.QueryString("RemoteService", m_savedFolder) == ERROR_SUCCESS;
        ASSERT_EQ(ERROR_SUCCESS, m_script.Open(HKEY_LOCAL_MACHINE, kScriptKey));
        m_script.SetDWORD("Trace", 1);
        m_logStart = TempFolder::ReadWholeFile(kLogPath).size();
    }

    void TearDown() override
    {
        if (m_hadFolder)
            m_common.SetString("RemoteService", m_savedFolder);
        else
            m_common.DeleteValue("RemoteService");
        for (const char* name : {"StatusSeq", "StatusOk", "StartSeq", "InstallResult"})
            m_script.DeleteValue(name);
    }

    // A folder with a blank in its name holding the given build of the library.
    std::string InstallLibrary(const char* build)
    {
        std::string folder = m_temp.FilePath("Remote Service");
        CreateDirectoryA(folder.c_str(), NULL);
        std::string source = TestFolder() + "\\ambrelink\\" + build + "\\Ambrelink.dll";
        EXPECT_TRUE(CopyFileA(source.c_str(), (folder + "\\Ambrelink.dll").c_str(), FALSE)) << source;
        m_common.SetString("RemoteService", folder.c_str());
        return folder;
    }

    std::vector<std::string> Calls() const
    {
        std::vector<std::string> calls;
        for (const LogLine& line : LogLinesSince(m_logStart))
            calls.push_back(line.text);
        return calls;
    }

    TempFolder m_temp;
    CRegistryKey m_common;
    CRegistryKey m_script;
    CString m_savedFolder;
    bool m_hadFolder = false;
    size_t m_logStart = 0;
};

TEST_F(RemoteServiceClientTest, WithoutTheFolderValueNothingIsLoaded)
{
    m_common.DeleteValue("RemoteService");
    EXPECT_FALSE(CRemoteServiceClient::EnsureRemoteServiceRunning());
    m_common.SetString("RemoteService", "");
    EXPECT_FALSE(CRemoteServiceClient::EnsureRemoteServiceRunning());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(RemoteServiceClientTest, AFolderWithoutTheLibraryFails)
{
    m_common.SetString("RemoteService", m_temp.Path().c_str());
    EXPECT_FALSE(CRemoteServiceClient::EnsureRemoteServiceRunning());
}

TEST_F(RemoteServiceClientTest, ALibraryLackingAnExportIsRefusedUncalled)
{
    std::string folder = InstallLibrary("no-uninstall");
    m_script.SetString("StatusSeq", "4");
    EXPECT_FALSE(CRemoteServiceClient::EnsureRemoteServiceRunning());
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(NULL, GetModuleHandleA((folder + "\\Ambrelink.dll").c_str()));
}

struct SequenceCase
{
    const char* name;
    const char* statusSeq;
    DWORD statusOk;
    const char* startSeq;
    DWORD installResult;
    BOOL expected;
    std::vector<std::string> calls;
};

const SequenceCase kSequences[] = {
    {"running: confirmed, neither started nor installed", "4", 1, "1", 1, TRUE,
     {"RSGetStatus -> 1 state=4", "RSGetStatus -> 1 state=4"}},
    {"running, then stopped when read again", "4,1", 1, "1", 1, FALSE,
     {"RSGetStatus -> 1 state=4", "RSGetStatus -> 1 state=1"}},
    {"stopped: started", "1,4", 1, "1", 1, TRUE,
     {"RSGetStatus -> 1 state=1", "RSStart -> 1", "RSGetStatus -> 1 state=4"}},
    {"started but not running", "1", 1, "1", 1, FALSE,
     {"RSGetStatus -> 1 state=1", "RSStart -> 1", "RSGetStatus -> 1 state=1"}},
    {"a state not read counts for nothing", "4", 0, "1", 1, FALSE,
     {"RSGetStatus -> 0 state=4", "RSStart -> 1", "RSGetStatus -> 0 state=4"}},
    {"not installed: installed, then started", "1060,4", 1, "0,1", 1, TRUE,
     {"RSGetStatus -> 1 state=1060", "RSStart -> 0", "RSInstall -> 1", "RSStart -> 1",
      "RSGetStatus -> 1 state=4"}},
    {"the install's answer is not what counts", "1060,4", 1, "0,1", 0, TRUE,
     {"RSGetStatus -> 1 state=1060", "RSStart -> 0", "RSInstall -> 0", "RSStart -> 1",
      "RSGetStatus -> 1 state=4"}},
    {"still not starting after the install", "1060", 1, "0", 1, FALSE,
     {"RSGetStatus -> 1 state=1060", "RSStart -> 0", "RSInstall -> 1", "RSStart -> 0"}},
    {"started after the install but not running", "1060", 1, "0,1", 1, FALSE,
     {"RSGetStatus -> 1 state=1060", "RSStart -> 0", "RSInstall -> 1", "RSStart -> 1",
      "RSGetStatus -> 1 state=1060"}},
};

TEST_F(RemoteServiceClientTest, FollowsTheLibrarysAnswers)
{
    std::string library = InstallLibrary("scripted") + "\\Ambrelink.dll";
    for (const SequenceCase& c : kSequences) {
        SCOPED_TRACE(c.name);
        m_script.SetString("StatusSeq", c.statusSeq);
        m_script.SetDWORD("StatusOk", c.statusOk);
        m_script.SetString("StartSeq", c.startSeq);
        m_script.SetDWORD("InstallResult", c.installResult);
        m_logStart = TempFolder::ReadWholeFile(kLogPath).size();

        EXPECT_EQ(c.expected, CRemoteServiceClient::EnsureRemoteServiceRunning());
        EXPECT_EQ(c.calls, Calls());
        // Freed again: the next call starts the library's answers afresh.
        EXPECT_EQ(NULL, GetModuleHandleA(library.c_str()));
    }
}

// The pause between the failed start and the one after the install, for a reader to see.
TEST_F(RemoteServiceClientTest, ReportsThePauseAfterTheInstall)
{
    InstallLibrary("scripted");
    m_script.SetString("StatusSeq", "1060,4");
    m_script.SetString("StartSeq", "0,1");
    EXPECT_TRUE(CRemoteServiceClient::EnsureRemoteServiceRunning());
    std::vector<LogLine> lines = LogLinesSince(m_logStart);
    ASSERT_EQ(5u, lines.size());
    std::cout << "between the two starts: " << (lines[3].tick - lines[1].tick) << " ms\n";
}

} // namespace
