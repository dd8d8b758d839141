// The panel's commands and window messages: each refuses in the states its road cannot run in,
// silently unless a message is named.
#include "CControlPanelDlg.h"

#include <commctrl.h>
#include <htmlhelp.h>

#include <algorithm>

#include "AudioRenderFilter.h"
#include "CAboutDlg.h"
#include "CChannelListDlg.h"
#include "CAudioFormatDlg.h"
#include "CColorAdjustDlg.h"
#include "CSettingsSheetDlg.h"
#include "CSkinButton.h"
#include "CScreenToolBar.h"
#include "CSkinMultiSlider.h"
#include "CTVVideoWnd.h"
#include "CTVWallWnd.h"
#include "CTvApp.h"
#include "ChannelList.h"
#include "TVSystem.h"
#include "resource.h"

extern CColorAdjustDlg theColorAdjustDlg;

BOOL CControlPanelDlg::IsBusy() const
{
    return theTVSystem.IsRecording() || theTVSystem.IsScanning() || theTVSystem.IsTimeShiftOn();
}

BOOL CControlPanelDlg::IsWallVisible() const
{
    return m_pWall->GetSafeHwnd() != NULL && m_pWall->IsWindowVisible();
}

void CControlPanelDlg::ShowMessage(UINT textId, UINT captionId)
{
    CTvApp::MessageBoxRes(m_hWnd, textId, captionId != 0 ? captionId : IDS_PRODUCT, MB_ICONINFORMATION);
}

// ---- Channels ----

// step: 1 next, -1 previous, 0 the channel watched before.
void CControlPanelDlg::StepChannel(int step)
{
    int input = theTVSystem.GetInputType();
    if (IsBusy() || input == CTVSystem::kSourceComposite || input == CTVSystem::kSourceSVideo)
        return;
    BOOL fm = input == CTVSystem::kSourceFm;
    // The recall knows the TV channels only.
    if (step == 0 && (IsWallVisible() || fm))
        return;
    CChannelGroup* group = fm ? theTVSystem.GetFMGroup() : theTVSystem.GetTVGroup();
    if (group == NULL || group->GetCount() == 0)
        return;
    MuteBriefly();
    CChannelEntry* entry = step > 0   ? theTVSystem.NextChannel()
                           : step < 0 ? theTVSystem.PrevChannel()
                                      : theTVSystem.RecallLastChannel();
    if (entry == NULL)
        return;
    theTVSystem.SelectChannel(entry);
    if (fm)
        ShowFMChannelInfo(entry);
    else
        ShowChannelInfo(entry);
}

void CControlPanelDlg::OnChannelUp()
{
    StepChannel(1);
}

void CControlPanelDlg::OnChannelDown()
{
    StepChannel(-1);
}

void CControlPanelDlg::OnLastChannel()
{
    StepChannel(0);
}

void CControlPanelDlg::OnFavorite()
{
    if (theTVSystem.GetInputType() != CTVSystem::kSourceTuner)
        return;
    SetFavoriteView(!theTVSystem.GetUseFavor());
}

// ---- Picture, source and windows ----

void CControlPanelDlg::OnSnapshot()
{
    if (theTVSystem.IsRecording() || theTVSystem.IsScanning())
        return;
    ShowOptionsMenu(FALSE);
    CString text;
    text.LoadString(theTVSystem.TakeSnapshot() ? IDS_SNAPSHOT_DONE : IDS_SNAPSHOT_FAILED);
    theVideoWnd.SetStatusText(text);
    theVideoWnd.ShowStatus(TRUE);
}

void CControlPanelDlg::OnTVWall()
{
    if (!IsItemEnabled(IDC_TV_WALL) || theTVSystem.IsScanning() || theTVSystem.IsRecording() ||
        theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner)
        return;
    ShowOptionsMenu(FALSE);
    if (theTVSystem.GetChannelCount() > 0 && m_pWall->GetSafeHwnd() != NULL) {
        // The wall takes the picture over: it runs in the selected cell.
        m_pWall->Show(theTVSystem.GetChannelCount(), theTVSystem.GetChannelIndex());
        CGraphBuilder& builder = theTVSystem.GetGraph().GetBuilder();
        builder.Pause();
        theVideoWnd.ShowWindow(SW_HIDE);
        theTVSystem.SetVideoOwner(m_pWall->m_hWnd);
        theTVSystem.SetMessageDrain(m_pWall->m_hWnd);
        builder.Run();
        EnableAccelerators(FALSE);
        theVideoWnd.ShowVideoCursor(TRUE);
        theVideoWnd.StopCursorTimer();
        ShowPanel(FALSE);
    } else if (theTVSystem.GetChannelCount() <= 0) {
        ShowMessage(IDS_WALL_EMPTY);
    }
    CloseScreenToolBar();
}

