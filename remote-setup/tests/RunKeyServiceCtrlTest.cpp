#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "NtServiceCtrl.h"
#include "OstlerFolder.h"
#include "RegistryKey.h"
#include "RunKeyServiceCtrl.h"
#include "TempFolder.h"

namespace {

const DWORD kWaitMs = 20000;
const char kNineXCopy[] = "Win9xRoad.exe";

bool ReportsNineX()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool ServiceInstalled()
{
    CNtServiceCtrl nt;
    int state = 0;
    nt.QueryStatus(state);
    return state != CRemoteServiceCtrl::kNotInstalled;
}

std::string RunValue()
{
    CRegistryKey run;
    CString value("<missing>");
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey) == ERROR_SUCCESS)
        run.QueryString(kRemoteServiceName, value);
    return (LPCTSTR)value;
}

void SetMakerValue(const char* name, const char* text)
{
    CRegistryKey maker;
    ASSERT_EQ(ERROR_SUCCESS, maker.Open(HKEY_LOCAL_MACHINE, kRemoteServiceKey));
    if (text)
        maker.SetString(name, text);
    else
        maker.DeleteValue(name);
}

// The road of the 9x family. It runs only in a copy of this program that Wine tells it is
// Windows 98 (the test below); under the prefix's own NT version it is skipped.
class RunKeyRoadTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!ReportsNineX())
            GTEST_SKIP() << "runs in the copy that reports the 9x family";
        ASSERT_TRUE(m_folder.Ready());
        m_ctrl.reset(CreateServiceCtrl());
        ASSERT_NE(nullptr, dynamic_cast<CRunKeyServiceCtrl*>(m_ctrl.get()));
        m_ctrl->Remove();
        SetMakerValue("Exe", NULL);
        SetMakerValue("Start", NULL);
    }

    void TearDown() override
    {
        if (m_ctrl && OstlerWindowExists())
            m_ctrl->Stop();
        EXPECT_TRUE(WaitUntil(kWaitMs, [] { return !OstlerMutexExists(); }));
    }

    int State(BOOL* result = NULL)
    {
        int state = 0;
        BOOL answered = m_ctrl->QueryStatus(state);
        if (result)
            *result = answered;
        return state;
    }

    RemoteServiceValues m_values;
    OstlerFolder m_folder;
    std::unique_ptr<CRemoteServiceCtrl> m_ctrl;
};

TEST_F(RunKeyRoadTest, InstallWritesTheRunValueOnly)
{
    EXPECT_EQ(CRemoteServiceCtrl::kNotInstalled, State());
    std::string missing = m_folder.Path() + "\\Missing.exe";
    ASSERT_TRUE(m_ctrl->Install("", SERVICE_AUTO_START, missing.c_str()));
    EXPECT_EQ(missing, RunValue());
    EXPECT_FALSE(ServiceInstalled());
    EXPECT_FALSE(OstlerWindowExists());
    // The kept path names no file: nothing starts.
    EXPECT_FALSE(m_ctrl->Start());

    ASSERT_TRUE(m_ctrl->Remove());
    EXPECT_EQ("<missing>", RunValue());
    EXPECT_EQ(CRemoteServiceCtrl::kNotInstalled, State());
    EXPECT_TRUE(m_ctrl->Remove());
}

TEST_F(RunKeyRoadTest, StartWithoutAPathStartsNothing)
{
    EXPECT_FALSE(m_ctrl->Start());
    EXPECT_FALSE(WaitUntil(500, OstlerWindowExists));
    EXPECT_EQ(std::string::npos, m_folder.LogSinceStart().find("S pid="));
}

