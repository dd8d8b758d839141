#pragma once

#include <afxwin.h>

// A drop-down list whose items each carry a check box; the closed box shows the checked items'
// texts joined by the user's list separator. An item's data is its checked flag. Made with
// CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS.
class CCheckComboBox : public CComboBox
{
public:
    CCheckComboBox();
    ~CCheckComboBox() override;

    // The combo's answer: negative for a bad index.
    int SetCheck(int index, BOOL checked);
    BOOL GetCheck(int index) const;
    // The checked items' texts joined, as the closed box shows them.
    const CString& GetCheckedText();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // The check combo whose drop-down is open; NULL before any opened.
    static CCheckComboBox* GetOpenCombo() { return s_pOpenCombo; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnDropDown();
    DECLARE_MESSAGE_MAP()

    void ToggleItem(int index);
    void SubclassList(HWND hList);
    static LRESULT CALLBACK ListProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hListBox = NULL;
    WNDPROC m_pfnListProc = NULL;
    CString m_text;
    BOOL m_bTextValid = FALSE;
    BOOL m_bHeightSet = FALSE;

    static CCheckComboBox* s_pOpenCombo;
};
