#pragma once

#include <afxwin.h>

#include "CChannelPage.h"

// The channel page on its own, opened from the panel's channel list command.
class CChannelListDlg : public CDialog
{
public:
    explicit CChannelListDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    // Fixed before the dialog runs.
    void SetFM(BOOL fm) { m_bFM = fm; }
    CChannelPage& GetPage() { return m_page; }

protected:
    CChannelPage m_page;
    BOOL m_bFM = FALSE;
};
