#include "CSkinTabCtrl.h"

#include <afxcmn.h>

#include <cstring>

namespace {
// Item texts are read into a buffer of this size.
const int kTextSize = 64;
} // namespace

BEGIN_MESSAGE_MAP(CSkinTabCtrl, CTabCtrl)
    ON_NOTIFY_REFLECT(TCN_SELCHANGING, OnSelChanging)
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSkinTabCtrl::CSkinTabCtrl() {}

CSkinTabCtrl::~CSkinTabCtrl()
{
    DestroyWindow();
}

void CSkinTabCtrl::PreSubclassWindow()
{
    CTabCtrl::PreSubclassWindow();
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

void CSkinTabCtrl::SetPageOffset(int x, int y)
{
    m_nPageX = x;
    m_nPageY = y;
}

void CSkinTabCtrl::SetSelectedTextColor(COLORREF color)
{
    m_selectedColor = color;
    m_bSelectedColorSet = 1;
}

void CSkinTabCtrl::SetNormalTextColor(COLORREF color)
{
    m_normalColor = color;
    m_bNormalColorSet = 1;
}

void CSkinTabCtrl::SetDisabledTextColor(COLORREF color)
{
    m_disabledColor = color;
    m_bDisabledColorSet = 1;
}

void CSkinTabCtrl::SetHoverTextColor(COLORREF color)
{
    m_hoverColor = color;
    m_bHoverColorSet = 1;
}

CWnd* CSkinTabCtrl::GetPage(int index) const
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!GetItem(index, &item))
        return NULL;
    return (CWnd*)item.lParam;
}

void CSkinTabCtrl::PlacePage(CWnd* pPage)
{
    if (pPage && pPage->GetSafeHwnd())
        pPage->SetWindowPos(NULL, m_nPageX, m_nPageY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CSkinTabCtrl::ShowPage(int index, BOOL show)
{
    CWnd* pPage = GetPage(index);
    if (pPage && pPage->GetSafeHwnd())
        pPage->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CSkinTabCtrl::AddTab(CWnd* pPage, LPCTSTR caption, int image)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = (LPSTR)caption;
    item.iImage = image;
    item.lParam = (LPARAM)pPage;
    int count = GetItemCount();
    InsertItem(count, &item);
    PlacePage(pPage);
    if (pPage && pPage->GetSafeHwnd())
        pPage->ShowWindow(count == 0 ? SW_SHOW : SW_HIDE);
    m_enabled.push_back(1);
}

void CSkinTabCtrl::SetTab(int index, CWnd* pPage, LPCTSTR caption, int image)
{
    if (index < 0 || index >= (int)m_enabled.size())
        return;
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = (LPSTR)caption;
    item.iImage = image;
    item.lParam = (LPARAM)pPage;
    SetItem(index, &item);
    PlacePage(pPage);
    if (pPage && pPage->GetSafeHwnd())
        pPage->ShowWindow(SW_HIDE);
    m_enabled[index] = 1;
    ShowPage(GetCurSel(), TRUE);
}

void CSkinTabCtrl::DeleteTab(int index)
{
    if (index < 0 || index >= (int)m_enabled.size())
        return;
    m_enabled.erase(m_enabled.begin() + index);
    DeleteItem(index);
}

void CSkinTabCtrl::DeleteAllTabs()
{
    m_enabled.clear();
    DeleteAllItems();
}

void CSkinTabCtrl::InvalidateTab(int index)
{
    CRect rect;
    if (GetItemRect(index, &rect))
        ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void CSkinTabCtrl::EnableTab(int index, BOOL enable)
{
    if (index < 0 || index >= (int)m_enabled.size())
        return;
    DWORD flag = enable ? 1 : 0;
    if (m_enabled[index] == flag)
        return;
    m_enabled[index] = flag;
    InvalidateTab(index);
}

BOOL CSkinTabCtrl::IsTabEnabled(int index) const
{
    return index >= 0 && index < (int)m_enabled.size() && m_enabled[index] != 0;
}

BOOL CSkinTabCtrl::SelectTab(int index)
{
    int current = GetCurSel();
    if (index == current)
        return TRUE;
    if (!IsTabEnabled(index))
        return FALSE;
    ShowPage(current, FALSE);
    SetCurSel(index);
    ShowPage(index, TRUE);
    return TRUE;
}

BOOL CSkinTabCtrl::SelectTabByName(LPCTSTR caption)
{
    int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        char text[kTextSize] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = kTextSize - 1;
        if (GetItem(i, &item) && strcmp(text, caption) == 0)
            return SelectTab(i);
    }
    return FALSE;
}

BOOL CSkinTabCtrl::SelectNextTab(BOOL forward)
{
    int count = GetItemCount();
    int step = forward ? 1 : -1;
    for (int i = GetCurSel() + step; i >= 0 && i < count; i += step)
        if (IsTabEnabled(i))
            return SelectTab(i);
    return FALSE;
}

void CSkinTabCtrl::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    m_nPreviousTab = GetCurSel();
    *pResult = 0;
}

void CSkinTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult)
{
    int selected = GetCurSel();
    if (IsTabEnabled(selected)) {
        ShowPage(m_nPreviousTab, FALSE);
        ShowPage(selected, TRUE);
    } else {
        SetCurSel(m_nPreviousTab);
    }
    *pResult = 0;
}

