// The main dialog's saving, the service it restarts and its service buttons, help and exit.
#include "CRemoteKeyDlg.h"

#include <shellapi.h>

namespace {

const char kServiceProgram[] = "Ostler.exe";
const char kHelpFile[] = "Tandril.chm";
// Pauses that give the service program time to end and to take its new files.
const DWORD kAfterStopMs = 200;
const DWORD kAfterInstallMs = 300;
const DWORD kAfterStartMs = 100;

BOOL IsNineXFamily()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

BOOL FileExists(const CString& path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ShowString(UINT id)
{
    CString text;
    text.LoadString(id);
    AfxMessageBox(text);
}

} // namespace

void CRemoteKeyDlg::SetModified(BOOL modified)
{
    m_apply.EnableWindow(modified);
}

BOOL CRemoteKeyDlg::IsModified() const
{
    return m_apply.IsWindowEnabled();
}

void CRemoteKeyDlg::OnApply()
{
    // Save failures are not reported: the files keep their last content.
    m_programs.Write(m_programFolder + kServiceIniFile);
    m_defaultMap.Save(m_programFolder + kDefaultKeyMapFile);
    if (m_currentSet > 0 && m_currentSet <= m_programs.GetCount())
        m_programTable.Save(KeyTablePath(m_currentSet));
    RestartService();
    SetModified(FALSE);
}

BOOL CRemoteKeyDlg::RestartService()
{
    m_serviceCtrl->Stop();
    Sleep(kAfterStopMs);
    int state = 0;
    m_serviceCtrl->QueryStatus(state);
    // The 9x family's Run value is written again even while the program runs.
    if (state != SERVICE_RUNNING || IsNineXFamily()) {
        InstallService();
        Sleep(kAfterInstallMs);
    }
    BOOL started = m_serviceCtrl->Start();
    Sleep(kAfterStartMs);
    return started;
}

BOOL CRemoteKeyDlg::InstallService()
{
    CString path = CRemoteServiceCtrl::GetServiceExePath();
    if (!FileExists(path))
        path = m_programFolder + kServiceProgram;
    if (!FileExists(path))
        return FALSE;
    return m_serviceCtrl->Install(kRemoteServiceDisplayName, SERVICE_AUTO_START, path);
}

void CRemoteKeyDlg::OnShowServiceStatus()
{
    int state = 0;
    m_serviceCtrl->QueryStatus(state);
    switch (state) {
    case SERVICE_RUNNING:
        ShowString(IDS_SERVICE_RUNNING);
        break;
    case SERVICE_STOPPED:
        ShowString(IDS_SERVICE_STOPPED);
        break;
    case CRemoteServiceCtrl::kNotInstalled:
        ShowString(IDS_SERVICE_MISSING);
        break;
    default:
        ShowString(IDS_SERVICE_UNKNOWN);
        break;
    }
}

void CRemoteKeyDlg::OnRemoveService()
{
    m_serviceCtrl->Remove();
}

void CRemoteKeyDlg::OnStartService()
{
    ShowString(m_serviceCtrl->Start() ? IDS_START_OK : IDS_START_FAIL);
}

void CRemoteKeyDlg::OnStopService()
{
    ShowString(m_serviceCtrl->Stop() ? IDS_STOP_OK : IDS_STOP_FAIL);
}

void CRemoteKeyDlg::OnHelp()
{
    ShellExecuteA(m_hWnd, "Open", m_programFolder + kHelpFile, "", "", SW_SHOWNORMAL);
}

void CRemoteKeyDlg::OnExit()
{
    if (IsModified()) {
        CString question, caption;
        question.LoadString(IDS_SAVE_QUESTION);
        caption.LoadString(IDS_SAVE_CAPTION);
        if (MessageBox(question, caption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            OnApply();
    }
    CDialog::OnOK();
}
