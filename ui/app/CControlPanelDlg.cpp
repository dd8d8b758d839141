#include "CControlPanelDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "AppMessages.h"
#include "CAboutDlg.h"
#include "CAutoShutdownDlg.h"
#include "CColorAdjustDlg.h"
#include "COptionsDlg.h"
#include "CScreenToolBar.h"
#include "CSkin.h"
#include "CSkinButton.h"
#include "CSkinLabel.h"
#include "CTVVideoWnd.h"
#include "CTVWallWnd.h"
#include "CTvApp.h"
#include "ChannelList.h"
#include "PathUtil.h"
#include "RemoteServiceClient.h"
#include "SkinSwitch.h"
#include "TVSystem.h"
#include "Tickwell.h"
#include "resource.h"

extern CColorAdjustDlg theColorAdjustDlg;

namespace {
const char kPlacementEntry[] = "ControlPanelWindowPos";
const UINT kBlinkMs = 1200;

// The commands a running recording, time shift or scan locks.
const UINT kChannelCommands[] = {IDC_CHANNEL_UP, IDC_CHANNEL_DOWN, IDC_LAST_CHANNEL,
                                 IDC_CHANNEL_LIST, IDC_TV_WALL};
const UINT kRunCommands[] = {IDC_RECORD, IDC_SWITCH_SOURCE, IDC_TV_WALL, IDC_CHANNEL_LIST,
                             IDC_FORMAT, IDC_PLAYBACK, IDC_SETUP, IDC_SNAPSHOT};
}

