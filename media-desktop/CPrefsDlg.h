#pragma once

#include "CGradientCaption.h"
#include "CSAPrefsSubDlg.h"
#include "afxcmn.h"
#include "afxwin.h"

#include <map>
#include <vector>

// The preferences dialog (template 101): a tree of pages on the left, a gradient caption with
// the current page's name and the page itself on the right. Pages are shown in the order they
// were added; each is made the first time it is shown. The page last shown is kept in the
// profile and shown again the next time.
class CPrefsDlg : public CDialog
{
public:
    enum { IDD = 101, kPageFrameId = 1004, kCaptionId = 1005, kTreeId = 1006 };
    // Posted to the dialog with the index of the page that the tree selected.
    static const UINT WM_CHANGE_PAGE = WM_APP + 100;
    static const char kSettingsSection[];
    static const char kCurrentPage[];

    explicit CPrefsDlg(CWnd* pParentWnd = NULL);
    ~CPrefsDlg() override;

    // The page under parent (NULL: at the top); FALSE once the dialog window exists, or for a
    // parent that was not added before.
    BOOL AddPage(CSAPrefsSubDlg& page, LPCTSTR caption, CSAPrefsSubDlg* parent = NULL);
    void SetTitle(LPCTSTR title);
    void SetConstantText(LPCTSTR text) { m_constantText = text; }
    // The page shown first, before the profile's page.
    void SetStartPage(CSAPrefsSubDlg* page) { m_startPage = page; }

    // FALSE for an index outside the pages or a page whose window cannot be made; the page
    // shown before is hidden all the same.
    BOOL ShowPage(int index);
    BOOL ShowPageOf(CSAPrefsSubDlg* page);
    int GetCurrentPage() const { return m_current; }
    int GetPageCount() const { return (int)m_pages.size(); }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Every page made so far exchanges its data; the first one that refuses is shown and the
    // dialog stays.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnDestroy();
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnChangePage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct PageRecord
    {
        CSAPrefsSubDlg* page;  // the caller's, living as long as the dialog
        UINT templateId;
        CString caption;
        CSAPrefsSubDlg* parent;
    };

    int IndexOf(const CSAPrefsSubDlg* page) const;
    void FillTree();

    std::vector<PageRecord> m_pages;
    std::map<const CSAPrefsSubDlg*, HTREEITEM> m_items;
    int m_current;
    CSAPrefsSubDlg* m_startPage;
    CString m_title;
    CString m_constantText;
    CRect m_pageRect;
    CTreeCtrl m_tree;
    CGradientCaption m_caption;
};
