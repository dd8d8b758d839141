// Recording by hand and by schedule: the record button, the schedule's start and stop, the
// move to another drive when one fills up, and the length limit that cuts a long recording.
#include "CControlPanelDlg.h"

#include <algorithm>

#include "AppMessages.h"
#include "CSkinButton.h"
#include "CScreenToolBar.h"
#include "CTVVideoWnd.h"
#include "CTvApp.h"
#include "ChannelList.h"
#include "TVSystem.h"
#include "Tickwell.h"
#include "resource.h"

namespace {
const UINT kRecordButtonMs = 1000;
}

void CControlPanelDlg::OnRecordCommand()
{
    OnRecord();
}

void CControlPanelDlg::OnRecord()
{
    if (m_nRecordMode == kScheduledRecord) {
        m_fScheduleFrequency = 0;
        StopScheduledRecording();
        Timing_CancelItem(0);
        m_nRecordMode = kNoRecord;
        SetMute(m_bScheduleSavedMute);
        ShowChannelInfo(theTVSystem.GetCurrentChannel());
        return;
    }
    if (theTVSystem.IsTimeShiftOn()) {
        StopTimeShift();
        return;
    }
    // A second press within the debounce time only gives the video window its activation back.
    if (!m_bRecordButtonWait) {
        CWaitCursor wait;
        ToggleRecording();
        m_bRecordButtonWait = TRUE;
        StartPanelTimer(kRecordButtonTimer, kRecordButtonMs);
        EnableCommand(IDC_RECORD, FALSE);
    }
    HWND active = ::GetActiveWindow();
    if (active == NULL || active == m_hWnd)
        theVideoWnd.SetActiveWindow();
}

void CControlPanelDlg::ToggleRecording()
{
    if (theTVSystem.IsScanning())
        return;
    if (!theTVSystem.IsRecording()) {
        StartManualRecording();
    } else if (m_nRecordMode != kManualRecord) {
        StopScheduledRecording();
        Timing_CancelItem(0);
    } else {
        StopManualRecording();
    }
    if (CScreenToolBar* bar = VisibleToolBar())
        bar->SetRecordCheck(theTVSystem.IsRecording());
    ShowRecordStatus(theTVSystem.IsRecording());
    StartBlink();
}

BOOL CControlPanelDlg::StartManualRecording()
{
    BOOL ok = !m_bRecordBlocked && theTVSystem.StartRecording();
    if (ok) {
        SetRecordingButtons(TRUE);
        m_recordStart = CTime::GetCurrentTime();
        m_nRecordMode = kManualRecord;
        ArmRecordLengthTimer(1);
    } else {
        ShowMessage(theTVSystem.IsDiskFull() ? IDS_RECORD_NO_SPACE : IDS_RECORD_FAILED);
    }
    UpdatePauseButton();
    return ok;
}

void CControlPanelDlg::StopManualRecording()
{
    if (theTVSystem.StopRecording())
        SetRecordingButtons(FALSE);
    m_nRecordMode = kNoRecord;
    StopBlink();
    UpdatePauseButton();
}

void CControlPanelDlg::StopScheduledRecording()
{
    StopBlink();
    theTVSystem.StopRecording();
    m_nRecordMode = kNoRecord;
    UpdatePauseButton();
    SetRecordingButtons(FALSE);
    SetButtonCheck(IDC_RECORD, FALSE);
    Invalidate();
}

void CControlPanelDlg::ShowRecordStatus(BOOL recording)
{
    // The screen tool bar's record button follows when the tool bar comes.
    SetButtonCheck(IDC_RECORD, recording);
    if (!recording)
        theVideoWnd.ShowRecord(FALSE);
}

void CControlPanelDlg::SetRecordBlocked(BOOL blocked)
{
    m_bRecordBlocked = blocked;
    if (blocked && theTVSystem.IsRecording()) {
        if (m_nRecordMode == kManualRecord)
            StopManualRecording();
        else if (m_nRecordMode == kScheduledRecord)
            StopScheduledRecording();
    }
    theTVSystem.SetDiskFull(blocked);
}

