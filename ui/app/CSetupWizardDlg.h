#pragma once

#include <afxwin.h>

// The set-up wizard that runs at every start: a region page and a record-format page shown one
// at a time over the area of control 1189. Its pages store their values as their windows go,
// so both store them whether the wizard was finished or cancelled.
class CSetupWizardDlg : public CDialog
{
public:
    explicit CSetupWizardDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;
    int GetCurrentPage() const { return m_current; }
    CDialog* GetPage(int number) const;

protected:
    struct PageRecord
    {
        int number;
        CDialog* page;
        PageRecord* next;
    };

    void OnCancel() override;
    void OnOK() override {}

    void AddPage(CDialog* page, UINT id);
    void ShowPage(int number);

    afx_msg void OnBack();
    afx_msg void OnNext();
    afx_msg void OnQuit();
    afx_msg void OnHelp();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CRect m_pageArea;
    int m_pages = 0;
    int m_current = 1;
    PageRecord* m_first = NULL;
};
