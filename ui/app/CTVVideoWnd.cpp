#include "CTVVideoWnd.h"

#include <algorithm>

#include "AppMessages.h"
#include "CChannelPage.h"
#include "CControlPanelDlg.h"
#include "COptionsDlg.h"
#include "CTvApp.h"
#include "PathUtil.h"
#include "TVSystem.h"
#include "resource.h"

namespace {
const char kPlacementEntry[] = "VideoPlayerWindowPos";
const int kNormalWidth = 640, kNormalHeight = 480;
const int kOverlayMargin = 5;

void PostKeyTo(CWnd& window, const MSG* msg)
{
    if (window.GetSafeHwnd() != NULL)
        window.PostMessage(WM_KEYDOWN, msg->wParam, msg->lParam);
}
}

BEGIN_MESSAGE_MAP(CTVVideoWnd, CSkinDialog)
    ON_WM_RBUTTONUP()
    ON_WM_SIZE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOVE()
    ON_WM_CLOSE()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_QUERYDRAGICON()
    ON_WM_ERASEBKGND()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_SCAN_PROGRESS, OnScanProgress)
    ON_MESSAGE(WM_SCAN_DONE, OnScanDone)
    ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
    ON_MESSAGE(WM_QUIT_REQUEST, OnQuitRequest)
    ON_MESSAGE(WM_RELEASE_DEVICE, OnReleaseDevice)
    ON_MESSAGE(WM_RESUME_DEVICE, OnResumeDevice)
END_MESSAGE_MAP()

CTVVideoWnd::CTVVideoWnd() : CSkinDialog(IDD_VIDEO_WINDOW)
{
    m_overlays = {&m_channelOsd, &m_recordOsd, &m_statusOsd, &m_sourceOsd,
                  &m_digitOsd, &m_progressOsd, &m_scanOsd};
}

CTVVideoWnd::~CTVVideoWnd()
{
}

BOOL CTVVideoWnd::OnInitDialog()
{
    SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM);
    SetCaptionBitmaps(IDB_CAPTION_LEFT, IDB_CAPTION_RIGHT, IDB_CAPTION_MIDDLE);
    SetMinButtonBitmaps(IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED);
    SetMaxButtonBitmaps(IDB_MAX_NORMAL, IDB_MAX_HOVER, IDB_MAX_PRESSED);
    SetCloseButtonBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED);

    m_hIcon = AfxGetApp() != NULL ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : NULL;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CString title;
    if (!title.LoadString(IDS_VIDEO_WINDOW_TITLE))
        title = "Video Window";
    SetWindowText(title);
    ShowWindow(SW_HIDE);
    CSkinDialog::OnInitDialog();

    StartTV();
    RestorePlacement();
    return TRUE;
}

void CTVVideoWnd::StartTV()
{
    if (!m_scanTitle.LoadString(IDS_SCAN_TITLE))
        m_scanTitle = "Search";
    InitOverlays();
    ShowWindow(SW_HIDE);
    theTVSystem.GetGraph().SetOwnerWnd(m_hWnd);
    theTVSystem.SetVideoInput(m_hWnd);
    theControlPanel.Create(IDD_CONTROL_PANEL, this);
    theTVSystem.RebuildPreview();
    theTVSystem.ApplyColorSettings();
    theTVSystem.GetGraph().StartRemotePoll();
    theControlPanel.ChangeSkin(theTVSystem.GetSkinName());
    theControlPanel.SyncPanel();
    theControlPanel.RestoreWindowState();
    if (CTvApp* app = GetTvApp())
        app->CloseSplash();
    theTVSystem.GetGraph().SetDeviceAudio(TRUE);
    theControlPanel.SetTimer(CControlPanelDlg::kMuteSyncTimer, 1000, NULL);
}

