#pragma once

#include "CSAPrefsSubDlg.h"

// The TV program's path (template 152).
class CTvPrefsPage : public CSAPrefsSubDlg
{
public:
    enum { IDD = 152 };
    CTvPrefsPage();

    CString m_tvProgramPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChooseProgram();
    DECLARE_MESSAGE_MAP()
};
