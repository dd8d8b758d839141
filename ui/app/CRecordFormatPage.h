#pragma once

#include <afxwin.h>

#include "CSetupPage.h"

// The wizard's second page: record format, scheme and display quality, stored as the page
// goes, and the picture switches of the picture page, which act at once.
class CRecordFormatPage : public CSetupPage
{
public:
    explicit CRecordFormatPage(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnFormat();
    afx_msg void OnSize();
    afx_msg void OnHighQuality();
    afx_msg void OnUseOverlay();
    afx_msg void OnHalfFrame();
    afx_msg void OnNoise();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    BOOL m_bHighQuality = FALSE;
    BOOL m_bHalfFrame = FALSE;
    BOOL m_bOverlay = TRUE;
    BOOL m_bNoise = TRUE;
    int m_noiseValue = 5;
    int m_scheme = 0;  // radio index: 0 high quality (scheme 1), 1 low load (scheme 0)
    int m_displayQuality = 0;
    int m_format = 0;
    int m_sizeIndex = 2;
};
