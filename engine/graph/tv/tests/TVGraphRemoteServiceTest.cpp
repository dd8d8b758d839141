// Who reads the remote control's keys: the remote-control service when it runs, otherwise
// the capture device's own poll thread, which posts them to the device's notify window.
#include "PreviewFixture.h"

#include "AppMessages.h"
#include "FakeTVSystemView.h"
#include "CaptureDevice.h"
#include "MessageSink.h"
#include "RegistryKey.h"

namespace
{

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
// Where the prefix installs the service's control library and program.
const char kSuiteFolder[] = "C:\\Program Files\\Quorvex\\Skyvault III";

DWORD ServiceState()
{
    DWORD state = 0;
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, "RemoteControlService", SERVICE_QUERY_STATUS) : NULL;
    SERVICE_STATUS status = {};
    if (service && QueryServiceStatus(service, &status))
        state = status.dwCurrentState;
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
    return state;
}

// Stops the service a test started, as it stood in the prefix before: installed, not running.
void StopService()
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, "RemoteControlService", SERVICE_STOP | SERVICE_QUERY_STATUS) : NULL;
    SERVICE_STATUS status = {};
    if (service)
        ControlService(service, SERVICE_CONTROL_STOP, &status);
    for (int i = 0; service && i < 200 && QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED; ++i)
        Sleep(50);
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
}

class TVGraphRemoteServiceTest : public PreviewFixture
{
protected:
    void SetUp() override
    {
        PreviewFixture::SetUp();
        ASSERT_EQ(ERROR_SUCCESS, m_common.Open(HKEY_LOCAL_MACHINE, kCommonKey));
        m_hadFolder = m_common.QueryString("RemoteService", m_savedFolder) == ERROR_SUCCESS;
        CFakeTVSystemView::UseRealRemoteService(TRUE);
    }

    void TearDown() override
    {
        if (m_hadFolder)
            m_common.SetString("RemoteService", m_savedFolder);
        else
            m_common.DeleteValue("RemoteService");
        PreviewFixture::TearDown();
        CFakeTVSystemView::UseRealRemoteService(FALSE);
        StopService();
    }

    // The preview with the sink as the device's notify window, then one key from the remote.
    void PressKeyWhileWatching()
    {
        ASSERT_TRUE(m_graph.BuildPreview());
        m_graph.GetCaptureDevice()->SetNotifyWnd(m_sink.Handle());
        ASSERT_TRUE(m_graph.RebuildPreview());
        sscanf(m_card("trace mark").c_str(), "seq=%lu", &m_mark);
        m_card("key C3");
    }

    CRegistryKey m_common;
    CString m_savedFolder;
    bool m_hadFolder = false;
    MessageSink m_sink;
    unsigned long m_mark = 0;
};

TEST_F(TVGraphRemoteServiceTest, TheRunningServiceLeavesTheKeysToItself)
{
    ASSERT_TRUE(m_hadFolder) << "the prefix names the service's folder";
    EXPECT_STREQ(kSuiteFolder, (LPCTSTR)m_savedFolder);
    ASSERT_NO_FATAL_FAILURE(PressKeyWhileWatching());
    EXPECT_TRUE(m_graph.IsRemoteServiceRunning());
    EXPECT_EQ((DWORD)SERVICE_RUNNING, ServiceState());
    // Unread keys give up after 900 ms of the card's time.
    std::string answer;
    EXPECT_EQ(S_OK, m_card.Run("trace wait " + std::to_string(m_mark) + " 5000 K C3 dropped", &answer))
        << "a poll thread read the key";
    EXPECT_FALSE(m_sink.WaitFor(WM_REMOTE_KEY, 0));
}

TEST_F(TVGraphRemoteServiceTest, WithoutTheServiceThePollThreadDeliversTheKey)
{
    m_common.DeleteValue("RemoteService");
    ASSERT_NO_FATAL_FAILURE(PressKeyWhileWatching());
    EXPECT_FALSE(m_graph.IsRemoteServiceRunning());
    MSG key = {};
    ASSERT_TRUE(m_sink.WaitFor(WM_REMOTE_KEY, 5000, &key));
    EXPECT_EQ(0xC3u, key.wParam);
}

} // namespace
