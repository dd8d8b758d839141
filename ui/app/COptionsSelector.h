#pragma once

#include <afxcoll.h>

#include "COptionsLabel.h"

// One item of a list between a left and a right arrow: Left and Right step through the items,
// wrapping at both ends.
class COptionsSelector : public COptionsLabel
{
public:
    COptionsSelector();

    LRESULT OnKey(UINT key, LPARAM lParam) override;
    void Draw(CDC* pDC) override;

    void AddString(LPCTSTR text);
    void RemoveAll();
    // Wraps: below 0 to the last item, past the last to the first.
    void SetCurSel(int index);
    int GetCurSel() const { return m_nCurSel; }
    int GetCount() const { return (int)m_items.GetSize(); }
    // The current item; empty without items.
    CString GetCurText() const;
    // FALSE when one does not load; sizes the selector to the right arrow's height.
    BOOL SetBitmaps(UINT leftNormal, UINT leftHighlighted, UINT rightNormal, UINT rightHighlighted);

protected:
    // The window text follows the current item.
    void ShowCurrent();

    CStringArray m_items;
    int m_nCurSel = 0;
    CBitmap m_leftNormal;
    CBitmap m_leftHighlighted;
    CBitmap m_rightNormal;
    CBitmap m_rightHighlighted;
    int m_nLeftWidth = 1;
    int m_nRightWidth = 1;
};