void CTVVideoWnd::InitOverlays()
{
    CRect client;
    GetClientRect(&client);
    for (COsdWnd* osd : m_overlays) {
        osd->Create(this);
        osd->SetAutoHide(osd == &m_scanOsd ? 0 : kOverlayHideMs);
        osd->SetColor(RGB(0, 255, 0));
        LOGFONT& font = osd->GetLogFont();
        font.lfCharSet = GB2312_CHARSET;
        lstrcpynA(font.lfFaceName, "黑体", LF_FACESIZE);
    }
    for (COsdWnd* osd : {&m_channelOsd, &m_digitOsd, &m_sourceOsd})
        osd->SetTextFormat(DT_RIGHT);
    for (COsdWnd* osd : {(COsdWnd*)&m_recordOsd, (COsdWnd*)&m_progressOsd})
        osd->SetTextFormat(DT_SINGLELINE | DT_BOTTOM);
    for (COsdWnd* osd : {(COsdWnd*)&m_channelOsd, (COsdWnd*)&m_recordOsd,
                         (COsdWnd*)&m_progressOsd, (COsdWnd*)&m_scanOsd}) {
        osd->SetFontHeightBounds(30, 40, 10);
        osd->SetFontHeight(client.Height());
    }
    LayoutOverlays();
}

void CTVVideoWnd::LayoutOverlays()
{
    // Room for the screen tool bar along the top when it is up.
    const BOOL toolBar = theControlPanel.IsScreenToolBarVisible();
    int top = toolBar ? 45 : 5;
    for (COsdWnd* osd : {&m_channelOsd, &m_digitOsd, &m_statusOsd})
        osd->SetTextRect(CRect(5, top, 5, 5));
    m_sourceOsd.SetTextRect(CRect(5, toolBar ? 120 : 80, 5, 5));
    m_recordOsd.SetTextRect(CRect(5, 5, 5, 5));
    for (COsdWnd* osd : m_overlays) {
        if (osd->GetSafeHwnd() != NULL && osd->IsWindowVisible())
            osd->Reposition();
    }
}

// ---- On-screen texts ----

void CTVVideoWnd::SetChannelText(LPCTSTR text)
{
    CRect client;
    GetClientRect(&client);
    m_channelOsd.SetFontHeight(client.Height());
    m_channelOsd.SetText(text);
}

void CTVVideoWnd::ShowChannel(BOOL show)
{
    if (show && !IsWindowVisible())
        return;
    if (show)
        m_digitOsd.Show(FALSE);
    m_channelOsd.Reposition();
    m_channelOsd.Show(show);
}

void CTVVideoWnd::SetRecordText(LPCTSTR text)
{
    m_recordOsd.SetColor(RGB(255, 0, 0));
    m_recordOsd.SetText(text);
}

void CTVVideoWnd::ShowRecord(BOOL show)
{
    if (show && !IsWindowVisible())
        return;
    m_recordOsd.Reposition();
    m_recordOsd.Show(show);
}

void CTVVideoWnd::SetStatusText(LPCTSTR text)
{
    m_statusOsd.SetText(text);
}

void CTVVideoWnd::ShowStatus(BOOL show)
{
    if (show && !IsWindowVisible())
        return;
    m_statusOsd.Reposition();
    m_statusOsd.Show(show);
}

void CTVVideoWnd::SetSourceText(LPCTSTR text)
{
    m_sourceOsd.SetText(text);
}

void CTVVideoWnd::ShowSource(BOOL show)
{
    if (show && !IsWindowVisible())
        return;
    m_sourceOsd.Reposition();
    m_sourceOsd.Show(show);
}

void CTVVideoWnd::SetDigitText(LPCTSTR text)
{
    CRect client;
    GetClientRect(&client);
    m_digitOsd.SetFontHeight(client.Height());
    m_digitOsd.SetText(text);
}

void CTVVideoWnd::ShowDigit(BOOL show)
{
    if (show && !IsWindowVisible())
        return;
    if (show)
        m_channelOsd.Show(FALSE);
    m_digitOsd.Reposition();
    m_digitOsd.Show(show);
}