BEGIN_MESSAGE_MAP(CControlPanelDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
    ON_MESSAGE(WM_DISK_SPACE_LOW, OnDiskSpaceLow)
    ON_MESSAGE(WM_TVWALL_CLOSED, OnTVWallClosed)
    ON_MESSAGE(WM_SHOW_HEX_BYTES, OnShowHexBytes)
    ON_MESSAGE(WM_SCHEDULE_EVENT, OnScheduleEvent)
    ON_COMMAND(IDC_CHANNEL_UP, OnChannelUp)
    ON_COMMAND(IDC_CHANNEL_DOWN, OnChannelDown)
    ON_COMMAND(IDC_LAST_CHANNEL, OnLastChannel)
    ON_COMMAND(IDC_SNAPSHOT, OnSnapshot)
    ON_COMMAND(IDC_RECORD, OnRecordCommand)
    ON_COMMAND(IDC_TV_WALL, OnTVWall)
    ON_COMMAND(IDC_SEARCH, OnSearch)
    ON_COMMAND(IDC_SETUP, OnSetup)
    ON_COMMAND(IDC_SWITCH_SOURCE, OnSwitchSource)
    ON_COMMAND(IDC_FAVORITE, OnFavorite)
    ON_COMMAND(IDC_MUTE, OnMute)
    ON_COMMAND(ID_MUTE, OnMute)
    ON_COMMAND(IDC_PLAYBACK, OnPlayback)
    ON_COMMAND(IDC_BROWSE, OnBrowse)
    ON_COMMAND(IDC_MINIMIZE, OnShowHidePanel)
    ON_COMMAND(IDC_HELP_BUTTON, OnHelp)
    ON_COMMAND(IDC_ABOUT, OnAbout)
    ON_COMMAND(IDC_FORMAT, OnFormatMenu)
    ON_COMMAND(IDC_POWER, OnClose)
    ON_COMMAND(IDC_COLOR, OnColorDialog)
    ON_COMMAND(IDC_PAUSE, OnPauseRecord)
    ON_COMMAND(IDC_CHANNEL_LIST, OnChannelList)
    ON_COMMAND(IDC_RESERVED, OnReserved)
    ON_COMMAND(IDC_OSD_MENU, OnOptionsMenu)
    ON_COMMAND(ID_DIGIT_MODE, OnDigitMode)
    ON_COMMAND_RANGE(ID_FORMAT_AVI, ID_FORMAT_HIDVD, OnRecordFormat)
    ON_COMMAND(ID_TOPMOST, OnTopMost)
    ON_COMMAND(ID_FULL_SCREEN, OnFullScreen)
    ON_COMMAND(ID_SIZE_HALF, OnHalfSize)
    ON_COMMAND(ID_SIZE_NORMAL, OnNormalSize)
    ON_COMMAND_RANGE(ID_RATIO_FREE, ID_RATIO_16_9, OnAspect)
    ON_COMMAND(ID_VOLUME_UP, OnVolumeUp)
    ON_COMMAND(ID_VOLUME_DOWN, OnVolumeDown)
    ON_COMMAND_RANGE(ID_FM_FORMAT_PCM, ID_FM_FORMAT_MP2, OnFMFormat)
    ON_COMMAND(ID_FM_FORMAT_CUSTOM, OnFMCustomFormat)
    ON_COMMAND(ID_TIMESHIFT, OnTimeShift)
    ON_COMMAND(ID_TIMESHIFT_PAUSE, OnTimeShiftPause)
    ON_UPDATE_COMMAND_UI(IDC_MINIMIZE, OnUpdateShowPanel)
    ON_UPDATE_COMMAND_UI(ID_TIMESHIFT, OnUpdateTimeShift)
    ON_UPDATE_COMMAND_UI(ID_FULL_SCREEN, OnUpdateFullScreen)
    ON_UPDATE_COMMAND_UI(IDC_PAUSE, OnUpdatePause)
    // Shortcuts, skins and the colour dialog's place.
    ON_COMMAND(IDC_CHANGE_SKIN, OnNextSkin)
    ON_WM_MOVE()
END_MESSAGE_MAP()

CControlPanelDlg::CControlPanelDlg() : CDialog(IDD_CONTROL_PANEL), m_pOptionsDlg(new COptionsDlg),
      m_pScreenToolBar(new CScreenToolBar), m_pWall(new CTVWallWnd)
{
}

CControlPanelDlg::~CControlPanelDlg()
{
    delete m_pOptionsDlg;
    delete m_pScreenToolBar;
    delete m_pWall;
    if (m_pSkin != NULL) {
        m_pSkin->Free();
        delete m_pSkin;
    }
    if (m_pColorSkin != NULL) {
        m_pColorSkin->Free();
        delete m_pColorSkin;
    }
}

// ---- Life ----

BOOL CControlPanelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hIcon = AfxGetApp() != NULL ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : NULL;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CString about;
    about.LoadString(IDS_ABOUTBOX);
    if (!about.IsEmpty()) {
        if (CMenu* system = GetSystemMenu(FALSE)) {
            system->AppendMenu(MF_SEPARATOR);
            system->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    InitPanel();
    EnableCommand(IDC_TIMESHIFT_SLIDER, FALSE);
    EnableCommand(ID_TIMESHIFT_PAUSE, FALSE);
    RestorePanelPlacement();
    StartPanelTimer(kButtonsTimer, 200);
    CString schedule = theTVSystem.GetAppDir() + "\\Rec.rec";
    if (Timing_Initialize(schedule, 128)) {
        Timing_RegisterMsgWnd(m_hWnd);
        Timing_StartTrigger(0);
    }
    return TRUE;
}

void CControlPanelDlg::InitPanel()
{
    m_panelMenu.LoadMenu(IDR_PANEL_MENU);
    m_formatMenu.LoadMenu(IDR_FORMAT_MENU);
    m_fmFormatMenu.LoadMenu(IDR_FM_FORMAT_MENU);
    m_bUserMute = theTVSystem.IsPlayLineMuted();
    theTVSystem.InitDisks(m_hWnd);
    CreateWallAndToolBar();
    CreateToolTips();
    theColorAdjustDlg.Create(IDD_COLOR_ADJUST, &theVideoWnd);
    CString dir = theTVSystem.GetAppDir();
    ChangeColorSkin(dir + "\\ColorSkin.ini", dir + "\\Chromabin.dll");
    LoadAccelerators();
    m_bDigitEnabled = TRUE;
    ArmShutdownClock(theTVSystem.GetShutTime(), theTVSystem.GetEnableShut());
    m_pOptionsDlg->Create(this);
}

void CControlPanelDlg::RestorePanelPlacement()
{
    CWinApp* app = AfxGetApp();
    BOOL visible = app != NULL ? app->GetProfileInt("Settings", "ShowMainPanel", 1) : TRUE;
    BYTE flags = GetTvApp() != NULL ? GetTvApp()->GetStartFlags() : (BYTE)CTvApp::kFirstRun;
    if (!(flags & (CTvApp::kFirstRun | CTvApp::kScreenChanged))) {
        WINDOWPLACEMENT* placement = NULL;
        UINT bytes = 0;
        if (app != NULL && app->GetProfileBinary("Settings", kPlacementEntry, (LPBYTE*)&placement, &bytes) &&
            bytes == sizeof(WINDOWPLACEMENT)) {
            // The panel's own visibility setting decides whether it shows.
            placement->showCmd = SW_HIDE;
            SetWindowPlacement(placement);
        }
        delete[] (BYTE*)placement;
    } else {
        if (flags & CTvApp::kFirstRun)
            ShowWindow(SW_HIDE);
        CenterWindow();
    }
    ShowPanel(visible);
}

void CControlPanelDlg::SyncPanel()
{
    int volume = 0;
    if (theTVSystem.GetPlayLineVolume(&volume))
        SetVolumeTrackbar(volume);
    SetButtonCheck(IDC_MUTE, theTVSystem.IsPlayLineMuted());
    SetLabel(IDC_CLOCK_LABEL, CTime::GetCurrentTime().Format("%H:%M:%S"));
    StartPanelTimer(kClockTimer, 1000);
    if (theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner)
        ShowSourceName(theTVSystem.GetVideoSource());
    ApplySource();
    if (theTVSystem.GetUseFavor())
        ShowFavoriteButton(TRUE);
}

void CControlPanelDlg::RestoreWindowState()
{
    theVideoWnd.RestoreAspect();
    SyncMenus();
}

void CControlPanelDlg::SyncMenus()
{
    SyncFormatMenus();
    m_panelMenu.CheckMenuItem(IDC_MINIMIZE, IsWindowVisible() ? MF_CHECKED : MF_UNCHECKED);
    SyncMuteChecks();
    CheckAspectItems();
    m_panelMenu.CheckMenuItem(ID_TOPMOST, theTVSystem.GetSettings().topMost ? MF_CHECKED : MF_UNCHECKED);
    m_panelMenu.CheckMenuItem(ID_FULL_SCREEN, theVideoWnd.IsFullScreen() ? MF_CHECKED : MF_UNCHECKED);
    UpdatePauseButton();
}

void CControlPanelDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        m_pAboutDlg = &about;
        about.DoModal();
        m_pAboutDlg = NULL;
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

void CControlPanelDlg::OnDestroy()
{
    KillPanelTimer(kClockTimer);
    theVideoWnd.HideOverlays();
    KillPanelTimer(kRecordLengthTimer);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(&placement) && AfxGetApp() != NULL)
        AfxGetApp()->WriteProfileBinary("Settings", kPlacementEntry, (LPBYTE)&placement,
                                        sizeof(placement));
    Timing_StopTrigger(0);
    Timing_Uninitialize();
    CDialog::OnDestroy();
}

void CControlPanelDlg::OnClose()
{
    theVideoWnd.HideOverlays();
    theVideoWnd.ExitProgram();
}

void CControlPanelDlg::OnPlayback()
{
    if (theTVSystem.IsRecording() || theTVSystem.IsTimeShiftOn() || theTVSystem.IsScanning() ||
        !IsItemEnabled(IDC_PLAYBACK))
        return;
    CloseScreenToolBar();
    theVideoWnd.LaunchPlayback();
}

void CControlPanelDlg::OnBrowse()
{
    if (theTVSystem.IsScanning() || theTVSystem.IsRecording())
        return;
    theVideoWnd.LaunchImageBrowser();
    CloseScreenToolBar();
}

BOOL CControlPanelDlg::ExitCommand()
{
    return theVideoWnd.ExitProgram();
}

void CControlPanelDlg::PrepareExit()
{
    Timing_CancelItem(0);
    theTVSystem.GetGraph().MutePlayLine(TRUE);
    theTVSystem.GetNextAutoRunTime();
    if (theTVSystem.HasActiveSchedule()) {
        theTVSystem.EnableAutoLogon(TRUE);
        theTVSystem.SetAutoRunFlag(TRUE);
    } else {
        theTVSystem.ReadAutoLogon();
    }
    if (AfxGetApp() != NULL)
        AfxGetApp()->WriteProfileInt("Settings", "ShowMainPanel", IsWindowVisible());
    RememberPanelRect();
    for (CWnd* dialog : {m_pAboutDlg, m_pSettingsDlg, m_pChannelListDlg}) {
        if (dialog != NULL && dialog->GetSafeHwnd() != NULL)
            dialog->SendMessage(WM_CLOSE);
    }
    ShowPanel(FALSE);
    theColorAdjustDlg.ShowWindow(SW_HIDE);
    if (theTVSystem.IsRecording())
        theTVSystem.StopRecording();
    else if (theTVSystem.IsScanning())
        theTVSystem.StopScan();
    theTVSystem.SwitchToRadio(FALSE);
    theVideoWnd.ShowWindow(SW_HIDE);
    theTVSystem.GetGraph().MutePlayLine(FALSE);
    CDialog::OnOK();
}

void CControlPanelDlg::RememberPanelRect()
{
    if (GetSafeHwnd() == NULL)
        return;
    CRect window;
    GetWindowRect(&window);
    theTVSystem.GetSettings().controlLeftTop = window.TopLeft();
    theTVSystem.GetSettings().showControl = IsWindowVisible();
}

// ---- Skins ----

BOOL CControlPanelDlg::ChangeSkin(const CString& name)
{
    CString dir = theTVSystem.GetAppDir() + "\\";
    CString element, dll, colorFile, colorDll;
    if (name.CompareNoCase(theTVSystem.GetBaseSkinName()) == 0) {
        element = dir + "Skin.ini";
        dll = dir + "Vellumpack.dll";
        colorFile = dir + "ColorSkin.ini";
        colorDll = dir + "Chromabin.dll";
    } else {
        CString listedIni, listedDll;
        theTVSystem.GetSkinList().GetSkinFiles(name, listedIni, listedDll);
        element = dir + listedIni;
        dll = dir + listedDll;
        CString folder = element.Left(element.ReverseFind('\\') + 1);
        colorFile = folder + "ColorSkin.ini";
        colorDll = folder + "Chromabin.dll";
    }
    ChangeColorSkin(colorFile, colorDll);
    BOOL loaded = CPathUtil::FileExists(element) && CPathUtil::FileExists(dll) && SwitchSkin(m_pSkin, this, element, dll);
    if (loaded)
        Invalidate();
    // A new skin's trackbar starts at its own position.
    int volume = -1;
    if (theTVSystem.GetPlayLineVolume(&volume) && volume >= 0 && volume <= 100) {
        theTVSystem.SetPlayLineVolume(volume);
        SetVolumeTrackbar(volume);
    }
    return loaded;
}

BOOL CControlPanelDlg::ChangeColorSkin(const CString& file, const CString& dll)
{
    if (!CPathUtil::FileExists(file) || !CPathUtil::FileExists(dll))
        return FALSE;
    if (theColorAdjustDlg.GetSafeHwnd() == NULL)
        return FALSE;
    return SwitchSkin(m_pColorSkin, &theColorAdjustDlg, file, dll);
}

// ---- Controls ----

void CControlPanelDlg::ShowPanel(BOOL show)
{
    ShowWindow(show ? SW_SHOW : SW_HIDE);
    if (!show && theColorAdjustDlg.GetSafeHwnd() != NULL)
        theColorAdjustDlg.ShowWindow(SW_HIDE);
}

void CControlPanelDlg::ShowPanelMenu(CPoint screenPoint)
{
    if (CMenu* popup = m_panelMenu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this);
}

void CControlPanelDlg::SetLabel(UINT id, LPCTSTR text)
{
    CWnd* control = GetDlgItem(id);
    if (control == NULL)
        return;
    // Readers of the window text and the skin's own painting both see it.
    control->SetWindowText(text);
    if (CSkinLabel* label = dynamic_cast<CSkinLabel*>(CWnd::FromHandlePermanent(control->m_hWnd)))
        label->SetText(text);
}

void CControlPanelDlg::SetButtonCheck(UINT id, BOOL checked)
{
    CWnd* control = GetDlgItem(id);
    if (control == NULL)
        return;
    if (CSkinButton* button = dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(control->m_hWnd)))
        button->SetCheck(checked);
    else
        control->SendMessage(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CControlPanelDlg::SetVolumeTrackbar(int volume)
{
    CWnd* trackbar = GetDlgItem(IDC_VOLUME);
    if (trackbar == NULL)
        return;
    int position = (trackbar->GetStyle() & TBS_VERT) ? 100 - volume : volume;
    trackbar->SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    trackbar->SendMessage(TBM_SETPOS, TRUE, position);
    trackbar->Invalidate();
}

int CControlPanelDlg::GetVolumeTrackbar()
{
    CWnd* trackbar = GetDlgItem(IDC_VOLUME);
    if (trackbar == NULL)
        return 0;
    int position = (int)trackbar->SendMessage(TBM_GETPOS);
    return (trackbar->GetStyle() & TBS_VERT) ? 100 - position : position;
}

void CControlPanelDlg::EnableCommand(UINT id, BOOL enable)
{
    CWnd* control = GetSafeHwnd() != NULL ? GetDlgItem(id) : NULL;
    if (control != NULL && (control->IsWindowEnabled() != 0) != (enable != 0)) {
        control->EnableWindow(enable);
        if (control->IsWindowVisible())
            control->Invalidate();
    }
    if (m_panelMenu.GetSafeHmenu() != NULL)
        m_panelMenu.EnableMenuItem(id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

void CControlPanelDlg::SyncButtons()
{
    BOOL free = theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner && !theTVSystem.IsRecording() &&
                !theTVSystem.IsTimeShiftOn() && !theTVSystem.IsScanning();
    for (UINT id : kChannelCommands)
        EnableCommand(id, free);
    EnableCommand(IDC_SEARCH, theTVSystem.IsScanning() ? TRUE : free);
}

void CControlPanelDlg::SetRecordingButtons(BOOL recording)
{
    for (UINT id : {IDC_TV_WALL, IDC_SETUP, IDC_SWITCH_SOURCE, IDC_CHANNEL_LIST, IDC_SNAPSHOT,
                    IDC_SEARCH, IDC_PLAYBACK, IDC_FORMAT})
        EnableCommand(id, !recording);
    CWnd* control = GetDlgItem(IDC_RECORD);
    if (CSkinButton* button = control != NULL
                                  ? dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(control->m_hWnd))
                                  : NULL) {
        button->SetStyle(1);
        button->SetCheck(recording);
        button->Invalidate();
    }
}

void CControlPanelDlg::UpdatePauseButton()
{
    BOOL enable;
    if (theTVSystem.IsTimeShiftOn())
        enable = TRUE;
    else
        enable = theTVSystem.IsRecording() && theTVSystem.GetRecordFormat() != 0 &&
                 theTVSystem.GetRecordFormat() != 3;
    EnableCommand(IDC_PAUSE, enable);
}

void CControlPanelDlg::EnableRunButtons(BOOL disable)
{
    for (UINT id : kRunCommands)
        EnableCommand(id, !disable);
}

void CControlPanelDlg::SetMute(BOOL on)
{
    if (theTVSystem.IsTimeShiftOn())
        return;
    theTVSystem.MutePlayLine(on);
    m_bUserMute = on;
    if (CScreenToolBar* bar = VisibleToolBar())
        bar->SetMuteCheck(theTVSystem.IsPlayLineMuted());
    SyncMuteChecks();
}

void CControlPanelDlg::SyncMuteChecks()
{
    BOOL muted = theTVSystem.IsPlayLineMuted();
    m_panelMenu.CheckMenuItem(ID_MUTE, MF_BYCOMMAND | (muted ? MF_CHECKED : MF_UNCHECKED));
    SetButtonCheck(IDC_MUTE, muted);
}

void CControlPanelDlg::MuteBriefly()
{
    theTVSystem.MutePlayLine(TRUE);
    ::Sleep(100);
    StartPanelTimer(kUnmuteTimer, 600);
}

BOOL CControlPanelDlg::IsItemEnabled(UINT id)
{
    CWnd* control = GetSafeHwnd() != NULL ? GetDlgItem(id) : NULL;
    return control != NULL && control->IsWindowEnabled();
}

void CControlPanelDlg::EnableAccelerators(BOOL enable)
{
    m_bAccelEnabled = enable;
}

void CControlPanelDlg::BeginScan()
{
    theVideoWnd.BeginScan();
}

BOOL CControlPanelDlg::EnsureRemoteServiceRunning()
{
    return CRemoteServiceClient::EnsureRemoteServiceRunning();
}

// ---- Channel and source ----

void CControlPanelDlg::ShowChannelInfo(CChannelEntry* channel)
{
    if (theTVSystem.GetVideoSource() == CTVSystem::kSourceFm) {
        ShowFMChannelInfo(channel);
        return;
    }
    if (channel == NULL) {
        SetLabel(IDC_CHANNEL_LABEL, "Channel");
        return;
    }
    // The number counts the grouped channels of the whole list, so that it stays the same
    // whichever group is shown.
    int number = -1, position = 0;
    CString name;
    CChannelList& list = theTVSystem.GetTVChannels();
    for (int i = 0; i < list.GetCount(); i++) {
        CChannelEntry* entry = list.GetAt(i);
        if (entry->IsUngrouped())
            continue;
        if (entry->GetFrequency() == channel->GetFrequency()) {
            number = position;
            name = entry->GetName();
            break;
        }
        position++;
    }
    if (number < 0) {
        number = theTVSystem.GetChannelIndex();
        name = channel->GetName();
    }
    CString text;
    text.Format("%d,", number);
    text += name;
    theVideoWnd.SetChannelText(text);
    theVideoWnd.ShowChannel(TRUE);
    if (m_pScreenToolBar->GetSafeHwnd() != NULL)
        m_pScreenToolBar->SetChannelText(text);
    SetLabel(IDC_CHANNEL_LABEL, text);
}

void CControlPanelDlg::ShowFMChannelInfo(CChannelEntry* channel)
{
    if (channel == NULL) {
        SetLabel(IDC_CHANNEL_LABEL, "Channel");
        return;
    }
    int kHz = channel->GetFrequency();
    CString text;
    text.Format("%s - %d.%02d", (LPCTSTR)channel->GetName(), kHz / 1000, kHz % 1000 / 10);
    if (m_pScreenToolBar->GetSafeHwnd() != NULL)
        m_pScreenToolBar->SetChannelText(text);
    SetLabel(IDC_CHANNEL_LABEL, text);
}

void CControlPanelDlg::ShowSourceName(int source)
{
    theVideoWnd.SetSourceText(CTVSystem::GetSourceName(source));
    theVideoWnd.ShowSource(TRUE);
}

void CControlPanelDlg::ShowSourceLabel(int source)
{
    SetLabel(IDC_CHANNEL_LABEL, CTVSystem::GetSourceName(source));
}

void CControlPanelDlg::ShowRecordFormatName(LPCTSTR text)
{
    SetLabel(IDC_FORMAT_LABEL, text);
}

void CControlPanelDlg::ShowFavoriteButton(BOOL favorite)
{
    if (CWnd* button = GetSafeHwnd() != NULL ? GetDlgItem(IDC_FAVORITE) : NULL)
        button->ShowWindow(favorite ? SW_SHOW : SW_HIDE);
}

void CControlPanelDlg::ApplySource()
{
    int source = theTVSystem.GetVideoSource();
    CTVGraph& graph = theTVSystem.GetGraph();
    if (source != CTVSystem::kSourceFm) {
        graph.GetBuilder().StopAndDisconnectAll();
        graph.SetVideoStandard(graph.GetVideoStandard());
        graph.AdjustCaptureSize();
        theTVSystem.RebuildPreview();
    } else {
        SwitchPanelToRadio();
    }
    BOOL tuner = source == CTVSystem::kSourceTuner;
    for (UINT id : {IDC_TV_WALL, IDC_SEARCH, IDC_CHANNEL_LIST})
        EnableCommand(id, tuner);
    EnableCommand(IDC_SNAPSHOT, TRUE);
    EnableCommand(IDC_COLOR, TRUE);
    if (theVideoWnd.IsWindowVisible())
        theVideoWnd.ShowWindow(SW_SHOW);
    ShowSourceName(source);
    if (graph.GetBuilder().GetState() == 0)
        theTVSystem.RebuildPreview();
    if (tuner) {
        theTVSystem.RetuneCurrentChannel();
        ShowChannelInfo(theTVSystem.GetCurrentChannel());
        SetFavoriteView(theTVSystem.GetTVUseFavor());
    } else if (source == CTVSystem::kSourceFm) {
        theTVSystem.RetuneCurrentChannel();
        ShowFMChannelInfo(theTVSystem.GetCurrentChannel());
    } else {
        ShowSourceLabel(source);
    }
}

void CControlPanelDlg::SwitchPanelToRadio()
{
    for (UINT id : {IDC_TV_WALL, IDC_SNAPSHOT, IDC_COLOR})
        EnableCommand(id, FALSE);
    EnableCommand(IDC_SEARCH, TRUE);
    EnableCommand(IDC_CHANNEL_LIST, TRUE);
    theTVSystem.SwitchToRadio(TRUE);
    ShowPanel(TRUE);
    theTVSystem.RetuneCurrentChannel();
    ShowSourceName(CTVSystem::kSourceFm);
    ShowFMChannelInfo(theTVSystem.GetCurrentChannel());
    SetFavoriteView(theTVSystem.GetFMUseFavor());
}

void CControlPanelDlg::SetFavoriteView(BOOL on)
{
    theTVSystem.SetUseFavor(on);
    if (CChannelEntry* current = theTVSystem.GetCurrentChannel())
        ShowChannelInfo(current);
    ShowFavoriteButton(theTVSystem.GetUseFavor());
}

// ---- Options menu ----

void CControlPanelDlg::ShowOptionsMenu(BOOL show)
{
    if (theTVSystem.IsScanning() || theTVSystem.IsRecording())
        return;
    if (show && !theVideoWnd.IsFullScreen())
        theVideoWnd.ShowWindow(SW_MAXIMIZE);
    m_pOptionsDlg->ShowMenu(show);
}

BOOL CControlPanelDlg::IsOptionsMenuVisible() const
{
    return m_pOptionsDlg->GetSafeHwnd() != NULL && m_pOptionsDlg->IsWindowVisible();
}

void CControlPanelDlg::NotifyScanProgress(int low, int high, int frequency)
{
    if (IsOptionsMenuVisible())
        m_pOptionsDlg->OnScanProgress(low, high, frequency);
}

void CControlPanelDlg::ScanFinished()
{
    // Only the scan progress page steps back: a scan stopped from it has left it already.
    if (IsOptionsMenuVisible() && m_pOptionsDlg->GetCurrentPage() == m_pOptionsDlg->GetPage(COptionsDlg::kScanPage))
        m_pOptionsDlg->GoToParentPage();
}

// ---- Keys ----

LRESULT CControlPanelDlg::OnRemoteKey(WPARAM, LPARAM)
{
    // Remote keys reach the program as key presses through the remote-control service.
    return 0;
}

// ---- Recording indicator ----

void CControlPanelDlg::StartBlink()
{
    m_bBlinkOn = FALSE;
    StartPanelTimer(kBlinkTimer, kBlinkMs);
    OnBlink();
}

void CControlPanelDlg::OnBlink()
{
    m_bBlinkOn = !m_bBlinkOn;
    if (!theTVSystem.IsRecording()) {
        StopBlink();
        return;
    }
    if (m_bBlinkOn) {
        CString text;
        if (IsRecordPaused()) {
            text.LoadString(IDS_RECORD_PAUSED);
        } else {
            CString record, colon;
            record.LoadString(IDS_RECORD);
            colon.LoadString(IDS_COLON);
            text = record + colon + CTVSystem::GetRecordFormatName(theTVSystem.GetRecordFormat());
        }
        theVideoWnd.SetRecordText(text);
        theVideoWnd.ShowRecord(TRUE);
    } else {
        theVideoWnd.ShowRecord(FALSE);
    }
}

BOOL CControlPanelDlg::IsRecordPaused()
{
    // The graph reports the recorded sound as on; a recording of a format with the A/V switch
    // is paused while it is off.
    int format = theTVSystem.GetRecordFormat();
    return format != CTVGraph::kRecordAvi && format != CTVGraph::kRecordMpeg4 && !theTVSystem.GetAudioOn();
}

void CControlPanelDlg::StopBlink()
{
    KillPanelTimer(kBlinkTimer);
    m_bBlinkOn = FALSE;
}

// ---- Shutdown clock ----

void CControlPanelDlg::ArmShutdownClock(const CTime& time, BOOL enabled)
{
    m_bShutdownEnabled = enabled;
    if (!enabled) {
        KillPanelTimer(kShutdownTimer);
        return;
    }
    CTime now = CTime::GetCurrentTime();
    m_shutdownTime = CTime(now.GetYear(), now.GetMonth(), now.GetDay(), time.GetHour(),
                           time.GetMinute(), time.GetSecond());
    CheckShutdownClock();
}

void CControlPanelDlg::CheckShutdownClock(BOOL fromTimer)
{
    if (!m_bShutdownEnabled) {
        KillPanelTimer(kShutdownTimer);
        return;
    }
    CTime now = CTime::GetCurrentTime();
    LONGLONG remaining = (LONGLONG)(m_shutdownTime.GetTime() - now.GetTime());
    if (remaining >= 0) {
        if (remaining < 2)
            RunAutoShutdown();
        else
            ArmSeconds(kShutdownTimer, (long)std::min(remaining, (LONGLONG)60));
        return;
    }
    if (m_shutdownTime.GetDay() != now.GetDay()) {
        m_shutdownTime = CTime(now.GetYear(), now.GetMonth(), now.GetDay(), m_shutdownTime.GetHour(),
                               m_shutdownTime.GetMinute(), m_shutdownTime.GetSecond());
        CheckShutdownClock(fromTimer);
        return;
    }
    // A check that comes just after the time (a late timer) still shuts down; a time already
    // past when armed waits for the next day.
    if (fromTimer && remaining > -60) {
        RunAutoShutdown();
        return;
    }
    ArmSeconds(kShutdownTimer, std::min(3599L - now.GetMinute() * 60 - now.GetSecond(), 60L));
}

BOOL CControlPanelDlg::RunAutoShutdown()
{
    KillPanelTimer(kShutdownTimer);
    if (theVideoWnd.IsFullScreen())
        theVideoWnd.ShowWindow(SW_RESTORE);
    CAutoShutdownDlg countdown(this);
    countdown.SetCountdownSeconds(10);
    if (countdown.DoModal() != IDOK)
        return FALSE;
    if (CTvApp* app = GetTvApp())
        app->SetShutdownOnExit(TRUE);
    return ExitCommand();
}

// ---- Timers ----

void CControlPanelDlg::StartPanelTimer(UINT id, UINT ms)
{
    SetTimer(id, ms, NULL);
}

void CControlPanelDlg::KillPanelTimer(UINT id)
{
    if (GetSafeHwnd() != NULL)
        KillTimer(id);
}

void CControlPanelDlg::ArmSeconds(UINT id, long seconds)
{
    StartPanelTimer(id, (UINT)(seconds > 0 ? seconds : 1) * 1000);
}

void CControlPanelDlg::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kClockTimer:
        SetLabel(IDC_CLOCK_LABEL, CTime::GetCurrentTime().Format("%H:%M:%S"));
        break;
    case kUnmuteTimer:
        KillPanelTimer(kUnmuteTimer);
        if (!m_bUserMute)
            theTVSystem.MutePlayLine(FALSE);
        break;
    case kShutdownTimer:
        CheckShutdownClock(TRUE);
        break;
    case kBlinkTimer:
        OnBlink();
        break;
    case kRecordButtonTimer:
        KillPanelTimer(kRecordButtonTimer);
        m_bRecordButtonWait = FALSE;
        EnableCommand(IDC_RECORD, TRUE);
        theVideoWnd.SetActiveWindow();
        break;
    case kRecordLengthTimer:
        CheckRecordLength();
        break;
    case kTimeShiftTimer:
        OnTimeShiftTimer();
        break;
    case kMuteSyncTimer:
        KillPanelTimer(kMuteSyncTimer);
        SyncMuteChecks();
        break;
    case kButtonsTimer:
        SyncButtons();
        break;
    default:
        CDialog::OnTimer(nIDEvent);
    }
}
