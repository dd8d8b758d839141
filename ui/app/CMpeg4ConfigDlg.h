#pragma once

#include <afxcmn.h>

// The MPEG-4 encoder's rate control: a constant bit rate or a constant quantizer, kept in the
// encoder's own store.
class CMpeg4ConfigDlg : public CDialog
{
public:
    // Rows of the mode list, and the encoder's numbers for them.
    enum { kRowCbr = 0, kRowVbr = 1, kModeCbr = 0, kModeVbr = 2 };
    enum { kMaxBitrate = 10000, kMaxQuant = 31, kDefaultBitrate = 1100, kDefaultQuant = 7 };

    explicit CMpeg4ConfigDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int Maximum() const { return m_nMode == kRowVbr ? kMaxQuant : kMaxBitrate; }
    int& Value() { return m_nMode == kRowVbr ? m_nQuant : m_nBitrate; }
    void ShowMode();

    afx_msg void OnMode();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnRateChange();
    afx_msg void OnDefault();
    DECLARE_MESSAGE_MAP()

    CComboBox m_mode;
    CSliderCtrl m_slider;
    int m_nMode = kRowCbr;
    int m_nBitrate = kDefaultBitrate;
    int m_nQuant = kDefaultQuant;
    int m_nValue = kDefaultBitrate;
    // The edit is being written by the dialog itself, not typed into.
    BOOL m_bShowing = FALSE;
};
