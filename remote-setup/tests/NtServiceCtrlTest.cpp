#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "NtServiceCtrl.h"
#include "OstlerFolder.h"
#include "RegistryKey.h"

namespace {

const DWORD kStateWaitMs = 20000;

// The service is installed from a test folder and removed again, whatever the test did.
class NtServiceCtrlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.Ready());
        m_ctrl.Remove();
        ASSERT_EQ(CRemoteServiceCtrl::kNotInstalled, State());
    }

    void TearDown() override
    {
        CRegistryKey switches;
        if (switches.Open(HKEY_LOCAL_MACHINE, "Software\\Sim\\ostler") == ERROR_SUCCESS)
            switches.DeleteValue("StopDelayMs");
        m_ctrl.Remove();
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == CRemoteServiceCtrl::kNotInstalled; }))
            << "a service was left installed";
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerWindowExists(); }));
        // The service's process outlives its window by its stop delay: the road tests after
        // these take any copy still holding the mutex for one of their own.
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerMutexExists(); }));
    }

    int State()
    {
        int state = 0;
        EXPECT_TRUE(m_ctrl.QueryStatus(state));
        return state;
    }
    bool WaitForState(int wanted)
    {
        return WaitUntil(kStateWaitMs, [this, wanted] { return State() == wanted; });
    }

    RemoteServiceValues m_values;
    OstlerFolder m_folder;
    CNtServiceCtrl m_ctrl;
};

TEST_F(NtServiceCtrlTest, InstallsStartsStopsAndRemovesTheService)
{
    ASSERT_TRUE(m_ctrl.Install("ignored", SERVICE_AUTO_START, m_folder.ProgramPath().c_str()));
    InstalledService installed = InstalledService::Read();
    ASSERT_TRUE(installed.found);
    EXPECT_EQ(0x110u, installed.type);
    EXPECT_EQ((DWORD)SERVICE_AUTO_START, installed.startType);
    EXPECT_EQ((DWORD)SERVICE_ERROR_NORMAL, installed.errorControl);
    EXPECT_EQ(m_folder.ProgramPath(), installed.binaryPath);
    EXPECT_EQ("Quorvex Remote Control Service", installed.displayName);
    EXPECT_EQ(SERVICE_STOPPED, State());
    EXPECT_FALSE(m_ctrl.IsRunning());
    // Installed but not running: stopping is no fault (1062).
    EXPECT_TRUE(m_ctrl.Stop());
    EXPECT_FALSE(m_ctrl.Install("again", SERVICE_AUTO_START, m_folder.ProgramPath().c_str()));

    ASSERT_TRUE(m_ctrl.Start());
    ASSERT_TRUE(WaitForState(SERVICE_RUNNING));
    EXPECT_TRUE(m_ctrl.IsRunning());
    // The service's window and mutex are seen from this process, and it says it runs.
    EXPECT_TRUE(WaitUntil(kStateWaitMs, OstlerWindowExists));
    EXPECT_TRUE(OstlerMutexExists());
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return StartValue() == 1; }));
    std::string log = m_folder.LogSinceStart();
    EXPECT_NE(std::string::npos, log.find("R Service.ini Total=2")) << log;
    EXPECT_NE(std::string::npos, log.find("R WINDVR30.dat records=2")) << log;
    EXPECT_NE(std::string::npos, log.find("R mp9.dat records=1")) << log;
    EXPECT_NE(std::string::npos, log.find("R Default.dat records=41")) << log;

    // A second copy, started as a plain program, finds the mutex and ends at once.
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + m_folder.ProgramPath() + "\"";
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, kStateWaitMs));
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(1u, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_NE(std::string::npos, m_folder.LogSinceStart().find("! running"));
    EXPECT_TRUE(m_ctrl.IsRunning());

    ASSERT_TRUE(m_ctrl.Stop());
    EXPECT_TRUE(WaitForState(SERVICE_STOPPED));
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return StartValue() == 0; }));
    // The manager reports the stop before the service's process has ended and let go of
    // its window and mutex.
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerWindowExists(); }));
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerMutexExists(); }));
    EXPECT_TRUE(m_ctrl.Stop());

    ASSERT_TRUE(m_ctrl.Remove());
    EXPECT_EQ(CRemoteServiceCtrl::kNotInstalled, State());
    // Neither stopping nor removing a missing service is a fault (1060).
    EXPECT_TRUE(m_ctrl.Stop());
    EXPECT_TRUE(m_ctrl.Remove());
    EXPECT_FALSE(m_ctrl.Start());
}

TEST_F(NtServiceCtrlTest, RemovingAServiceMarkedForDeletionSucceeds)
{
    ASSERT_TRUE(m_ctrl.Install("", SERVICE_DEMAND_START, m_folder.ProgramPath().c_str()));
    // A handle kept open keeps the deleted service marked until it is closed.
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE held = OpenServiceA(manager, kRemoteServiceName, SERVICE_ALL_ACCESS);
    ASSERT_NE(nullptr, held);
    ASSERT_TRUE(DeleteService(held));
    EXPECT_TRUE(m_ctrl.Remove());
    CloseServiceHandle(held);
    CloseServiceHandle(manager);
}

// The service stays stop-pending far longer than the manager waits: the wait ends after its
// bound, the service is deleted all the same and goes when it ends.
TEST_F(NtServiceCtrlTest, DeletesAServiceThatStaysStopPendingAfterTheBoundedWait)
{
    CRegistryKey switches;
    ASSERT_EQ(ERROR_SUCCESS, switches.Open(HKEY_LOCAL_MACHINE, "Software\\Sim\\ostler"));
    switches.SetDWORD("StopDelayMs", 6000);
    ASSERT_TRUE(m_ctrl.Install("", SERVICE_DEMAND_START, m_folder.ProgramPath().c_str()));
    ASSERT_TRUE(m_ctrl.Start());
    ASSERT_TRUE(WaitForState(SERVICE_RUNNING));

    CServiceManager manager(2);
    EXPECT_TRUE(manager.DeleteService(kRemoteServiceName));
    EXPECT_EQ(SERVICE_STOP_PENDING, State());
    EXPECT_TRUE(WaitForState(CRemoteServiceCtrl::kNotInstalled));
}

} // namespace