TEST_F(RunKeyRoadTest, StartsFromTheMakersPathAndStopsByTheWindow)
{
    CRunKeyServiceCtrl run;
    ASSERT_TRUE(run.Install("", SERVICE_AUTO_START, m_folder.ProgramPath().c_str()));
    // A fresh controller has no path of its own: it takes "Exe".
    SetMakerValue("Exe", m_folder.ProgramPath().c_str());
    ASSERT_TRUE(m_ctrl->Start());
    ASSERT_TRUE(WaitUntil(kWaitMs, OstlerWindowExists));
    EXPECT_TRUE(WaitUntil(kWaitMs, [this] { return State() == SERVICE_RUNNING; }));
    EXPECT_TRUE(m_ctrl->IsRunning());
    EXPECT_TRUE(OstlerMutexExists());
    std::string log = m_folder.LogSinceStart();
    EXPECT_NE(std::string::npos, log.find("P plain")) << log;
    EXPECT_NE(std::string::npos, log.find("R Default.dat records=41")) << log;

    ASSERT_TRUE(m_ctrl->Stop());
    EXPECT_TRUE(WaitUntil(kWaitMs, [this] { return State() == SERVICE_STOPPED; }));
    EXPECT_TRUE(WaitUntil(kWaitMs, [] { return !OstlerWindowExists(); }));
    EXPECT_NE(std::string::npos, m_folder.LogSinceStart().find("M WM_CLOSE"));
    // Nothing left to close.
    EXPECT_FALSE(m_ctrl->Stop());
}

TEST_F(RunKeyRoadTest, RunValueWithoutStartReadsAsRunningAndFalse)
{
    ASSERT_TRUE(m_ctrl->Install("", SERVICE_AUTO_START, m_folder.ProgramPath().c_str()));
    BOOL answered = TRUE;
    EXPECT_EQ(SERVICE_RUNNING, State(&answered));
    EXPECT_FALSE(answered);
    SetMakerValue("Start", NULL);
    CRegistryKey maker;
    ASSERT_EQ(ERROR_SUCCESS, maker.Open(HKEY_LOCAL_MACHINE, kRemoteServiceKey));
    maker.SetDWORD("Start", 0);
    EXPECT_EQ(SERVICE_STOPPED, State(&answered));
    EXPECT_TRUE(answered);
    m_ctrl->Remove();
}

// A copy of this program under its own name, which Wine's per-program version setting makes
// report Windows 98; the rest of the prefix stays NT.
class NineXCopy
{
public:
    NineXCopy()
    {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(NULL, self, sizeof(self));
        m_path = m_temp.FilePath(kNineXCopy);
        CopyFileA(self, m_path.c_str(), FALSE);
        // With the service program where the test finds it beside itself.
        std::string folder(self);
        folder = folder.substr(0, folder.find_last_of('\\'));
        CreateDirectoryA(m_temp.FilePath("ostler").c_str(), NULL);
        CopyFileA((folder + "\\ostler\\Ostler.exe").c_str(), m_temp.FilePath("ostler\\Ostler.exe").c_str(), FALSE);
        m_key = std::string("Software\\Wine\\AppDefaults\\") + kNineXCopy;
        CRegistryKey key;
        key.Open(HKEY_CURRENT_USER, m_key.c_str());
        key.SetString("Version", "win98");
    }
    ~NineXCopy() { RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str()); }

    // Runs the copy with the arguments; its exit code, or -1 when it could not run in time.
    // The copy's output goes to `output`.
    int Run(const std::string& arguments, std::string& output)
    {
        std::string outputPath = m_temp.FilePath("output.txt");
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
        HANDLE file = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, 0, NULL);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = file;
        startup.hStdError = file;
        PROCESS_INFORMATION process = {};
        std::string command = "\"" + m_path + "\" " + arguments;
        BOOL started = CreateProcessA(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process);
        CloseHandle(file);
        if (!started)
            return -1;
        DWORD exitCode = (DWORD)-1;
        if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
        else
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        output = TempFolder::ReadWholeFile(outputPath);
        return (int)exitCode;
    }

private:
    TempFolder m_temp;
    std::string m_path;
    std::string m_key;
};

TEST(ServiceCtrlFactoryTest, ChoosesTheRunKeyControllerOnlyOnThe9xFamily)
{
    if (ReportsNineX())
        GTEST_SKIP() << "the copy itself";
    std::unique_ptr<CRemoteServiceCtrl> here(CreateServiceCtrl());
    EXPECT_NE(nullptr, dynamic_cast<CNtServiceCtrl*>(here.get()));

    NineXCopy copy;
    std::string output;
    EXPECT_EQ(0, copy.Run("--gtest_color=no --gtest_filter=RunKeyRoadTest.*", output)) << output;
    EXPECT_NE(std::string::npos, output.find("[  PASSED  ] 4 tests")) << output;
    EXPECT_EQ(std::string::npos, output.find("SKIPPED")) << output;
}

} // namespace
