#include "CAutoShutdownDlg.h"

#include "resource.h"

int CAutoShutdownDlg::s_dots = CAutoShutdownDlg::kMostDots;
int CAutoShutdownDlg::s_dotStep = -1;

BEGIN_MESSAGE_MAP(CAutoShutdownDlg, CDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_SHUTDOWN_NOW, OnShutdownNow)
    ON_BN_CLICKED(IDC_SHUTDOWN_CANCEL, OnShutdownCancel)
END_MESSAGE_MAP()

CAutoShutdownDlg::CAutoShutdownDlg(CWnd* parent)
    : CDialog(IDD_AUTO_SHUTDOWN, parent),
      m_countdownStart(30),
      m_secondsLeft(30)
{
}

BOOL CAutoShutdownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_secondsLeft = m_countdownStart;
    ShowSecondsLeft();
    SetTimer(kCountdownTimer, kTickMs);
    return TRUE;
}

void CAutoShutdownDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCountdownTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (--m_secondsLeft < 1) {
        KillTimer(kCountdownTimer);
        EndDialog(IDOK);
        return;
    }
    ShowSecondsLeft();
    StepDots();
}

void CAutoShutdownDlg::ShowSecondsLeft()
{
    CString seconds;
    seconds.Format("%d", m_secondsLeft);
    SetDlgItemText(IDC_SHUTDOWN_SECONDS, seconds);
}

void CAutoShutdownDlg::StepDots()
{
    if (s_dots >= kMostDots)
        s_dotStep = -1;
    else if (s_dots <= kFewestDots)
        s_dotStep = 1;
    s_dots += s_dotStep;
    SetDlgItemText(IDC_SHUTDOWN_DOTS, CString('.', s_dots));
}

void CAutoShutdownDlg::OnShutdownNow()
{
    KillTimer(kCountdownTimer);
    EndDialog(IDOK);
}

// The button cancels as Escape and the close box do: a countdown the user cannot stop with
// the button labelled for it would power off against their will.
void CAutoShutdownDlg::OnShutdownCancel()
{
    OnCancel();
}
