#pragma once

#include <afxcmn.h>

#include <vector>

// A tab control that draws its own tabs (text colours for selected, normal, disabled and
// hovered tabs, an optional image), keeps one page window per tab (the item's parameter) and
// shows the selected tab's page. A disabled tab cannot be selected.
class CSkinTabCtrl : public CTabCtrl
{
public:
    enum { kHoverTimer = 1, kHoverTimerMs = 10 };

    CSkinTabCtrl();
    ~CSkinTabCtrl() override;

    void SetPageOffset(int x, int y);
    void SetSelectedTextColor(COLORREF color);
    void SetNormalTextColor(COLORREF color);
    void SetDisabledTextColor(COLORREF color);
    void SetHoverTextColor(COLORREF color);

    void AddTab(CWnd* pPage, LPCTSTR caption, int image);
    void SetTab(int index, CWnd* pPage, LPCTSTR caption, int image);
    void DeleteTab(int index);
    void DeleteAllTabs();
    void EnableTab(int index, BOOL enable);
    BOOL IsTabEnabled(int index) const;
    BOOL SelectTab(int index);
    BOOL SelectTabByName(LPCTSTR caption);
    BOOL SelectNextTab(BOOL forward);

    CWnd* GetPage(int index) const;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;

    afx_msg void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    std::vector<DWORD> m_enabled;  // one per tab in tab order: 1 enabled, 0 disabled
    int m_nPreviousTab = 0;
    int m_nPageX = 4;
    int m_nPageY = 28;
    COLORREF m_selectedColor = 0;
    COLORREF m_disabledColor = 0;
    COLORREF m_normalColor = 0;
    COLORREF m_hoverColor = 0;
    int m_nHoverTab = -1;
    BYTE m_bTracking = 0;
    BYTE m_bHoverColorSet = 0;
    BYTE m_bNormalColorSet = 0;
    BYTE m_bDisabledColorSet = 0;
    BYTE m_bSelectedColorSet = 0;

private:
    void PlacePage(CWnd* pPage);
    void ShowPage(int index, BOOL show);
    void InvalidateTab(int index);
    BOOL CursorInTab(int index) const;
};
