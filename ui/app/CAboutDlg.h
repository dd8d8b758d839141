#pragma once

#include <afxwin.h>

#include "CHyperLink.h"

// The about box: product and version, the maker's web site and support address as links, and
// the online updater's button.
class CAboutDlg : public CDialog
{
public:
    // The addresses the two links open.
    static const char kWebAddress[];
    static const char kMailAddress[];

    explicit CAboutDlg(CWnd* parent = NULL);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnUpdate();
    DECLARE_MESSAGE_MAP()

    CHyperLink m_webLink;
    CHyperLink m_mailLink;
};
