// Time shift: the picture paused and moved within what the time-shift file holds, with its own
// sound renderer and the position slider.
#include "CControlPanelDlg.h"

#include "AudioRenderFilter.h"
#include "CSkinButton.h"
#include "CSkinMultiSlider.h"
#include "CTVVideoWnd.h"
#include "TVSystem.h"
#include "resource.h"

namespace {
const UINT kTimeShiftTickMs = 1000;

CSkinMultiSlider* PositionSlider(CWnd* panel)
{
    CWnd* item = panel->GetDlgItem(IDC_TIMESHIFT_SLIDER);
    return item != NULL ? dynamic_cast<CSkinMultiSlider*>(CWnd::FromHandlePermanent(item->m_hWnd)) : NULL;
}

void ShowTimeShiftStatus()
{
    CString text;
    text.LoadString(IDS_TIMESHIFT);
    theVideoWnd.SetStatusText(text);
    theVideoWnd.ShowStatus(TRUE);
}
}

void CControlPanelDlg::OnTimeShift()
{
    int volume = -1;
    if (theTVSystem.GetPlayLineVolume(&volume))
        m_nTimeShiftPlayVolume = volume;
    m_bTimeShiftMuted = theTVSystem.IsPlayLineMuted();
    if (theTVSystem.IsTimeShiftOn())
        StopTimeShift();
    else
        StartTimeShift();
    if (CAudioRenderFilter* sound = GetTimeShiftSound()) {
        long level = GetVolumeTrackbar();
        sound->SetVolume(&level, TRUE);
    }
}

void CControlPanelDlg::OnTimeShiftPause()
{
    if (!theTVSystem.IsTimeShiftOn())
        return;
    if (!theTVSystem.ToggleTimeShiftPause()) {
        ShowMessage(IDS_TIMESHIFT_PAUSE_FAILED, IDS_TIMESHIFT_ERROR);
        return;
    }
    SetTimeShiftButtons(theTVSystem.GetGraph().IsTimeShiftPaused() ? kTimeShiftPaused : kTimeShiftRunning);
}

void CControlPanelDlg::StartTimeShift()
{
    ShowTimeShiftStatus();
    if (IsWallVisible() || theTVSystem.IsRecording() || theTVSystem.IsScanning() ||
        theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner)
        return;
    CString drive = theTVSystem.FindRecordDisk();
    if (drive.IsEmpty() || !theTVSystem.SelectDisk(drive)) {
        ShowMessage(IDS_TIMESHIFT_NO_SPACE, IDS_TIMESHIFT_ERROR);
        return;
    }
    theTVSystem.MutePlayLine(TRUE);
    if (!theTVSystem.StartTimeShiftRecord()) {
        ShowMessage(IDS_TIMESHIFT_START_FAILED, IDS_TIMESHIFT_ERROR);
        return;
    }
    theTVSystem.GetGraph().SelectAudioInputLine(TRUE);
    SetTimeShiftButtons(kTimeShiftRunning);
    StartPanelTimer(kTimeShiftTimer, kTimeShiftTickMs);
    ShowTimeShiftStatus();
    m_nTimeShiftVolume = GetVolumeTrackbar();
    if (CAudioRenderFilter* sound = GetTimeShiftSound()) {
        long level = m_nTimeShiftVolume;
        sound->SetVolume(&level, TRUE);
    }
    SetVolumeTrackbar(m_nTimeShiftVolume);
}

void CControlPanelDlg::StopTimeShift()
{
    if (theTVSystem.IsTimeShiftOn()) {
        // The graph's own stop clears its time-shift state before it rebuilds the preview.
        if (!theTVSystem.GetGraph().StopTimeShift()) {
            ShowMessage(IDS_TIMESHIFT_STOP_FAILED, IDS_TIMESHIFT_ERROR);
            return;
        }
        SetTimeShiftButtons(kTimeShiftStopped);
        theTVSystem.MutePlayLine(FALSE);
        theTVSystem.RebuildPreview();
        EnableCommand(IDC_MUTE, TRUE);
        m_nTimeShiftSeconds = 0;
    }
    theTVSystem.GetGraph().SelectAudioInputLine(FALSE);
    // Only a volume saved at the start goes back: -1 means none was.
    if (m_nTimeShiftVolume >= 0) {
        theTVSystem.SetPlayLineVolume(m_nTimeShiftVolume);
        SetVolumeTrackbar(m_nTimeShiftVolume);
    }
    m_nTimeShiftVolume = -1;
    theVideoWnd.ShowStatus(FALSE);
}

