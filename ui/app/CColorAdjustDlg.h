#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CHoverToolTip.h"

// The colour panel beside the control panel (dialog 230), dressed by the colour skin: the
// card's five picture values as sliders, written through as they move. Keys typed on it go
// to the control panel, so its shortcuts keep working while the panel has the focus.
class CColorAdjustDlg : public CDialog
{
public:
    CColorAdjustDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Slider ranges from the card's range table and positions from the TV system.
    void ShowValues();

protected:
    void OnOK() override {}
    void OnCancel() override { ShowWindow(SW_HIDE); }

    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDefault();
    afx_msg void OnHide();
    DECLARE_MESSAGE_MAP()

    void OnSlider(UINT nSBCode, CScrollBar* pScrollBar);

    CHoverToolTip m_tip;
};