BOOL CSkinTabCtrl::CursorInTab(int index) const
{
    CRect rect;
    if (index < 0 || !GetItemRect(index, &rect))
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    return rect.PtInRect(cursor);
}

void CSkinTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    int index = (int)lpDrawItemStruct->itemID;
    int saved = pDC->SaveDC();
    const int edge = ::GetSystemMetrics(SM_CYEDGE);
    CRect rect(lpDrawItemStruct->rcItem);
    rect.top += edge + 4;

    COLORREF selected = m_bSelectedColorSet ? m_selectedColor : ::GetSysColor(COLOR_BTNTEXT);
    COLORREF normal = m_bNormalColorSet ? m_normalColor : ::GetSysColor(COLOR_BTNTEXT);
    COLORREF disabled = m_bDisabledColorSet ? m_disabledColor : ::GetSysColor(COLOR_GRAYTEXT);

    char text[kTextSize] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = kTextSize - 1;
    GetItem(index, &item);
    if (CursorInTab(index))
        m_nHoverTab = index;

    if (pDC->GetBkMode() == TRANSPARENT)
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));

    CImageList* images = GetImageList();
    if (images && item.iImage >= 0) {
        rect.left += pDC->GetTextExtent(" ", 1).cx;
        images->Draw(pDC, item.iImage, rect.TopLeft(), ILD_TRANSPARENT);
        IMAGEINFO info = {};
        images->GetImageInfo(item.iImage, &info);
        rect.left += info.rcImage.right - info.rcImage.left;
    }

    COLORREF color = normal;
    if (!IsTabEnabled(index))
        color = disabled;
    else if (lpDrawItemStruct->itemState & ODS_SELECTED)
        color = selected;
    else if (m_bHoverColorSet && index == m_nHoverTab)
        color = m_hoverColor;
    pDC->SetTextColor(color);
    pDC->SetBkMode(TRANSPARENT);
    rect.top -= edge;
    pDC->DrawText(text, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->RestoreDC(saved);
}

void CSkinTabCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bHoverColorSet) {
        SetTimer(kHoverTimer, kHoverTimerMs, NULL);
        if (m_nHoverTab >= 0) {
            CRect rect;
            GetItemRect(m_nHoverTab, &rect);
            if (!rect.PtInRect(point)) {
                ::InvalidateRect(m_hWnd, &rect, TRUE);
                m_nHoverTab = -1;
                return;
            }
        }
        if (!m_bTracking) {
            m_bTracking = 1;
            TCHITTESTINFO hit = {point, 0};
            int tab = HitTest(&hit);
            if (IsTabEnabled(tab))
                InvalidateTab(tab);
        }
    }
    CTabCtrl::OnMouseMove(nFlags, point);
}

void CSkinTabCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer && !CursorInTab(m_nHoverTab)) {
        KillTimer(kHoverTimer);
        m_bTracking = 0;
        int tab = m_nHoverTab;
        m_nHoverTab = -1;
        if (tab >= 0)
            InvalidateTab(tab);
    }
    CTabCtrl::OnTimer(nIDEvent);
}