void CTVVideoWnd::ShowProgress(BOOL show, LPCTSTR text, int percent)
{
    if (show && !IsWindowVisible())
        return;
    if (show) {
        m_progressOsd.SetProgress(percent);
        m_progressOsd.SetText(text);
        m_progressOsd.Reposition();
        m_progressOsd.Invalidate();
    }
    m_progressOsd.Show(show);
}

void CTVVideoWnd::HideOverlays()
{
    for (COsdWnd* osd : {(COsdWnd*)&m_digitOsd, (COsdWnd*)&m_channelOsd, (COsdWnd*)&m_recordOsd,
                         (COsdWnd*)&m_statusOsd, (COsdWnd*)&m_sourceOsd,
                         (COsdWnd*)&m_progressOsd})
        osd->Show(FALSE);
    if (theTVSystem.IsScanning())
        m_scanOsd.Show(FALSE);
}

// ---- Window state ----

BOOL CTVVideoWnd::IsFullScreen() const
{
    CRect client;
    GetClientRect(&client);
    // Wine's full-screen height exceeds the screen; Windows' never does.
    int fullHeight = std::min(::GetSystemMetrics(SM_CYFULLSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return client.Width() >= ::GetSystemMetrics(SM_CXFULLSCREEN) && client.Height() >= fullHeight;
}

void CTVVideoWnd::SetTopMost(BOOL on)
{
    ::SetWindowPos(m_hWnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_bTopMost = on;
}

void CTVVideoWnd::SetVideoSize(int cx, int cy)
{
    if (IsZoomed())
        ShowWindow(SW_RESTORE);
    SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
}

void CTVVideoWnd::SetNormalSize()
{
    SetVideoSize(kNormalWidth, kNormalHeight);
    CRect window;
    GetWindowRect(&window);
    int x = (::GetSystemMetrics(SM_CXSCREEN) - window.Width()) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - window.Height()) / 2;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CTVVideoWnd::ToggleFullScreen()
{
    ShowWindow(IsZoomed() || IsFullScreen() ? SW_RESTORE : SW_MAXIMIZE);
}

void CTVVideoWnd::RestoreAspect()
{
    SetAspectRatio(theTVSystem.GetSettings().videoRatio);
    SetTopMost(theTVSystem.GetSettings().topMost);
}

void CTVVideoWnd::ShowVideoCursor(BOOL show)
{
    if (show) {
        if (!m_bCursorShown)
            ::ShowCursor(TRUE);
    } else {
        if (m_bCursorShown)
            ::ShowCursor(FALSE);
    }
    if (m_cursorTimer != 0) {
        KillTimer(kCursorTimer);
        m_cursorTimer = 0;
    }
    m_bCursorShown = show;
}

void CTVVideoWnd::SetCursorAutoHide(BOOL on)
{
    m_bCursorAutoHide = on;
    if (!on)
        ShowVideoCursor(TRUE);
}

void CTVVideoWnd::StopCursorTimer()
{
    if (m_cursorTimer != 0) {
        KillTimer(kCursorTimer);
        m_cursorTimer = 0;
    }
}

void CTVVideoWnd::RestorePlacement()
{
    BYTE flags = GetTvApp() != NULL ? GetTvApp()->GetStartFlags() : (BYTE)CTvApp::kFirstRun;
    WINDOWPLACEMENT* placement = NULL;
    UINT bytes = 0;
    CWinApp* app = AfxGetApp();
    if (app != NULL)
        app->GetProfileBinary("Settings", kPlacementEntry, (LPBYTE*)&placement, &bytes);
    BOOL stored = placement != NULL && bytes == sizeof(WINDOWPLACEMENT);
    if (stored && placement->showCmd == SW_HIDE)
        placement->showCmd = SW_SHOWNORMAL;

    if (flags & CTvApp::kStartFullScreen) {
        if (stored)
            SetWindowPlacement(placement);
        ShowWindow(SW_MAXIMIZE);
    } else if (!(flags & (CTvApp::kFirstRun | CTvApp::kScreenChanged))) {
        if (stored)
            SetWindowPlacement(placement);
        else
            ShowWindow(SW_MAXIMIZE);
    } else {
        SetNormalSize();
        ShowWindow(SW_SHOW);
        if (theControlPanel.GetSafeHwnd() != NULL) {
            CRect video, panel;
            GetWindowRect(&video);
            theControlPanel.GetWindowRect(&panel);
            int x = (video.left + video.right) / 2 - panel.Width() / 2;
            theControlPanel.SetWindowPos(NULL, x, video.bottom, 0, 0,
                                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    delete[] (BYTE*)placement;
}

void CTVVideoWnd::RememberWindowState()
{
    CTVSettings& settings = theTVSystem.GetSettings();
    CRect window;
    GetWindowRect(&window);
    settings.fullScreen = m_bMaxState;
    settings.videoRatio = GetAspectRatio();
    settings.videoLeftTop = window.TopLeft();
    settings.videoWindowSize = window.Size();
    settings.topMost = m_bTopMost;
}

// ---- Keys ----

BOOL CTVVideoWnd::PreTranslateMessage(MSG* pMsg)
{
    // The panel's own keys are its own: with its docking style the panel can count as this
    // window's child, and a key sent back to it would come round again.
    HWND panel = theControlPanel.GetSafeHwnd();
    BOOL panelKey = panel != NULL && (pMsg->hwnd == panel || ::IsChild(panel, pMsg->hwnd));
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && !panelKey) {
        if (m_lastKey == VK_MENU && pMsg->wParam == VK_F4 && theControlPanel.GetSafeHwnd() != NULL)
            theControlPanel.SendMessage(WM_CLOSE);
        m_lastKey = (UINT)pMsg->wParam;
        PostKeyTo(theControlPanel, pMsg);
        return TRUE;
    }
    return CSkinDialog::PreTranslateMessage(pMsg);
}

// ---- Messages ----

void CTVVideoWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    ShowVideoCursor(TRUE);
    ClientToScreen(&point);
    theControlPanel.ShowPanelMenu(point);
    CSkinDialog::OnRButtonUp(nFlags, point);
}

void CTVVideoWnd::OnSize(UINT nType, int cx, int cy)
{
    CSkinDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MAXIMIZED) {
        // TV on the desktop is a maximise of its own: only where the desktop mode is set up.
        if (m_bTVOnDesktop || theTVSystem.GetSettings().overlayDesktop)
            TvOnDesktopStep();
        m_bMaxState = TRUE;
        if (theControlPanel.GetSafeHwnd() != NULL && theControlPanel.IsWindowVisible() &&
            IsFullScreen()) {
            theControlPanel.ShowPanel(FALSE);
            m_bPanelHiddenByFullScreen = TRUE;
        }
    } else if (nType == SIZE_MINIMIZED) {
        m_bMaxState = FALSE;
    } else if (nType == SIZE_RESTORED) {
        if (m_bMaxState) {
            m_bMaxState = FALSE;
            ShowVideoCursor(TRUE);
        }
        if (!IsFullScreen()) {
            ShowVideoCursor(TRUE);
            if (m_bPanelHiddenByFullScreen) {
                theControlPanel.ShowPanel(TRUE);
                m_bPanelHiddenByFullScreen = FALSE;
            }
        }
    }
    LayoutOverlays();
    if (theTVSystem.IsScanning() && IsWindowVisible())
        m_scanOsd.Show(TRUE);
    CRect client;
    GetClientRect(&client);
    theTVSystem.SetVideoPosition(client);
}

void CTVVideoWnd::TvOnDesktopStep()
{
    m_bMaxState = TRUE;
    HideOverlays();
    if (m_bTVOnDesktop) {
        theTVSystem.DeleteTimeShiftFile();
        m_bTVOnDesktop = FALSE;
        theControlPanel.SyncMenus();
        ShowWindow(SW_SHOWNORMAL);
        return;
    }
    theControlPanel.ShowPanel(FALSE);
    if (theTVSystem.SaveTimeShift()) {
        m_bTVOnDesktop = TRUE;
        SetTimer(kDesktopTimer, 100, NULL);
    }
}

void CTVVideoWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    ToggleFullScreen();
    CSkinDialog::OnLButtonDblClk(nFlags, point);
}

void CTVVideoWnd::OnMove(int x, int y)
{
    CSkinDialog::OnMove(x, y);
    for (COsdWnd* osd : m_overlays) {
        if (osd->GetSafeHwnd() != NULL)
            osd->Reposition();
    }
}

void CTVVideoWnd::OnClose()
{
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.PostMessage(WM_CLOSE);
    else
        ExitProgram();
}

void CTVVideoWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    ShowVideoCursor(TRUE);
    if (IsFullScreen()) {
        if (point.y < 3)
            theControlPanel.ShowScreenToolBar();
        m_cursorTimer = SetTimer(kCursorTimer, kCursorHideMs, NULL);
    }
    CSkinDialog::OnMouseMove(nFlags, point);
}

void CTVVideoWnd::OnDestroy()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(&placement) && AfxGetApp() != NULL)
        AfxGetApp()->WriteProfileBinary("Settings", kPlacementEntry, (LPBYTE)&placement,
                                        sizeof(placement));
    if (m_cursorTimer != 0) {
        KillTimer(kCursorTimer);
        m_cursorTimer = 0;
    }
    RememberWindowState();
    for (COsdWnd* osd : m_overlays)
        osd->DestroyWindow();
    CSkinDialog::OnDestroy();
}

void CTVVideoWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kCursorTimer:
        if (!m_bCursorAutoHide) {
            KillTimer(kCursorTimer);
            m_cursorTimer = 0;
        } else {
            BOOL panelUp = theControlPanel.GetSafeHwnd() != NULL && theControlPanel.IsWindowVisible();
            ShowVideoCursor(!theControlPanel.IsSettingsOpen() && !panelUp &&
                                    !theControlPanel.IsOptionsMenuVisible()
                                ? FALSE
                                : TRUE);
        }
        break;
    case kDesktopTimer:
        KillTimer(kDesktopTimer);
        ShowWindow(SW_MINIMIZE);
        m_bTVOnDesktop = TRUE;
        break;
    case kDesktopEndTimer:
        KillTimer(kDesktopEndTimer);
        SetNormalSize();
        m_bMaxState = FALSE;
        m_bTVOnDesktop = FALSE;
        break;
    default:
        CSkinDialog::OnTimer(nIDEvent);
    }
}

HCURSOR CTVVideoWnd::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

BOOL CTVVideoWnd::OnEraseBkgnd(CDC*)
{
    // The renderer paints the picture.
    return TRUE;
}

void CTVVideoWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CSkinDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        for (COsdWnd* osd : m_overlays) {
            if (osd->GetSafeHwnd() != NULL)
                osd->Show(FALSE);
        }
    }
    if (theControlPanel.GetSafeHwnd() != NULL)
        DockPanel(bShow);
}