LRESULT CControlPanelDlg::OnTVWallClosed(WPARAM, LPARAM)
{
    theTVSystem.SetVideoOwner(theVideoWnd.m_hWnd);
    theTVSystem.SetMessageDrain(theVideoWnd.m_hWnd);
    CRect client;
    theVideoWnd.GetClientRect(&client);
    theTVSystem.SetVideoPosition(client);
    theVideoWnd.ShowWindow(SW_SHOW);
    EnableAccelerators(TRUE);
    theVideoWnd.SetCursorAutoHide(TRUE);
    ShowChannelInfo(theTVSystem.GetCurrentChannel());
    ShowPanel(TRUE);
    return 0;
}

void CControlPanelDlg::OnSearch()
{
    if (theTVSystem.GetUseFavor()) {
        theTVSystem.SetFMUseFavor(FALSE, 1);
        theTVSystem.SetTVUseFavor(FALSE);
    }
    int source = theTVSystem.GetVideoSource();
    if (theTVSystem.IsRecording() || source == CTVSystem::kSourceComposite ||
        source == CTVSystem::kSourceSVideo || theTVSystem.IsTimeShiftOn())
        return;
    if (theTVSystem.IsScanning()) {
        theTVSystem.StopScan();
        EnableRunButtons(FALSE);
        SetMute(FALSE);
    } else {
        theTVSystem.StartScan(source != CTVSystem::kSourceFm);
    }
    if (CWnd* button = GetDlgItem(IDC_SEARCH))
        button->Invalidate();
}

void CControlPanelDlg::OnSetup()
{
    if (theTVSystem.IsTimeShiftOn() || IsWallVisible() || theTVSystem.IsScanning() ||
        theTVSystem.IsRecording() || m_pSettingsDlg != NULL)
        return;
    if (theColorAdjustDlg.GetSafeHwnd() != NULL)
        theColorAdjustDlg.ShowWindow(SW_HIDE);
    theVideoWnd.ShowVideoCursor(TRUE);
    m_bDigitEnabled = FALSE;
    EnableAccelerators(FALSE);
    {
        // Its pages have saved into the TV system as their windows went.
        CSettingsSheetDlg sheet(this);
        m_pSettingsDlg = &sheet;
        sheet.DoModal();
        m_pSettingsDlg = NULL;
    }
    theTVSystem.SaveChannels();
    theTVSystem.SaveFMChannels();
    theTVSystem.SaveSettings();
    EnableAccelerators(TRUE);
    m_bDigitEnabled = TRUE;
    if (theVideoWnd.GetSafeHwnd() != NULL)
        ApplySource();
    theTVSystem.GetNextAutoRunTime();
}

void CControlPanelDlg::OnSwitchSource()
{
    if (theTVSystem.IsScanning() || theTVSystem.IsTimeShiftOn() || theTVSystem.IsRecording())
        return;
    if (theColorAdjustDlg.GetSafeHwnd() != NULL)
        theColorAdjustDlg.ShowWindow(SW_HIDE);
    CWaitCursor wait;
    MuteBriefly();
    theTVSystem.NextVideoSource();
    ApplySource();
    theTVSystem.SetBrightness(theTVSystem.GetBrightness());
    theTVSystem.SetContrast(theTVSystem.GetContrast());
    theTVSystem.SetSharpness(theTVSystem.GetSharpness());
    theTVSystem.SetHue(theTVSystem.GetHue());
    BOOL tuner = theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner;
    ShowFavoriteButton(tuner && theTVSystem.GetUseFavor());
    EnableCommand(IDC_CHANNEL_UP, tuner);
    EnableCommand(IDC_CHANNEL_DOWN, tuner);
}

void CControlPanelDlg::OnShowHidePanel()
{
    if (!IsWindowVisible()) {
        ShowPanel(TRUE);
        if (theColorAdjustDlg.GetSafeHwnd() != NULL)
            theColorAdjustDlg.ShowWindow(SW_HIDE);
    } else {
        ShowPanel(FALSE);
    }
    m_panelMenu.CheckMenuItem(IDC_MINIMIZE, MF_BYCOMMAND | (IsWindowVisible() ? MF_CHECKED : MF_UNCHECKED));
}

