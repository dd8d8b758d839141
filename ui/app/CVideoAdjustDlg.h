#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CSetupPage.h"
#include "TVSettings.h"

// The picture page: colours of the card or of the overlay, overlay use, half frame, noise
// reduction, display quality, capture size and TV on the desktop. Every change goes to the
// TV system at once, so saving stores nothing further.
class CVideoAdjustDlg : public CSetupPage
{
public:
    enum { kCardSet = 0, kOverlaySet = 1 };

    explicit CVideoAdjustDlg(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnChooseSet();
    afx_msg void OnDefault();
    afx_msg void OnUseOverlay();
    afx_msg void OnHalfFrame();
    afx_msg void OnNoise();
    afx_msg void OnHighQuality();
    afx_msg void OnSize();
    afx_msg void OnTVDesktop();
    DECLARE_MESSAGE_MAP()

    void ShowSet();
    void FillSizes();
    int* EditedSet() { return m_set == kCardSet ? m_card : m_overlay; }
    static void MuteAround(void (*action)(CVideoAdjustDlg*), CVideoAdjustDlg* page);

    int m_card[CTVSettings::kPictureProperties];
    int m_overlay[CTVSettings::kPictureProperties];
    int m_shown[CTVSettings::kPictureProperties] = {};
    int m_set = kCardSet;
    BOOL m_bHighQuality = FALSE;
    BOOL m_bHalfFrame = FALSE;
    BOOL m_bOverlay = TRUE;
    BOOL m_bNoise = TRUE;
    BOOL m_bDesktop = FALSE;
    int m_noiseValue = 5;
    int m_sizeIndex = 2;
};