// The panel sits beneath the video window as a tool window owned by it; while the video window
// is hidden the panel stands alone with a taskbar button and a system menu.
void CTVVideoWnd::DockPanel(BOOL show)
{
    CWnd& panel = theControlPanel;
    if (show) {
        if (m_hPanelOwner != NULL) {
            ::SetWindowLongPtrA(panel.m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)m_hPanelOwner);
            m_hPanelOwner = NULL;
        }
        panel.ModifyStyle(WS_SYSMENU | WS_MINIMIZEBOX, WS_CHILD);
        panel.ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    } else {
        panel.ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
        m_hPanelOwner = ::GetWindow(panel.m_hWnd, GW_OWNER);
        ::SetWindowLongPtrA(panel.m_hWnd, GWLP_HWNDPARENT, 0);
        panel.ModifyStyle(WS_CHILD, WS_SYSMENU | WS_MINIMIZEBOX);
        theControlPanel.CloseScreenToolBar();
    }
    panel.SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    panel.Invalidate();
}

// ---- Scans ----

void CTVVideoWnd::BeginScan()
{
    m_scanResults.clear();
    int low = 0, high = 0;
    theTVSystem.GetGraph().GetTunerRange(&low, &high);
    m_nScanLow = low;
    m_nScanHigh = high;
    if (theTVSystem.GetSearchMode() != 2) {
        m_nScanCount = 0;
        m_nScanLow = 0;
        m_nScanHigh = std::max(1, theTVSystem.GetScanFrequencyCount());
    }
    if (IsWindowVisible()) {
        m_scanOsd.SetProgress(0);
        m_scanOsd.SetText(m_scanTitle);
        m_scanOsd.Reposition();
        m_scanOsd.Show(TRUE);
        // The level bar moves up so that the two do not overlap.
        m_progressOsd.SetTextRect(CRect(5, 5, 5, kOverlayMargin + 35));
    }
    theControlPanel.EnableRunButtons(TRUE);
    theControlPanel.SetMute(TRUE);
}

