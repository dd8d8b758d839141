#pragma once

#include <afxwin.h>

#include <vector>

class COptionsPage;

// The key-driven options menu over the picture: a borderless modeless dialog, made hidden by
// the control panel, that holds the menu's nine pages and shows one at a time, sized to it.
// While it is the active window the remote's arrows, Enter and menu key reach its
// PreTranslateMessage and travel down the current page, row and cell as WM_OPTIONS_KEY; what
// no level uses comes back up and moves between pages.
class COptionsDlg : public CDialog
{
public:
    enum { kPageCount = 9 };

    explicit COptionsDlg(CWnd* pParent = NULL);
    ~COptionsDlg() override;

    // Makes the host, hidden; the pages are built as it starts.
    BOOL Create(CWnd* pParent);
    // TRUE: every page refreshed, back to the root, shown and active. FALSE: every page left,
    // hidden.
    void ShowMenu(BOOL show);
    // TRUE when the page changed.
    BOOL GoToParentPage();
    BOOL GoToChildPage();
    // NULL for an index out of range.
    COptionsPage* GetPage(int index) const;
    COptionsPage* GetCurrentPage() const { return m_pCurrentPage; }
    // A running scan's range and current frequency (kHz), for the scan progress page.
    void OnScanProgress(int from, int to, int position);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The page object at an index of the tree; each is made once, as the host starts.
    virtual COptionsPage* NewPage(int index);
    void LoadBitmaps();
    void BuildPages();
    void FitToPage(COptionsPage* page);
    // Hides the current page and shows another in its place.
    void SwitchTo(COptionsPage* page);
    void ReturnToRoot();
    void DestroyPages();

    void OnOK() override {}
    void OnCancel() override {}

    afx_msg LRESULT OnOptionsKey(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    std::vector<COptionsPage*> m_pages;
    COptionsPage* m_pCurrentPage = NULL;
    CBitmap m_rowNormal;
    CBitmap m_rowSelected;
    CBitmap m_pageTop;
    CBitmap m_pageBottom;
};
