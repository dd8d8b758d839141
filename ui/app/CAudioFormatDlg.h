#pragma once

#include <afxwin.h>

#include "CAudioCodecPage.h"

// The custom FM record formats dialog: the codec page inside, saved by OK. It ends with IDOK
// only when the selected format was stored.
class CAudioFormatDlg : public CDialog
{
public:
    explicit CAudioFormatDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;
    CAudioCodecPage& GetPage() { return m_page; }

protected:
    void OnOK() override;

    CAudioCodecPage m_page;
};