LRESULT CTVVideoWnd::OnScanProgress(WPARAM wParam, LPARAM lParam)
{
    int frequency = (int)wParam;
    if (lParam != 0) {
        CString name;
        name.Format("Ch-%d", (int)m_scanResults.size() + 1);
        m_scanResults[frequency] = CChannelEntry(frequency, name, CChannelEntry::kAllChannels);
    }
    int value = theTVSystem.GetSearchMode() == 2 ? frequency : ++m_nScanCount;
    // No progress to show for an empty range; never outside 0..100.
    if (m_nScanHigh > m_nScanLow) {
        int percent = (int)((LONGLONG)(value - m_nScanLow) * 100 / (m_nScanHigh - m_nScanLow));
        m_scanOsd.SetProgress(std::max(0, std::min(100, percent)));
        m_scanOsd.Invalidate();
    }
    theControlPanel.NotifyScanProgress(m_nScanLow, m_nScanHigh, frequency);
    return -1;
}

LRESULT CTVVideoWnd::OnScanDone(WPARAM, LPARAM)
{
    std::vector<CChannelEntry> results;
    for (const auto& found : m_scanResults)
        results.push_back(found.second);
    theTVSystem.ApplyLocalChannels(results);
    m_scanOsd.Show(FALSE);
    m_progressOsd.SetTextRect(CRect(5, 5, 5, 5));
    m_progressOsd.Reposition();
    if (!IsFullScreen() && IsZoomed())
        ShowWindow(SW_RESTORE);
    theControlPanel.EnableRunButtons(FALSE);
    theControlPanel.SetMute(FALSE);
    theTVSystem.SelectChannelByIndex(0);
    theControlPanel.ShowChannelInfo(theTVSystem.GetCurrentChannel());
    theControlPanel.ScanFinished();
    if (CChannelPage* page = CChannelPage::GetOpenPage())
        page->OnScanFinished();
    return 0;
}

LRESULT CTVVideoWnd::OnRemoteKey(WPARAM wParam, LPARAM lParam)
{
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.SendMessage(WM_REMOTE_KEY, wParam, lParam);
    return 0;
}

LRESULT CTVVideoWnd::OnQuitRequest(WPARAM, LPARAM)
{
    WriteRunTrayWhenExit(0);
    ExitProgram();
    return 0;
}

LRESULT CTVVideoWnd::OnReleaseDevice(WPARAM, LPARAM)
{
    theControlPanel.EnableCommand(IDC_PLAYBACK, TRUE);
    theControlPanel.ShowPanel(FALSE);
    ShowWindow(SW_HIDE);
    theControlPanel.SetRecordBlocked(TRUE);
    theTVSystem.GetGraph().GetBuilder().TearDown();
    return 0;
}

