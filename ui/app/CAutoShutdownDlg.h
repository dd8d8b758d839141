#pragma once

#include <afxwin.h>

// The countdown shown before the program powers the computer off by itself: it ends with
// IDOK when the time is up or "立即关机" is pressed, and with IDCANCEL when the user cancels.
class CAutoShutdownDlg : public CDialog
{
public:
    explicit CAutoShutdownDlg(CWnd* parent = NULL);

    // The seconds the countdown starts from (30 unless set).
    void SetCountdownSeconds(int seconds) { m_countdownStart = seconds; }

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnShutdownNow();
    afx_msg void OnShutdownCancel();
    DECLARE_MESSAGE_MAP()

private:
    enum { kCountdownTimer = 1, kTickMs = 1000, kFewestDots = 3, kMostDots = 6 };

    void ShowSecondsLeft();
    void StepDots();

    int m_countdownStart;
    int m_secondsLeft;

    // The dots swing between kFewestDots and kMostDots, one step a second, and every countdown
    // of the program run picks up where the last one stopped.
    static int s_dots;
    static int s_dotStep;
};