void CControlPanelDlg::OnColorDialog()
{
    if (theColorAdjustDlg.GetSafeHwnd() == NULL)
        return;
    ShowColorDialog(!theColorAdjustDlg.IsWindowVisible());
}

void CControlPanelDlg::OnChannelList()
{
    if (theTVSystem.IsTimeShiftOn() || IsWallVisible() || theTVSystem.IsScanning() ||
        theTVSystem.IsRecording() || theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner)
        return;
    CChannelListDlg list(this);
    list.SetFM(theTVSystem.GetVideoSource() == CTVSystem::kSourceFm);
    m_pChannelListDlg = &list;
    list.DoModal();
    m_pChannelListDlg = NULL;
}

void CControlPanelDlg::OnReserved()
{
}

void CControlPanelDlg::OnOptionsMenu()
{
    if (theTVSystem.IsTimeShiftOn() || theTVSystem.IsRecording())
        return;
    ShowOptionsMenu(!IsOptionsMenuVisible());
}

void CControlPanelDlg::OnHelp()
{
    CString file = theTVSystem.GetAppDir() + "\\Kavex.chm";
    if (::HtmlHelpA(::GetDesktopWindow(), file, HH_DISPLAY_TOPIC, 0) == NULL)
        AfxMessageBox(IDS_HELP_FAILED);
}

void CControlPanelDlg::OnAbout()
{
    theVideoWnd.SetCursorAutoHide(TRUE);
    theVideoWnd.ShowVideoCursor(TRUE);
    CAboutDlg about(this);
    m_pAboutDlg = &about;
    about.DoModal();
    m_pAboutDlg = NULL;
    theVideoWnd.SetCursorAutoHide(FALSE);
}

// ---- Formats ----

