#pragma once

#include <afxcmn.h>

#include "CSetupPage.h"

// Snapshot and record folders, the snapshot's picture type, the record format, scheme and
// display quality, the MPEG-4 size and sound codec, and the time-shift length and keep flag.
class CRecordSnapshotPage : public CSetupPage
{
public:
    enum { kMpeg4Format = 3, kMpeg4PalRow = 4, kTimeShiftStep = 600 };

    explicit CRecordSnapshotPage(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void ShowMpeg4Controls();
    void ShowQuality();
    // The folder chosen in the browser, "" when none was.
    CString BrowseFolder(const CString& start);

    afx_msg void OnSnapType();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnBrowseSnap();
    afx_msg void OnBrowseVideo();
    afx_msg void OnDisplayQuality();
    afx_msg void OnRecordFormat();
    afx_msg void OnMpeg4Size();
    afx_msg void OnMpeg4Audio();
    afx_msg void OnMpeg4Config();
    afx_msg void OnTimeShiftKeep();
    afx_msg void OnTimeShiftLength();
    DECLARE_MESSAGE_MAP()

    CSliderCtrl m_quality;
    CComboBox m_displayQuality;
    CComboBox m_recordFormat;
    CComboBox m_mpeg4Size;
    CComboBox m_mpeg4Audio;

    CString m_strSnapPath;
    CString m_strVideoPath;
    int m_nSnapType = 0;
    int m_nJpgQuality = 100;
    int m_nScheme = 0;
    int m_nDisplayQuality = 0;
    int m_nRecordFormat = 0;
    BOOL m_bTFReserved = FALSE;
    int m_nTimeShiftLength = 0;
};
