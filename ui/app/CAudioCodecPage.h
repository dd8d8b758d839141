#pragma once

#include <afxwin.h>

#include "CSetupPage.h"

// Custom FM record formats: each is a name bound to one of the system's audio compressors,
// kept in the section "FM_CUSTOM" of the TV system's TVParam.ini. It saves through its
// dialog's OK, not as its window goes.
class CAudioCodecPage : public CSetupPage
{
public:
    explicit CAudioCodecPage(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;
    // Writes the formats bound to an existing compressor; TRUE when at least one was written
    // and the selected one is among them.
    BOOL SaveFormats();

    // The row of that exact text, skipping one row (-1 skips none); -1 when there is none.
    int FindName(const CString& name, int skip = -1) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override { CWnd::PostNcDestroy(); }

    afx_msg void OnNamesSelEndCancel();
    afx_msg void OnAdd();
    afx_msg void OnModify();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()

    void ShowSelected();
    BOOL NameRefused(int skip);

    CComboBox m_names;
    CComboBox m_compressors;
    CString m_name;
};