void CControlPanelDlg::OnFormatMenu()
{
    CNewMenu& menu = theTVSystem.GetVideoSource() == CTVSystem::kSourceFm ? m_fmFormatMenu : m_formatMenu;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

void CControlPanelDlg::OnRecordFormat(UINT id)
{
    CString name;
    if (m_formatMenu.GetMenuText(id, name))
        ShowRecordFormatName(name);
    m_formatMenu.CheckMenuRadioItem(ID_FORMAT_AVI, ID_FORMAT_HIDVD, id, MF_BYCOMMAND);
    theTVSystem.SetRecordFormat(id - ID_FORMAT_AVI);
}

void CControlPanelDlg::OnFMFormat(UINT id)
{
    m_fmFormatMenu.CheckMenuRadioItem(ID_FM_FORMAT_PCM, ID_FM_FORMAT_CUSTOM, id, MF_BYCOMMAND);
    theTVSystem.SetFMRecordFormat(id - ID_FM_FORMAT_PCM);
    CString name;
    if (m_fmFormatMenu.GetMenuText(id, name))
        ShowRecordFormatName(name);
}

void CControlPanelDlg::OnFMCustomFormat()
{
    CAudioFormatDlg dialog(this);
    if (dialog.DoModal() == IDOK)
        OnFMFormat(ID_FM_FORMAT_CUSTOM);
}

// ---- The video window's size and aspect ----

void CControlPanelDlg::CheckAspectItems()
{
    CSize ratio = theVideoWnd.GetAspectRatio();
    UINT item = ratio == CSize(4, 3) ? ID_RATIO_4_3 : ratio == CSize(16, 9) ? ID_RATIO_16_9 : ID_RATIO_FREE;
    m_panelMenu.CheckMenuRadioItem(ID_RATIO_FREE, ID_RATIO_16_9, item, MF_BYCOMMAND);
}

void CControlPanelDlg::OnTopMost()
{
    theVideoWnd.SetTopMost(!theVideoWnd.IsTopMost());
    m_panelMenu.CheckMenuItem(ID_TOPMOST, MF_BYCOMMAND | (theVideoWnd.IsTopMost() ? MF_CHECKED : MF_UNCHECKED));
}

void CControlPanelDlg::OnFullScreen()
{
    theVideoWnd.ShowWindow(theVideoWnd.IsFullScreen() ? SW_RESTORE : SW_MAXIMIZE);
    m_panelMenu.CheckMenuItem(ID_FULL_SCREEN,
                              MF_BYCOMMAND | (theVideoWnd.IsFullScreen() ? MF_CHECKED : MF_UNCHECKED));
}

void CControlPanelDlg::OnHalfSize()
{
    // The height leaves room for the frame: the picture itself is near 320 x 240.
    theVideoWnd.SetVideoSize(320, 280);
    m_panelMenu.CheckMenuItem(ID_FULL_SCREEN,
                              MF_BYCOMMAND | (theVideoWnd.IsFullScreen() ? MF_CHECKED : MF_UNCHECKED));
    theVideoWnd.CenterWindow();
    m_panelMenu.CheckMenuItem(IDC_MINIMIZE, MF_BYCOMMAND | MF_CHECKED);
    OnAspect(ID_RATIO_4_3);
}

void CControlPanelDlg::OnNormalSize()
{
    theVideoWnd.SetNormalSize();
    m_panelMenu.CheckMenuItem(ID_FULL_SCREEN,
                              MF_BYCOMMAND | (theVideoWnd.IsFullScreen() ? MF_CHECKED : MF_UNCHECKED));
    m_panelMenu.CheckMenuItem(IDC_MINIMIZE, MF_BYCOMMAND | MF_CHECKED);
    OnAspect(ID_RATIO_4_3);
}

void CControlPanelDlg::OnAspect(UINT id)
{
    theVideoWnd.SetAspectRatio(id == ID_RATIO_4_3 ? CSize(4, 3) : id == ID_RATIO_16_9 ? CSize(16, 9) : CSize(1, 1));
    CheckAspectItems();
}

// ---- Sound ----

CAudioRenderFilter* CControlPanelDlg::GetTimeShiftSound()
{
    if (!theTVSystem.IsTimeShiftOn())
        return NULL;
    return dynamic_cast<CAudioRenderFilter*>(theTVSystem.GetGraph().GetTimeShiftSound());
}

void CControlPanelDlg::OnMute()
{
    if (!theTVSystem.IsTimeShiftOn()) {
        SetMute(!theTVSystem.IsPlayLineMuted());
        return;
    }
    if (CAudioRenderFilter* sound = GetTimeShiftSound()) {
        BOOL muted = FALSE;
        sound->IsMuted(&muted);
        sound->SetMute(!muted);
    }
}

void CControlPanelDlg::ShowVolume(int volume)
{
    CString text;
    text.LoadString(IDS_VOLUME);
    // The overlay's range is 0 .. 100: the value is its own percentage.
    if (volume >= 0 && volume <= 100)
        theVideoWnd.ShowProgress(TRUE, text, volume);
}

void CControlPanelDlg::SetVolume(int volume)
{
    theTVSystem.SetPlayLineVolume(volume);
    ShowVolume(volume);
    if (CScreenToolBar* bar = VisibleToolBar())
        bar->SetVolume(volume);
}

void CControlPanelDlg::StepVolume(int delta)
{
    if (CAudioRenderFilter* sound = GetTimeShiftSound()) {
        long level = std::max(0, std::min(100, GetVolumeTrackbar() + delta));
        sound->SetVolume(&level, TRUE);
        ShowVolume((int)level);
        return;
    }
    int volume = std::max(0, std::min(100, GetVolumeTrackbar() + delta));
    SetVolumeTrackbar(volume);
    SetVolume(volume);
}

void CControlPanelDlg::OnVolumeUp()
{
    StepVolume(kVolumeStep);
}

void CControlPanelDlg::OnVolumeDown()
{
    StepVolume(-kVolumeStep);
}

void CControlPanelDlg::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* pScrollBar)
{
    CWnd* control = (CWnd*)pScrollBar;
    if (nSBCode == SB_MULTISLIDER_CHANGED) {
        // Only the position slider sends it, at the end of a drag; its lParam is no window.
        CWnd* item = GetDlgItem(IDC_TIMESHIFT_SLIDER);
        CSkinMultiSlider* slider =
            item != NULL ? dynamic_cast<CSkinMultiSlider*>(CWnd::FromHandlePermanent(item->m_hWnd)) : NULL;
        if (slider != NULL && theTVSystem.IsTimeShiftOn())
            theTVSystem.GetGraph().SetTimeShiftPosition(slider->GetPos());
        return;
    }
    if (nSBCode != SB_THUMBTRACK && nSBCode != SB_ENDSCROLL)
        return;
    if (control == NULL || control->GetDlgCtrlID() != IDC_VOLUME) {
        // The colour sliders' scrolls belong to the colour dialog.
        return;
    }
    int value = (int)control->SendMessage(TBM_GETPOS);
    if (CAudioRenderFilter* sound = GetTimeShiftSound()) {
        long level = value;
        sound->SetVolume(&level, TRUE);
        ShowVolume(value);
    } else {
        SetVolume(value);
    }
}

