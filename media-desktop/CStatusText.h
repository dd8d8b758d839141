#pragma once

#include "CSuperListBox.h"

// A page's status line: one item of white text, left-aligned and cut with an ellipsis. It
// never keeps the focus: one it receives goes on to a sibling.
class CStatusText : public CSuperListBox
{
public:
    CStatusText();
    ~CStatusText() override;

protected:
    void DrawItem(CDC* pDC, int index, const CRect& rect) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg UINT OnGetDlgCode();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
