#pragma once

#include <afxcmn.h>

#include "CCheckComboBox.h"
#include "CSetupPage.h"

// The drives recordings may use, the space kept free on them, what a full drive and a file at
// its maximum length do, and the record folder's name on every drive.
class CRecordStoragePage : public CSetupPage
{
public:
    enum { kMinReserve = 50, kMaxReserve = 50000 };
    enum { kRootColumn, kFreeColumn, kTotalColumn, kPercentColumn };

    explicit CRecordStoragePage(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnDiskChange();
    afx_msg void OnDiskCloseUp();
    DECLARE_MESSAGE_MAP()

    CListCtrl m_list;
    CCheckComboBox m_disks;
    UINT m_nReserve = 0;
    int m_nNoSpace = 0;
    int m_nMaxLength = 0;
    int m_nExcess = 0;
    CString m_strFolder;

    CStringArray m_validDisks;
    BOOL m_bDisksChanged = FALSE;
    // The last close of the drop-down found every drive unchecked.
    BOOL m_bNoDiskChosen = FALSE;
};