void CControlPanelDlg::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    CWnd* control = (CWnd*)pScrollBar;
    if ((nSBCode != SB_THUMBTRACK && nSBCode != SB_ENDSCROLL) || control == NULL ||
        control->GetDlgCtrlID() != IDC_VOLUME)
        return;
    SetVolume(100 - (int)control->SendMessage(TBM_GETPOS));
}

// ---- Digit entry ----

void CControlPanelDlg::ShowDigitEntry()
{
    CString text = "--";
    if (m_nFirstDigit >= 0)
        text.Format("%d-", m_nFirstDigit);
    theVideoWnd.SetDigitText(text);
    theVideoWnd.ShowDigit(TRUE);
}

void CControlPanelDlg::OnDigitMode()
{
    if (theTVSystem.GetInputType() != CTVSystem::kSourceTuner || theTVSystem.IsRecording() ||
        theTVSystem.IsTimeShiftOn() || theTVSystem.IsScanning())
        return;
    m_bTwoDigits = !m_bTwoDigits;
    ShowDigitEntry();
}

void CControlPanelDlg::OnDigit(int digit)
{
    if (IsBusy() || digit < 0 || digit > 9)
        return;
    if (!m_bTwoDigits) {
        CommitDigits(digit);
        return;
    }
    if (m_nFirstDigit < 0) {
        m_nFirstDigit = digit;
        ShowDigitEntry();
        return;
    }
    m_nSecondDigit = digit;
    theVideoWnd.ShowDigit(FALSE);
    CommitDigits(m_nFirstDigit * 10 + m_nSecondDigit);
}

void CControlPanelDlg::CommitDigits(int index)
{
    m_nFirstDigit = m_nSecondDigit = -1;
    if (IsBusy() || IsWallVisible() || theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner)
        return;
    MuteBriefly();
    theTVSystem.SelectChannelByIndex(index);
    ShowChannelInfo(theTVSystem.GetCurrentChannel());
}

// ---- Window messages ----

void CControlPanelDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect client;
    GetClientRect(&client);
    int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CControlPanelDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

void CControlPanelDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The panel has no caption: a press anywhere on it drags it.
    SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    CDialog::OnLButtonDown(nFlags, point);
}

void CControlPanelDlg::OnRButtonUp(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    ShowPanelMenu(screen);
    CDialog::OnRButtonUp(nFlags, point);
}

void CControlPanelDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    theVideoWnd.StopCursorTimer();
    CDialog::OnMouseMove(nFlags, point);
}

BOOL CControlPanelDlg::OnEraseBkgnd(CDC*)
{
    // The skin paints the whole panel.
    return TRUE;
}

void CControlPanelDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    // Items without an update handler keep the state EnableCommand gave them.
    if (!bSysMenu && pPopupMenu != NULL)
        AfxUpdatePopupMenu(this, pPopupMenu, NULL, FALSE);
}

void CControlPanelDlg::OnUpdateShowPanel(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsWindowVisible());
}

void CControlPanelDlg::OnUpdateTimeShift(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner && !theTVSystem.IsRecording() &&
                   !theTVSystem.IsScanning() && !IsWallVisible());
}

void CControlPanelDlg::OnUpdateFullScreen(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(theVideoWnd.IsFullScreen());
}

void CControlPanelDlg::OnUpdatePause(CCmdUI*)
{
    UpdatePauseButton();
}

LRESULT CControlPanelDlg::OnShowHexBytes(WPARAM wParam, LPARAM lParam)
{
    DWORD low = (DWORD)wParam, high = (DWORD)lParam;
    char caption[64];
    wsprintfA(caption, "%x %x %x %x %x %x %x %x", low & 0xFF, (low >> 8) & 0xFF, (low >> 16) & 0xFF,
              (low >> 24) & 0xFF, high & 0xFF, (high >> 8) & 0xFF, (high >> 16) & 0xFF, (high >> 24) & 0xFF);
    SetWindowText(caption);
    return 0;
}

void CControlPanelDlg::OnPauseRecord()
{
    if (theTVSystem.IsTimeShiftOn()) {
        OnTimeShiftPause();
        return;
    }
    theTVSystem.SetAudioOn(!theTVSystem.GetAudioOn());
    if (theTVSystem.IsRecording())
        StartBlink();
}
