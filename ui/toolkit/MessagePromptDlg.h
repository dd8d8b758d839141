#pragma once

#include <afxwin.h>

// A message dialog (icon, text, OK and an optional Cancel) that closes itself after a number of
// seconds.
class CMessagePromptDlg : public CDialog
{
public:
    // iconId 0: no icon.
    CMessagePromptDlg(UINT iconId, BOOL showCancel, CWnd* parent = NULL);
    ~CMessagePromptDlg() override;

    // Shown at once when the dialog is open.
    void SetCaption(LPCTSTR caption);
    const CString& GetCaption() const { return m_caption; }
    void SetText(LPCTSTR text);
    // A string of the string table.
    void SetText(UINT textId);
    const CString& GetText() const { return m_text; }

    // 0 is ignored; a running countdown starts again with the new time.
    void SetAutoCloseSeconds(UINT seconds);
    UINT GetAutoCloseSeconds() const { return m_autoCloseSeconds; }
    // 2 closes as Cancel when the time is up, anything else as OK.
    void SetAutoCloseResult(int result);
    int GetAutoCloseResult() const { return m_autoCloseResult; }

    BOOL OnInitDialog() override;

protected:
    // Binds the icon and text controls.
    void DoDataExchange(CDataExchange* pDX) override;
    // Without a Cancel button, Escape and the close box end the dialog as OK.
    void OnCancel() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    enum { kCountdownTimer = 1016 };

    void StartCountdown();
    void StopCountdown();
    void ShowIcon();

    CWnd m_iconCtrl;
    CWnd m_textCtrl;
    UINT_PTR m_timerId;  // 0: no countdown
    UINT m_autoCloseSeconds;
    int m_autoCloseResult;
    CString m_caption;
    CString m_text;
    UINT m_iconId;
    BOOL m_showCancel;
};