// ---- The length limit ----

void CControlPanelDlg::ArmRecordLengthTimer(long seconds)
{
    ArmSeconds(kRecordLengthTimer, seconds);
}

void CControlPanelDlg::CheckRecordLength()
{
    KillPanelTimer(kRecordLengthTimer);
    if (m_nRecordMode != kManualRecord && m_nRecordMode != kScheduledRecord)
        return;
    LONGLONG elapsed = (LONGLONG)(CTime::GetCurrentTime().GetTime() - m_recordStart.GetTime());
    LONGLONG remaining = (LONGLONG)theTVSystem.GetMaxLength() * 60 - elapsed;
    BOOL restart = theTVSystem.GetSettings().excessLength == 0;
    if (m_nRecordMode == kManualRecord && (elapsed < 0 || remaining <= 1)) {
        StopManualRecording();
        m_nRecordMode = kNoRecord;
        if (restart) {
            ::Sleep(100);
            StartManualRecording();
            ArmRecordLengthTimer(1);
            StartBlink();
            m_nRecordMode = kManualRecord;
        }
        return;
    }
    if (m_nRecordMode == kScheduledRecord && (elapsed < 0 || remaining < 2)) {
        StopManualRecording();
        m_nRecordMode = kNoRecord;
        if (restart) {
            ::Sleep(100);
            theTVSystem.GetGraph().SetFrequency((DWORD)m_fScheduleFrequency);
            StartManualRecording();
            ArmRecordLengthTimer(1);
            StartBlink();
            m_nRecordMode = kScheduledRecord;
        }
        return;
    }
    ArmRecordLengthTimer((long)(std::min(remaining, (LONGLONG)60) / 2));
}

// ---- The record drive ----

LRESULT CControlPanelDlg::OnDiskSpaceLow(WPARAM wParam, LPARAM lParam)
{
    const char* root = (const char*)wParam;
    if (root == NULL || theTVSystem.GetCurDisk().CompareNoCase(root) != 0 ||
        (int)lParam > theTVSystem.GetReservedSpace())
        return 0;
    CDiskInfo* next = theTVSystem.FindDiskWithSpace(theTVSystem.GetCurDisk());
    if (next != NULL) {
        CString nextRoot = next->GetRoot();
        theTVSystem.SelectDisk(nextRoot);
        SwitchRecordDisk();
        theTVSystem.SetVideoPath(nextRoot);
    } else if (m_nRecordMode == kManualRecord) {
        StopManualRecording();
    } else if (m_nRecordMode == kScheduledRecord) {
        StopScheduledRecording();
    }
    return 0;
}

void CControlPanelDlg::SwitchRecordDisk()
{
    BOOL keepGoing = theTVSystem.GetSettings().noSpace == 0;
    if (m_nRecordMode == kManualRecord) {
        StopManualRecording();
        if (keepGoing) {
            ::Sleep(100);
            StartManualRecording();
            m_recordStart = CTime::GetCurrentTime();
            StartBlink();
        }
    } else if (m_nRecordMode == kScheduledRecord) {
        if (!keepGoing) {
            StopScheduledRecording();
        } else {
            MuteBriefly();
            StopScheduledRecording();
            ::Sleep(100);
            BOOL ok = StartManualRecording();
            theTVSystem.GetGraph().SetFrequency((DWORD)m_fScheduleFrequency);
            m_nRecordMode = kScheduledRecord;
            m_recordStart = CTime::GetCurrentTime();
            if (!ok) {
                StopScheduledRecording();
                m_nRecordMode = kNoRecord;
            }
        }
        StartBlink();
    }
}

// ---- Scheduled recordings ----