LRESULT CTVVideoWnd::OnResumeDevice(WPARAM, LPARAM)
{
    if (!theTVSystem.GetGraph().RecreateGraph()) {
        ExitProgram();
        return 0;
    }
    theControlPanel.SetRecordBlocked(FALSE);
    ShowWindow(SW_SHOW);
    theControlPanel.ShowPanel(TRUE);
    return 0;
}

// ---- Exit ----

BOOL CTVVideoWnd::ExitProgram()
{
    if (theTVSystem.IsRecording() &&
        CTvApp::MessageBoxRes(m_hWnd, IDS_CONFIRM_EXIT, IDS_PRODUCT, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    theControlPanel.PrepareExit();
    theTVSystem.CloseTV();
    CSkinDialog::OnOK();
    return TRUE;
}

// ---- The maker's programs ----

CString CTVVideoWnd::ProgramFilesPath(LPCTSTR tail)
{
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    return CString(windows).Left(3) + "Program Files" + tail;
}

BOOL CTVVideoWnd::Launch(LPCTSTR path, LPCTSTR parameters, LPCTSTR folder, UINT missingId,
                         UINT failedId, BOOL muteDevice)
{
    if (!CPathUtil::FileExists(path)) {
        CTvApp::MessageBoxRes(m_hWnd, missingId, IDS_PRODUCT, MB_ICONINFORMATION);
        return FALSE;
    }
    // The movie player takes the card's sound over while it runs.
    if (muteDevice)
        theTVSystem.SetDeviceMute(TRUE);
    HINSTANCE result = ::ShellExecuteA(m_hWnd, "Open", path, parameters, folder, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 32) {
        CTvApp::MessageBoxRes(m_hWnd, failedId, IDS_PRODUCT, MB_ICONINFORMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CTVVideoWnd::LaunchPlayback()
{
    if (theTVSystem.IsScanning() || theTVSystem.IsRecording() || theTVSystem.IsTimeShiftOn())
        return FALSE;
    theControlPanel.ShowOptionsMenu(FALSE);
    CString parameters;
    parameters.Format("/P=%s /H=%d", (LPCTSTR)CPathUtil::GetShortPath(theTVSystem.GetRecordFolder()),
                      (int)(INT_PTR)m_hWnd);
    if (!Launch(ProgramFilesPath("\\Quorvex\\Reelview\\Reelview.exe"), parameters, NULL,
                IDS_PLAYER_MISSING, IDS_PLAYER_FAILED, TRUE))
        return FALSE;
    theControlPanel.EnableCommand(IDC_PLAYBACK, FALSE);
    return TRUE;
}

BOOL CTVVideoWnd::LaunchImageBrowser()
{
    theControlPanel.ShowOptionsMenu(FALSE);
    CString path = ProgramFilesPath("\\Quorvex\\Pictoscan\\Pictoscan.exe");
    CString folder = path.Left(path.ReverseFind('\\'));
    return Launch(path, theTVSystem.GetSettings().picPath, folder, IDS_BROWSER_MISSING,
                  IDS_BROWSER_FAILED);
}

BOOL CTVVideoWnd::LaunchUpdater()
{
    CString caption, server, product, user, password, parameters;
    GetWindowText(caption);
    server.LoadString(IDS_UPDATE_SERVER);
    product.LoadString(IDS_PRODUCT);
    user.LoadString(IDS_UPDATE_USER);
    password.LoadString(IDS_UPDATE_PASSWORD);
    parameters.Format("%s,%s,%s,%s,%s,%s,%s", (LPCTSTR)caption, (LPCTSTR)server, (LPCTSTR)product,
                      (LPCTSTR)user, (LPCTSTR)password, "TRUE", (LPCTSTR)theTVSystem.GetAppDir());
    return Launch(ProgramFilesPath("\\Quorvex\\Update\\Patchwell.exe"), parameters,
                  theTVSystem.GetAppDir(), IDS_UPDATER_MISSING, IDS_UPDATER_FAILED);
}
