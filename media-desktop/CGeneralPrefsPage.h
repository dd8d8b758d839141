#pragma once

#include "CSAPrefsSubDlg.h"

// The desktop's own preferences (template 158): start hidden, the home page's background,
// start with Windows, several media at once, close the media at exit.
class CGeneralPrefsPage : public CSAPrefsSubDlg
{
public:
    enum { IDD = 158 };
    CGeneralPrefsPage();

    int m_startupHide;
    CString m_mainBackground;
    int m_runAtStartup;
    int m_allowSeveralMedia;
    int m_closeAllOnExit;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChooseBackground();
    DECLARE_MESSAGE_MAP()
};
