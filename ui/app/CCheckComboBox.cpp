#include "CCheckComboBox.h"

namespace {

const char kComboProperty[] = "CheckComboBox";

} // namespace

CCheckComboBox* CCheckComboBox::s_pOpenCombo = NULL;

BEGIN_MESSAGE_MAP(CCheckComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

CCheckComboBox::CCheckComboBox()
{
}

CCheckComboBox::~CCheckComboBox()
{
    if (s_pOpenCombo == this)
        s_pOpenCombo = NULL;
    if (m_hListBox != NULL && ::IsWindow(m_hListBox)) {
        ::SetWindowLongPtrA(m_hListBox, GWLP_WNDPROC, (LONG_PTR)m_pfnListProc);
        ::RemovePropA(m_hListBox, kComboProperty);
    }
}

int CCheckComboBox::SetCheck(int index, BOOL checked)
{
    int result = SetItemData(index, checked ? 1 : 0);
    m_bTextValid = FALSE;
    Invalidate(FALSE);
    if (m_hListBox != NULL)
        ::InvalidateRect(m_hListBox, NULL, FALSE);
    return result;
}

BOOL CCheckComboBox::GetCheck(int index) const
{
    return (BOOL)GetItemData(index);
}

const CString& CCheckComboBox::GetCheckedText()
{
    if (m_bTextValid)
        return m_text;
    char separator[8] = "";
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof(separator));
    CString joint = separator[0] != '\0' ? separator : ";";
    joint.TrimRight();
    joint += ' ';
    m_text.Empty();
    int count = GetCount();
    for (int i = 0; i < count; i++) {
        if (GetItemData(i) == 0)
            continue;
        CString item;
        GetLBText(i, item);
        if (!m_text.IsEmpty())
            m_text += joint;
        m_text += item;
    }
    m_bTextValid = TRUE;
    return m_text;
}

void CCheckComboBox::ToggleItem(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    SetCheck(index, !GetCheck(index));
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELCHANGE), (LPARAM)m_hWnd);
}

void CCheckComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC dc = lpDrawItemStruct->hDC;
    RECT box = lpDrawItemStruct->rcItem;
    RECT text = box;
    int item = (int)lpDrawItemStruct->itemID;
    CString label;
    if (item >= 0 && !(lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT)) {
        TEXTMETRICA metrics;
        ::GetTextMetricsA(dc, &metrics);
        RECT check = box;
        check.right = check.left + metrics.tmHeight + 6;
        text.left = check.right;
        ::FillRect(dc, &check, ::GetSysColorBrush(COLOR_WINDOW));
        ::InflateRect(&check, -2, -2);
        UINT state = DFCS_BUTTONCHECK | (lpDrawItemStruct->itemData != 0 ? DFCS_CHECKED : 0);
        ::DrawFrameControl(dc, &check, DFC_BUTTON, state);
        GetLBText(item, label);
    } else {
        label = GetCheckedText();
    }
    BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF fore = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    COLORREF oldBack = ::SetBkColor(dc, back);
    COLORREF oldFore = ::SetTextColor(dc, fore);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &text, NULL, 0, NULL);
    RECT inner = text;
    inner.left += 2;
    ::DrawTextA(dc, label, label.GetLength(), &inner, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (selected && (lpDrawItemStruct->itemState & ODS_FOCUS))
        ::DrawFocusRect(dc, &text);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldFore);
}

void CCheckComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, (HGDIOBJ)SendMessage(WM_GETFONT));
    TEXTMETRICA metrics;
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    lpMeasureItemStruct->itemHeight = metrics.tmHeight + metrics.tmExternalLeading + 2;
    if (!m_bHeightSet) {
        m_bHeightSet = TRUE;
        SetItemHeight(-1, lpMeasureItemStruct->itemHeight);
    }
}

void CCheckComboBox::OnDropDown()
{
    s_pOpenCombo = this;
}

void CCheckComboBox::SubclassList(HWND hList)
{
    m_hListBox = hList;
    ::SetPropA(hList, kComboProperty, (HANDLE)this);
    m_pfnListProc = (WNDPROC)::SetWindowLongPtrA(hList, GWLP_WNDPROC, (LONG_PTR)ListProc);
}

LRESULT CCheckComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORLISTBOX:
        if (m_hListBox == NULL && (HWND)lParam != m_hWnd && lParam != 0)
            SubclassList((HWND)lParam);
        break;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        const CString& text = GetCheckedText();
        ::lstrcpynA((LPSTR)lParam, text, (int)wParam);
        return lstrlenA((LPSTR)lParam);
    }
    case WM_GETTEXTLENGTH:
        return GetCheckedText().GetLength();
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

LRESULT CALLBACK CCheckComboBox::ListProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CCheckComboBox* combo = (CCheckComboBox*)::GetPropA(hWnd, kComboProperty);
    if (combo == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_CHAR:
        if (wParam == VK_SPACE) {
            int caret = (int)::CallWindowProcA(combo->m_pfnListProc, hWnd, LB_GETCARETINDEX, 0, 0);
            combo->ToggleItem(caret);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN: {
        RECT client;
        ::GetClientRect(hWnd, &client);
        POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (::PtInRect(&client, point)) {
            int height = (int)::CallWindowProcA(combo->m_pfnListProc, hWnd, LB_GETITEMHEIGHT, 0, 0);
            int top = (int)::CallWindowProcA(combo->m_pfnListProc, hWnd, LB_GETTOPINDEX, 0, 0);
            if (height > 0)
                combo->ToggleItem(top + point.y / height);
        }
        break;
    }
    case WM_LBUTTONUP:
        // Kept from the list so that the drop-down stays open for more choices.
        return 0;
    case LB_GETCARETINDEX:
        return -1;
    }
    return ::CallWindowProcA(combo->m_pfnListProc, hWnd, message, wParam, lParam);
}
