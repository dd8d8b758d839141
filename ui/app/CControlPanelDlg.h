#pragma once

#include <afxwin.h>

#include "CNewMenu.h"
#include "TVSystemView.h"

class CChannelEntry;
class COptionsDlg;
class CSkin;

// The skinned control panel beneath the video window, and the program's main window. It keeps
// its buttons in step with the TV engine, shows the channel and the source, runs the user
// interface's periodic work on its timers and is the user interface the TV system talks to.
class CControlPanelDlg : public CDialog, public ITVSystemView
{
public:
    // Timer ids; each is the panel's own, never allocated.
    enum
    {
        kClockTimer = 24,
        kUnmuteTimer = 25,
        kShutdownTimer = 26,
        kBlinkTimer = 27,
        kRecordButtonTimer = 29,
        kMuteSyncTimer = 444,
        kTimeShiftTimer = 555,
        kRecordLengthTimer = 923,
        kButtonsTimer = 2004,
    };
    enum { kNoRecord = 0, kManualRecord = 1, kScheduledRecord = 2 };

    CControlPanelDlg();
    ~CControlPanelDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Start-up steps the video window runs once it has made the panel.
    void SyncPanel();
    void RestoreWindowState();
    // The panel's skin by name (the built-in skin or one of SkinSet.ini); FALSE keeps the old.
    BOOL ChangeSkin(const CString& name);
    BOOL ChangeColorSkin(const CString& file, const CString& dll);

    void ShowPanel(BOOL show);
    void ShowPanelMenu(CPoint screenPoint);
    void SyncMenus();
    void SyncMuteChecks();
    void EnableCommand(UINT id, BOOL enable);
    void EnableRunButtons(BOOL disable);
    void SetRecordingButtons(BOOL recording);
    void UpdatePauseButton();
    void SyncButtons();
    void SetMute(BOOL on);
    void SetRecordBlocked(BOOL blocked) { m_bRecordBlocked = blocked; }
    BOOL IsRecordBlocked() const { return m_bRecordBlocked; }

    // The channel and source shown on the panel and over the picture.
    void ShowFMChannelInfo(CChannelEntry* channel);
    void ShowSourceName(int source);
    void ShowSourceLabel(int source);
    void ShowRecordFormatName(LPCTSTR text);
    void ApplySource();
    void SwitchPanelToRadio();
    void SetFavoriteView(BOOL on);

    // The recording indicator over the picture.
    void StartBlink();
    void OnBlink();
    void StopBlink();

    // The daily shutdown.
    void ArmShutdownClock(const CTime& time, BOOL enabled);
    // fromTimer: the check timer 26 brought, which may come a little after the time.
    void CheckShutdownClock(BOOL fromTimer = FALSE);
    void RunAutoShutdown();

    // The program's exit as the panel's power button asks it.
    void ExitCommand();
    // The video window is closing: the panel's last act.
    void PrepareExit();
    void RememberPanelRect();

    BOOL IsOptionsMenuVisible() const;
    // Scan steps the options menu follows.
    void NotifyScanProgress(int low, int high, int frequency);
    void ScanFinished();
    // The screen tool bar along the top of a full-screen picture.
    void ShowScreenToolBar() {}
    void CloseScreenToolBar() {}
    // A settings dialog or the channel list runs modally.
    BOOL IsSettingsOpen() const { return m_pSettingsDlg != NULL || m_pChannelListDlg != NULL; }

    CNewMenu& GetPanelMenu() { return m_panelMenu; }
    int GetRecordMode() const { return m_nRecordMode; }
    const CTime& GetShutdownTime() const { return m_shutdownTime; }
    BOOL GetAcceleratorsEnabled() const { return m_bAccelEnabled; }

    // What the TV system tells the user interface.
    void MuteBriefly() override;
    void ShowChannelInfo(CChannelEntry* channel) override;
    void ShowFavoriteButton(BOOL favorite) override;
    BOOL IsItemEnabled(UINT id) override;
    void EnableAccelerators(BOOL enable) override;
    void BeginScan() override;
    // Nothing while scanning or recording; showing makes the picture full screen first.
    void ShowOptionsMenu(BOOL show) override;
    BOOL EnsureRemoteServiceRunning() override;

protected:
    void InitPanel();
    void RestorePanelPlacement();
    void SetLabel(UINT id, LPCTSTR text);
    void SetButtonCheck(UINT id, BOOL checked);
    void SetVolumeTrackbar(int volume);
    int GetVolumeTrackbar();
    void KillPanelTimer(UINT id);
    void StartPanelTimer(UINT id, UINT ms);
    void ArmSeconds(UINT id, long seconds);

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnPlayback();
    afx_msg void OnBrowse();
    afx_msg LRESULT OnRemoteKey(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void OnOK() override {}
    void OnCancel() override {}

    HACCEL m_hAccel = NULL;
    BOOL m_bAccelEnabled = TRUE;
    BOOL m_bDigitEnabled = FALSE;
    int m_nFirstDigit = -1;
    int m_nSecondDigit = -1;
    BOOL m_bTwoDigits = FALSE;

    CNewMenu m_panelMenu;
    CNewMenu m_formatMenu;
    CNewMenu m_fmFormatMenu;
    COptionsDlg* m_pOptionsDlg;

    int m_nRecordMode = kNoRecord;
    CTime m_recordStart;
    BOOL m_bUserMute = FALSE;
    BOOL m_bBlinkOn = FALSE;
    BOOL m_bRecordBlocked = FALSE;

    BOOL m_bShutdownEnabled = FALSE;
    CTime m_shutdownTime;

    int m_nTimeShiftVolume = -1;
    CWnd* m_pSettingsDlg = NULL;
    CWnd* m_pChannelListDlg = NULL;
    CWnd* m_pAboutDlg = NULL;

    CSkin* m_pSkin = NULL;
    CSkin* m_pColorSkin = NULL;
    HICON m_hIcon = NULL;
};

extern CControlPanelDlg theControlPanel;