void CControlPanelDlg::OnTimeShiftTimer()
{
    KillPanelTimer(kTimeShiftTimer);
    CSkinMultiSlider* slider = PositionSlider(this);
    if (!theTVSystem.IsTimeShiftOn()) {
        EnableCommand(IDC_TIMESHIFT_SLIDER, FALSE);
        return;
    }
    ShowTimeShiftStatus();
    if (slider == NULL || !slider->IsDragging()) {
        LONGLONG total = 0, available = 0, current = 0;
        if (theTVSystem.GetGraph().GetTimeShiftPosition(&total, &available, &current)) {
            if (theTVSystem.GetTFReserved() == 0 || m_nTimeShiftSeconds < theTVSystem.GetTFTime()) {
                EnableCommand(IDC_TIMESHIFT_SLIDER, TRUE);
                if (slider != NULL) {
                    slider->SetRange(0, total, FALSE);
                    slider->SetSelection(0, available, FALSE);
                    slider->SetPos(current, TRUE);
                }
            } else {
                StopTimeShift();
                ShowMessage(IDS_TIMESHIFT_MAX_LENGTH, IDS_TIMESHIFT);
                return;
            }
        }
    }
    StartPanelTimer(kTimeShiftTimer, kTimeShiftTickMs);
    m_nTimeShiftSeconds++;
}

void CControlPanelDlg::SetTimeShiftButtons(TimeShiftState state)
{
    BOOL stopped = state == kTimeShiftStopped;
    SetToolText(IDC_RECORD, stopped ? IDS_RECORD_TIP : IDS_TIMESHIFT_STOP_TIP);
    SetToolText(IDC_PAUSE, stopped ? IDS_PAUSE_TIP : IDS_TIMESHIFT_PAUSE_TIP);
    EnableCommand(ID_TIMESHIFT_PAUSE, state != kTimeShiftStopped);
    BOOL free = state == kTimeShiftStopped;
    int source = theTVSystem.GetVideoSource();
    if (source == CTVSystem::kSourceTuner) {
        for (UINT id : {IDC_TV_WALL, IDC_CHANNEL_LIST, IDC_SEARCH})
            EnableCommand(id, free);
    } else if (source == CTVSystem::kSourceFm) {
        EnableCommand(IDC_TV_WALL, FALSE);
        EnableCommand(IDC_SEARCH, free);
        EnableCommand(IDC_CHANNEL_LIST, free);
    } else {
        for (UINT id : {IDC_TV_WALL, IDC_SEARCH, IDC_CHANNEL_LIST})
            EnableCommand(id, FALSE);
    }
    for (UINT id : {IDC_SWITCH_SOURCE, IDC_FORMAT, IDC_PLAYBACK, IDC_SETUP})
        EnableCommand(id, free);
    SetMute(!free);
    EnableCommand(ID_MUTE, free);
    EnableCommand(IDC_PAUSE, !free);
    for (UINT id : {IDC_RECORD, IDC_PAUSE})
        m_panelMenu.EnableMenuItem(id, MF_BYCOMMAND | (free ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    for (UINT id : {IDC_RECORD, IDC_PAUSE}) {
        CWnd* control = GetDlgItem(id);
        CSkinButton* button =
            control != NULL ? dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(control->m_hWnd)) : NULL;
        if (button == NULL)
            continue;
        button->SetStyle(1);
        button->SetCheck(id == IDC_RECORD ? !free : state == kTimeShiftPaused);
        button->Invalidate();
    }
    if (free) {
        EnableCommand(IDC_TIMESHIFT_SLIDER, FALSE);
        if (CSkinMultiSlider* slider = PositionSlider(this)) {
            // Each setter keeps the order position <= selection <= range, so they go inwards out.
            slider->SetPos(0, FALSE);
            slider->SetSelection(0, 0, FALSE);
            slider->SetRange(0, 0, TRUE);
        }
    }
    CloseScreenToolBar();
    ShowOptionsMenu(FALSE);
}