LRESULT CControlPanelDlg::OnScheduleEvent(WPARAM wParam, LPARAM lParam)
{
    HTIMINGITEM item = (HTIMINGITEM)wParam;
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    Timing_GetItemTimingParam(item, &timing);
    Timing_GetItemExcuteParam(item, &execute, sizeof(execute));
    BOOL deviceOpen = theTVSystem.GetGraph().GetCaptureDevice() != NULL;

    if (lParam == kScheduleEnded) {
        if (m_nRecordMode != kScheduledRecord)
            return 0;
        m_fScheduleFrequency = 0;
        if (deviceOpen) {
            MuteBriefly();
            theTVSystem.SetDeviceMute(TRUE);
            StopScheduledRecording();
            ::Sleep(500);
            SetMute(m_bScheduleSavedMute);
        }
        // When the user let the shutdown go ahead, the program has closed the TV system.
        if (m_bShutdownAfterRecord && RunAutoShutdown())
            return 0;
        if (m_nScheduleSavedSource != theTVSystem.GetVideoSource()) {
            theTVSystem.SetVideoSource(m_nScheduleSavedSource);
            ApplySource();
            // The switch gives the line its sound again: the mute kept from the start follows.
            if (deviceOpen)
                SetMute(m_bScheduleSavedMute);
        }
        if (theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner)
            ShowChannelInfo(theTVSystem.GetCurrentChannel());
        m_nRecordMode = kNoRecord;
        m_bShutdownAfterRecord = FALSE;
        return 0;
    }

    if (m_nRecordMode != kNoRecord) {
        Timing_CancelItem(0);
        return 0;
    }
    if (!deviceOpen || theTVSystem.IsTimeShiftOn())
        return 0;
    m_bScheduleSavedMute = theTVSystem.IsPlayLineMuted();
    if (m_pSettingsDlg != NULL) {
        m_pSettingsDlg = NULL;
        theTVSystem.SaveFMChannels();
        theTVSystem.SaveChannels();
        theTVSystem.SaveSettings();
        EnableAccelerators(TRUE);
        m_bDigitEnabled = TRUE;
        ApplySource();
        if (theTVSystem.IsScanning())
            EnableRunButtons(TRUE);
    }
    ShowOptionsMenu(FALSE);
    m_nScheduleSavedSource = theTVSystem.GetVideoSource();
    if (execute.source != theTVSystem.GetVideoSource()) {
        theTVSystem.SetVideoSource(execute.source);
        ApplySource();
    }
    if (execute.source == CTVSystem::kSourceTuner || execute.source == CTVSystem::kSourceFm) {
        theTVSystem.SetDeviceMute(TRUE);
        theTVSystem.SetFrequency(execute.source == CTVSystem::kSourceFm, (DWORD)execute.frequency);
        ::Sleep(500);
        theTVSystem.SetDeviceMute(FALSE);
        m_fScheduleFrequency = (float)execute.frequency;
        // The item keeps a channel number of the list it was made with, which may have
        // changed since: a number outside today's list shows without a name.
        CChannelList& channels = theTVSystem.GetTVChannels();
        int index = execute.channel - 1;
        CString text;
        text.Format("%d,", index);
        if (index >= 0 && index < channels.GetCount())
            text += channels.GetAt(index)->GetName();
        theVideoWnd.SetChannelText(text);
        theVideoWnd.ShowChannel(TRUE);
        SetLabel(IDC_CHANNEL_LABEL, text);
    }
    SetButtonCheck(IDC_RECORD, TRUE);
    Invalidate();
    BOOL ok = !m_bRecordBlocked && theTVSystem.StartRecording();
    m_nRecordMode = kScheduledRecord;
    if (ok) {
        SetRecordingButtons(TRUE);
        ShowRecordStatus(TRUE);
        m_recordStart = CTime::GetCurrentTime();
        StartBlink();
        ArmRecordLengthTimer(1);
        UpdatePauseButton();
        KillPanelTimer(kUnmuteTimer);
        SetMute(execute.mute);
        m_bShutdownAfterRecord = execute.shutDown;
    }
    return 0;
}
