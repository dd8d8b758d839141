#include "MessagePromptDlg.h"

#include "ToolkitResources.h"

BEGIN_MESSAGE_MAP(CMessagePromptDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMessagePromptDlg::CMessagePromptDlg(UINT iconId, BOOL showCancel, CWnd* parent)
    : CDialog(IDD_MESSAGE_PROMPT, parent),
      m_timerId(0),
      m_autoCloseSeconds(5),
      m_autoCloseResult(IDOK),
      m_iconId(iconId),
      m_showCancel(showCancel)
{
}

CMessagePromptDlg::~CMessagePromptDlg() = default;

void CMessagePromptDlg::SetCaption(LPCTSTR caption)
{
    m_caption = caption;
    if (m_hWnd != NULL)
        SetWindowText(m_caption);
}

void CMessagePromptDlg::SetText(LPCTSTR text)
{
    m_text = text;
    if (m_textCtrl.m_hWnd != NULL)
        m_textCtrl.SetWindowText(m_text);
}

void CMessagePromptDlg::SetText(UINT textId)
{
    CString text;
    text.LoadString(textId);
    SetText(text);
}

void CMessagePromptDlg::SetAutoCloseSeconds(UINT seconds)
{
    if (seconds == 0)
        return;
    m_autoCloseSeconds = seconds;
    if (m_timerId != 0)
        StartCountdown();
}

void CMessagePromptDlg::SetAutoCloseResult(int result)
{
    m_autoCloseResult = result == IDCANCEL ? IDCANCEL : IDOK;
}

void CMessagePromptDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROMPT_ICON, m_iconCtrl);
    DDX_Control(pDX, IDC_PROMPT_TEXT, m_textCtrl);
}

BOOL CMessagePromptDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_caption.IsEmpty())
        SetWindowText(m_caption);
    if (!m_text.IsEmpty())
        m_textCtrl.SetWindowText(m_text);
    if (m_iconId != 0)
        ShowIcon();
    if (!m_showCancel)
        GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
    StartCountdown();
    return TRUE;
}

void CMessagePromptDlg::ShowIcon()
{
    LPCTSTR name = MAKEINTRESOURCEA(m_iconId);
    HICON icon = LoadIconA(AfxFindResourceHandle(name, (LPCTSTR)RT_GROUP_ICON), name);
    if (icon != NULL)
        m_iconCtrl.SendMessage(STM_SETICON, (WPARAM)icon);
}

void CMessagePromptDlg::StartCountdown()
{
    StopCountdown();
    m_timerId = SetTimer(kCountdownTimer, m_autoCloseSeconds * 1000);
}

void CMessagePromptDlg::StopCountdown()
{
    if (m_timerId != 0)
        KillTimer(m_timerId);
    m_timerId = 0;
}

void CMessagePromptDlg::OnCancel()
{
    EndDialog(m_showCancel ? IDCANCEL : IDOK);
}

void CMessagePromptDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_timerId != 0 && nIDEvent == m_timerId) {
        StopCountdown();
        if (m_autoCloseResult == IDOK)
            OnOK();
        else
            OnCancel();
    }
    CDialog::OnTimer(nIDEvent);
}

void CMessagePromptDlg::OnDestroy()
{
    StopCountdown();
    CDialog::OnDestroy();
}
