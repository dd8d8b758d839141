#pragma once

#include <afxwin.h>

#include <map>
#include <vector>

#include "COsdProgressWnd.h"
#include "COsdWnd.h"
#include "CSkinDialog.h"
#include "ChannelEntry.h"

// The window the TV picture is shown in, run modally by the application object: its loop is
// the program's only message loop. It hands itself to the capture graph as the video owner,
// makes the control panel, carries the on-screen texts, forwards every key press to the panel,
// shows scan progress, keeps size, full screen and aspect, and starts the maker's other
// programs.
class CTVVideoWnd : public CSkinDialog
{
public:
    enum { kCursorTimer = 30, kDesktopTimer = 800, kDesktopEndTimer = 801 };
    enum { kCursorHideMs = 2000, kOverlayHideMs = 4000 };

    CTVVideoWnd();
    ~CTVVideoWnd() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The on-screen texts. A show is carried out only while the window is visible; the channel
    // and digit texts share their place, so showing one hides the other.
    void SetChannelText(LPCTSTR text);
    void ShowChannel(BOOL show);
    void SetRecordText(LPCTSTR text);
    void ShowRecord(BOOL show);
    void SetStatusText(LPCTSTR text);
    void ShowStatus(BOOL show);
    void SetSourceText(LPCTSTR text);
    void ShowSource(BOOL show);
    void SetDigitText(LPCTSTR text);
    void ShowDigit(BOOL show);
    void ShowProgress(BOOL show, LPCTSTR text, int percent);
    void HideOverlays();
    void LayoutOverlays();
    COsdWnd& GetChannelOverlay() { return m_channelOsd; }
    COsdWnd& GetRecordOverlay() { return m_recordOsd; }
    COsdWnd& GetSourceOverlay() { return m_sourceOsd; }
    COsdWnd& GetDigitOverlay() { return m_digitOsd; }
    COsdWnd& GetStatusOverlay() { return m_statusOsd; }
    COsdProgressWnd& GetProgressOverlay() { return m_progressOsd; }
    COsdProgressWnd& GetScanOverlay() { return m_scanOsd; }

    // Window state.
    BOOL IsFullScreen() const;
    void SetTopMost(BOOL on);
    BOOL IsTopMost() const { return m_bTopMost; }
    void SetVideoSize(int cx, int cy);
    // 640 x 480, centred on the screen.
    void SetNormalSize();
    void ToggleFullScreen();
    void RestoreAspect();
    void ShowVideoCursor(BOOL show);
    void SetCursorAutoHide(BOOL on);
    // The cursor stays as it is: the hide timer is stopped.
    void StopCursorTimer();

    // A scan has started: the results are emptied and the progress shown.
    void BeginScan();
    const std::map<int, CChannelEntry>& GetScanResults() const { return m_scanResults; }

    // The maker's programs: FALSE when refused, missing or not started (the user told).
    BOOL LaunchPlayback();
    BOOL LaunchImageBrowser();
    BOOL LaunchUpdater();

    // Asks while recording, then ends the program's loop; FALSE when the user kept it.
    BOOL ExitProgram();

protected:
    void InitOverlays();
    void StartTV();
    void RestorePlacement();
    void RememberWindowState();
    void DockPanel(BOOL show);
    void TvOnDesktopStep();
    // The Windows folder's drive root + "Program Files" + tail.
    static CString ProgramFilesPath(LPCTSTR tail);
    BOOL Launch(LPCTSTR path, LPCTSTR parameters, LPCTSTR folder, UINT missingId, UINT failedId,
                BOOL muteDevice = FALSE);

    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnClose();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnScanProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScanDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRemoteKey(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQuitRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReleaseDevice(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResumeDevice(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Channels found by the running scan, by frequency.
    std::map<int, CChannelEntry> m_scanResults;
    int m_nScanCount = 0;
    int m_nScanLow = 0;
    int m_nScanHigh = 0;

    BOOL m_bTopMost = FALSE;
    BOOL m_bMaxState = FALSE;
    BOOL m_bTVOnDesktop = FALSE;
    BOOL m_bPanelHiddenByFullScreen = FALSE;
    HWND m_hPanelOwner = NULL;

    COsdWnd m_channelOsd;
    COsdWnd m_recordOsd;
    COsdWnd m_statusOsd;
    COsdWnd m_sourceOsd;
    COsdWnd m_digitOsd;
    COsdProgressWnd m_progressOsd;
    COsdProgressWnd m_scanOsd;
    std::vector<COsdWnd*> m_overlays;

    CString m_scanTitle;
    BOOL m_bCursorShown = TRUE;
    BOOL m_bCursorAutoHide = FALSE;
    UINT_PTR m_cursorTimer = 0;
    UINT m_lastKey = 0;
    HICON m_hIcon = NULL;
};

extern CTVVideoWnd theVideoWnd;
