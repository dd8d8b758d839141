#pragma once

#include "CSAPrefsSubDlg.h"

// The picture page's preferences (template 102): folder, slideshow seconds (1 to 100),
// background, stretching in the slideshow and the file types.
class CPicturePrefsPage : public CSAPrefsSubDlg
{
public:
    enum { IDD = 102 };
    CPicturePrefsPage();

    CString m_folder;
    int m_slideshowSeconds;
    CString m_background;
    int m_stretch;
    CString m_types;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChooseFolder();
    afx_msg void OnChooseBackground();
    DECLARE_MESSAGE_MAP()
};
