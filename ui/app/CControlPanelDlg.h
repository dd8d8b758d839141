#pragma once

#include <afxwin.h>

#include "CAccelManager.h"
#include "CHoverToolTip.h"
#include "CNewMenu.h"
#include "TVSystemView.h"

// Sets the panel's caption to the eight bytes of wParam and lParam, in hexadecimal.
#define WM_SHOW_HEX_BYTES (WM_USER + 102)

class CAudioRenderFilter;
class CChannelEntry;
class COptionsDlg;
class CScreenToolBar;
class CTVWallWnd;
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
    enum TimeShiftState { kTimeShiftRunning, kTimeShiftPaused, kTimeShiftStopped };
    enum { kVolumeStep = 5 };

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
    // The video window lends the card to another program: a recording stops and none starts.
    void SetRecordBlocked(BOOL blocked);

    // The channel and source shown on the panel and over the picture.
    void ShowFMChannelInfo(CChannelEntry* channel);
    void ShowSourceName(int source);
    void ShowSourceLabel(int source);
    void ShowRecordFormatName(LPCTSTR text);
    void ApplySource();
    void SwitchPanelToRadio();
    void SetFavoriteView(BOOL on);

    // Recording by hand and by schedule.
    void OnRecord();
    void ToggleRecording();
    BOOL StartManualRecording();
    void StopManualRecording();
    void StopScheduledRecording();
    void ShowRecordStatus(BOOL recording);
    void SwitchRecordDisk();
    // The record-length limit: a check after the given seconds.
    void ArmRecordLengthTimer(long seconds);
    void CheckRecordLength();

    // Time shift.
    void StartTimeShift();
    void StopTimeShift();
    void SetTimeShiftButtons(TimeShiftState state);
    void OnTimeShiftTimer();

    // Volume: the play line's, or the time-shift sound's while time shift runs.
    void SetVolume(int volume);
    void StepVolume(int delta);

    // Digit entry: a typed digit, and the index it makes.
    void OnDigit(int digit);
    void CommitDigits(int index);

    // The recording indicator over the picture.
    void StartBlink();
    void OnBlink();
    void StopBlink();
    BOOL IsRecordPaused();

    // The daily shutdown.
    void ArmShutdownClock(const CTime& time, BOOL enabled);
    // fromTimer: the check timer 26 brought, which may come a little after the time.
    void CheckShutdownClock(BOOL fromTimer = FALSE);
    // TRUE when the user let the shutdown go ahead: the program has ended its TV system.
    BOOL RunAutoShutdown();

    // The program's exit as the panel's power button asks it.
    // FALSE when the user chose to keep a recording going.
    BOOL ExitCommand();
    // The video window is closing: the panel's last act.
    void PrepareExit();
    void RememberPanelRect();

    // ---- Shortcuts, tooltips and skin walking ----
    // The shortcut table from "Accel.txt" in the program directory, or the defaults written
    // back when it is missing or damaged; then built for the panel.
    void LoadAccelerators();
    BOOL SaveAccelerators();
    void SetDefaultAccelerators();
    int AddDefaultCommand(DWORD group, WORD id, UINT nameId, UINT commentId);
    BOOL AddDefaultKey(WORD id, WORD key, BYTE modifiers = 0);
    BOOL AddKeyByName(LPCTSTR name, BYTE fVirt, WORD key);
    BOOL RemoveKeyByName(LPCTSTR name, LPCTSTR keyText);
    CAccelManager& GetAccelManager() { return m_accel; }
    // After an edit of the table: the panel translates with the table built anew.
    BOOL RebuildAccelerators();
    HACCEL GetAccelTable() const { return m_hAccel; }
    void CreateToolTips();
    CHoverToolTip& GetToolTip() { return m_toolTip; }
    // The tooltip of a panel control takes a string-table text.
    void SetToolText(UINT control, UINT textId);
    // The record-format radio items and label 1083, and the FM-format radio items.
    void SyncFormatMenus();
    void NextSkin();
    void ShowColorDialog(BOOL show);
    void PlaceColorDialog();

    BOOL IsOptionsMenuVisible() const;
    // Scan steps the options menu follows.
    void NotifyScanProgress(int low, int high, int frequency);
    void ScanFinished();
    // The screen tool bar along the top of a full-screen picture, and the TV wall.
    void ShowScreenToolBar() { ShowFromVideo(TRUE); }
    void ShowFromVideo(BOOL show);
    // A visible bar, found by its title, is closed.
    void CloseScreenToolBar();
    BOOL IsScreenToolBarVisible() const;
    CScreenToolBar& GetScreenToolBar() { return *m_pScreenToolBar; }
    CTVWallWnd& GetTVWall() { return *m_pWall; }
    // A settings dialog or the channel list runs modally.
    BOOL IsSettingsOpen() const { return m_pSettingsDlg != NULL || m_pChannelListDlg != NULL; }

    CNewMenu& GetPanelMenu() { return m_panelMenu; }
    CNewMenu& GetFormatMenu() { return m_formatMenu; }
    CNewMenu& GetFMFormatMenu() { return m_fmFormatMenu; }
    int GetRecordMode() const { return m_nRecordMode; }
    BOOL IsTwoDigitMode() const { return m_bTwoDigits; }
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
    void ShowVolume(int volume);
    void ShowMessage(UINT textId, UINT captionId = 0);
    CAudioRenderFilter* GetTimeShiftSound();
    void CheckAspectItems();
    void ShowDigitEntry();
    BOOL IsWallVisible() const;
    BOOL IsBusy() const;
    void StepChannel(int step);

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnPlayback();
    afx_msg void OnBrowse();
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg LRESULT OnRemoteKey(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDiskSpaceLow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTVWallClosed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowHexBytes(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScheduleEvent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnChannelUp();
    afx_msg void OnChannelDown();
    afx_msg void OnLastChannel();
    afx_msg void OnSnapshot();
    afx_msg void OnRecordCommand();
    afx_msg void OnTVWall();
    afx_msg void OnSearch();
    afx_msg void OnSetup();
    afx_msg void OnSwitchSource();
    afx_msg void OnFavorite();
    afx_msg void OnMute();
    afx_msg void OnShowHidePanel();
    afx_msg void OnHelp();
    afx_msg void OnAbout();
    afx_msg void OnFormatMenu();
    afx_msg void OnColorDialog();
    afx_msg void OnPauseRecord();
    afx_msg void OnChannelList();
    afx_msg void OnReserved();
    afx_msg void OnOptionsMenu();
    afx_msg void OnDigitMode();
    afx_msg void OnRecordFormat(UINT id);
    afx_msg void OnTopMost();
    afx_msg void OnFullScreen();
    afx_msg void OnHalfSize();
    afx_msg void OnNormalSize();
    afx_msg void OnAspect(UINT id);
    afx_msg void OnVolumeUp();
    afx_msg void OnVolumeDown();
    afx_msg void OnFMFormat(UINT id);
    afx_msg void OnFMCustomFormat();
    afx_msg void OnTimeShift();
    afx_msg void OnTimeShiftPause();
    afx_msg void OnUpdateShowPanel(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTimeShift(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFullScreen(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePause(CCmdUI* pCmdUI);
    afx_msg void OnNextSkin();
    afx_msg void OnMove(int x, int y);
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

    // The screen tool bar and the TV wall.
    friend class CScreenToolBar;
    CScreenToolBar* m_pScreenToolBar;
    CTVWallWnd* m_pWall;
    void CreateWallAndToolBar();
    // The screen tool bar when it is up; NULL otherwise.
    CScreenToolBar* VisibleToolBar() const;

    int m_nRecordMode = kNoRecord;
    CTime m_recordStart;
    BOOL m_bUserMute = FALSE;
    BOOL m_bBlinkOn = FALSE;
    BOOL m_bRecordButtonWait = FALSE;
    BOOL m_bRecordBlocked = FALSE;

    // The scheduled recording running: what its start changed, and what it asked for.
    BOOL m_bScheduleSavedMute = FALSE;
    int m_nScheduleSavedSource = 0;
    float m_fScheduleFrequency = 0;
    BOOL m_bShutdownAfterRecord = FALSE;

    BOOL m_bShutdownEnabled = FALSE;
    CTime m_shutdownTime;

    int m_nTimeShiftVolume = -1;
    int m_nTimeShiftSeconds = 0;
    int m_nTimeShiftPlayVolume = -1;
    BOOL m_bTimeShiftMuted = FALSE;
    CWnd* m_pSettingsDlg = NULL;
    CWnd* m_pChannelListDlg = NULL;
    CWnd* m_pAboutDlg = NULL;

    // The shortcut table and the panel's tooltips.
    CAccelManager m_accel;
    CHoverToolTip m_toolTip;

    CSkin* m_pSkin = NULL;
    CSkin* m_pColorSkin = NULL;
    HICON m_hIcon = NULL;
};

extern CControlPanelDlg theControlPanel;
