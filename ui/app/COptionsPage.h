#pragma once

#include <afxwin.h>

#include <vector>

#include "COptionsLabel.h"

class COptionsRow;

// One screen of the options menu: a top band, a column of rows and a bottom band carrying the
// caption. It owns its rows; its parent and children are the host's. Keys come from the host
// as WM_OPTIONS_KEY and go on to the current row; Up and Down move between rows when the row
// does not use them. Each page of the menu derives from it and builds its rows in BuildRows.
class COptionsPage : public CWnd
{
public:
    // The control id the page takes when it is made with id 0.
    explicit COptionsPage(UINT nID = 0);
    ~COptionsPage() override;

    // Before the page is hidden, and before it is shown.
    virtual void Leave() {}
    virtual void Refresh() {}
    virtual COptionsPage* GetParentPage() { return m_pParentPage; }
    // The child of the current row; a page with one child gives it from every row.
    virtual COptionsPage* GetChildPage();
    virtual void ShowPage(BOOL show);
    // The page's own key handler, asked when the row did not use the key; 2 here, which on
    // Enter has the host open the child page.
    virtual LRESULT OnPageKey(UINT key, LPARAM lParam);
    virtual BOOL BuildRows() { return TRUE; }
    // Answers the old index; an index outside the rows changes nothing and answers the current.
    virtual int SetCurrentRow(int index);
    virtual BOOL GoToParent();
    virtual BOOL GoToChild();
    virtual void PrevRow();
    virtual void NextRow();
    virtual BOOL Create(const RECT& rect, CWnd* pParent, UINT id);
    virtual void DrawBackground(CDC* pDC);
    virtual LRESULT OnOptionsKey(UINT key, LPARAM lParam);
    // A running channel scan's range and current frequency (kHz); only the scan page shows it.
    virtual void OnScanProgress(int, int, int) {}

    // The host's bands, not owned.
    void SetBands(CBitmap* top, CBitmap* bottom);
    // Bands of the page's own, used while the host's are not set; FALSE when one does not load.
    BOOL LoadBands(UINT topId, UINT bottomId);
    // Appends a row (made already, with this page as its parent); the page deletes it.
    void AddRow(COptionsRow* row);
    void LayoutRows();
    void SetRowBitmaps(CBitmap* normal, CBitmap* selected);
    void SetCaption(LPCTSTR text);
    COptionsLabel& GetCaption() { return m_caption; }

    int GetCurrentRowIndex() const { return m_nCurrentRow; }
    COptionsRow* GetRow(int index) const;
    int GetRowCount() const { return (int)m_rows.size(); }
    void AddChild(COptionsPage* page);
    int GetChildCount() const { return (int)m_children.size(); }
    void SetParentPage(COptionsPage* page) { m_pParentPage = page; }

protected:
    CBitmap* TopBand();
    CBitmap* BottomBand();
    // The height of one row: the first row's client height.
    int RowHeight() const;
    void PlaceCaption();
    void SizeClient(int width, int height);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnOptionsKeyMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    UINT m_nPageId;
    CBitmap* m_pSharedTop = NULL;
    CBitmap* m_pSharedBottom = NULL;
    CBitmap m_ownTop;
    CBitmap m_ownBottom;
    int m_nTopWidth = 0;
    int m_nTopHeight = 0;
    int m_nBottomWidth = 0;
    int m_nBottomHeight = 0;
    BOOL m_bUseShared = FALSE;
    int m_nCurrentRow = 0;
    std::vector<COptionsRow*> m_rows;
    COptionsPage* m_pParentPage = NULL;
    std::vector<COptionsPage*> m_children;
    COptionsLabel m_caption;
};
