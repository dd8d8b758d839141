#pragma once

#include <afxwin.h>

#include <vector>

class COptionsLabel;

// One line of an options page: a background bitmap, normal or selected, under a line of cells.
// It owns its cells. Keys come as WM_OPTIONS_KEY from the page and go to the current cell;
// Left and Right walk the cells (wrapping) until one uses the key.
class COptionsRow : public CWnd
{
public:
    COptionsRow();
    ~COptionsRow() override;

    BOOL Create(const RECT& rect, CWnd* pParent, UINT id);
    // Appends a cell (made already, with this row as its parent); the row deletes it.
    void AddCell(COptionsLabel* cell);
    COptionsLabel* GetCell(int index) const;
    int GetCellCount() const { return (int)m_cells.size(); }
    int GetCurrentCell() const { return m_nCurrentCell; }
    // Wraps below 0 to the last cell and at the count to the first; answers the old index.
    int SetCurrentCell(int index);

    void SetSelected(BOOL selected);
    BOOL IsSelected() const { return m_bSelected; }
    // The row's own backgrounds; FALSE when one does not load.
    BOOL SetBitmaps(UINT normalId, UINT selectedId);
    // The host's backgrounds, not owned.
    void SetSharedBitmaps(CBitmap* normal, CBitmap* selected);

    virtual void DrawBackground(CDC* pDC);

protected:
    // Sizes the row to a background bitmap.
    void SizeTo(CBitmap* bitmap);
    LRESULT SendToCell(int index, UINT key, LPARAM lParam);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnOptionsKey(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::vector<COptionsLabel*> m_cells;
    CBitmap m_normal;
    CBitmap m_selected;
    CBitmap* m_pSharedNormal = NULL;
    CBitmap* m_pSharedSelected = NULL;
    BOOL m_bUseShared = TRUE;
    BOOL m_bSelected = FALSE;
    int m_nCurrentCell = 0;
};
