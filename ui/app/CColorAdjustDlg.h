#pragma once

#include <afxwin.h>

// The colour adjustment panel beside the control panel (dialog 230), dressed by the colour
// skin. Its sliders come with the video settings; for now it is the bare dialog the skin
// dresses.
class CColorAdjustDlg : public CDialog
{
public:
    CColorAdjustDlg();

protected:
    void OnOK() override {}
    void OnCancel() override { ShowWindow(SW_HIDE); }
};
