#include "COptionsDlg.h"

#include "AppMessages.h"
#include "COptionsPage.h"
#include "resource.h"

namespace {

// The tree: each page's control id, its parent's index (-1: the root) and its children's
// indexes in row order.
struct PagePlace
{
    UINT id;
    int parent;
    std::vector<int> children;
};

const PagePlace kTree[COptionsDlg::kPageCount] = {
    {45600, -1, {1, 3, 4, 5, 8}},  // root
    {45500, 0, {2}},               // channels
    {45400, 1, {}},                // scan progress
    {45200, 0, {}},                // colours
    {45000, 0, {7}},               // schedule list
    {45300, 0, {}},                // recording
    {45000, 8, {}},                // shutdown time
    {45100, 4, {}},                // schedule item
    {45200, 0, {6}},               // video
};

} // namespace

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
    ON_MESSAGE(WM_OPTIONS_KEY, OnOptionsKey)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COptionsDlg::COptionsDlg(CWnd* pParent) : CDialog(IDD_OPTIONS_MENU, pParent)
{
}

COptionsDlg::~COptionsDlg()
{
    DestroyWindow();
    DestroyPages();
}

BOOL COptionsDlg::Create(CWnd* pParent)
{
    return CDialog::Create(IDD_OPTIONS_MENU, pParent);
}

COptionsPage* COptionsDlg::NewPage(int index)
{
    return new COptionsPage(kTree[index].id);
}

void COptionsDlg::LoadBitmaps()
{
    // Reloaded as a set, so the four always come from the same resources.
    if (m_rowNormal.GetSafeHandle() || m_rowSelected.GetSafeHandle() || m_pageTop.GetSafeHandle() ||
        m_pageBottom.GetSafeHandle()) {
        m_rowNormal.DeleteObject();
        m_rowSelected.DeleteObject();
        m_pageTop.DeleteObject();
        m_pageBottom.DeleteObject();
    }
    m_rowNormal.LoadBitmap(IDB_OPTIONS_ROW);
    m_rowSelected.LoadBitmap(IDB_OPTIONS_ROW_SELECTED);
    m_pageTop.LoadBitmap(IDB_OPTIONS_TOP);
    m_pageBottom.LoadBitmap(IDB_OPTIONS_BOTTOM);
}

void COptionsDlg::BuildPages()
{
    for (int i = 0; i < kPageCount; ++i)
        m_pages.push_back(NewPage(i));
    for (COptionsPage* page : m_pages) {
        if (!page->Create(CRect(0, 0, 120, 120), this, 0))
            continue;
        page->SetBands(&m_pageTop, &m_pageBottom);
        page->BuildRows();
        page->SetRowBitmaps(&m_rowNormal, &m_rowSelected);
        page->LayoutRows();
        page->SetCurrentRow(0);
    }
    for (int i = 0; i < kPageCount; ++i) {
        for (int child : kTree[i].children)
            m_pages[i]->AddChild(m_pages[child]);
        if (kTree[i].parent >= 0)
            m_pages[i]->SetParentPage(m_pages[kTree[i].parent]);
    }
    for (int i = 1; i < kPageCount; ++i)
        if (m_pages[i]->GetSafeHwnd() != NULL)
            m_pages[i]->ShowPage(FALSE);
}

BOOL COptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadBitmaps();
    BuildPages();
    m_pCurrentPage = m_pages[0];
    FitToPage(m_pCurrentPage);
    for (COptionsPage* page : m_pages)
        page->Refresh();
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
    return TRUE;
}

void COptionsDlg::FitToPage(COptionsPage* page)
{
    if (page == NULL || page->GetSafeHwnd() == NULL)
        return;
    CRect rect;
    page->GetWindowRect(&rect);
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
}

void COptionsDlg::SwitchTo(COptionsPage* page)
{
    m_pCurrentPage->ShowPage(FALSE);
    m_pCurrentPage = page;
    page->ShowPage(TRUE);
    FitToPage(page);
}

BOOL COptionsDlg::GoToParentPage()
{
    COptionsPage* parent = m_pCurrentPage != NULL ? m_pCurrentPage->GetParentPage() : NULL;
    if (parent == NULL)
        return FALSE;
    SwitchTo(parent);
    return TRUE;
}

BOOL COptionsDlg::GoToChildPage()
{
    COptionsPage* child = m_pCurrentPage != NULL ? m_pCurrentPage->GetChildPage() : NULL;
    if (child == NULL)
        return FALSE;
    SwitchTo(child);
    return TRUE;
}

void COptionsDlg::ReturnToRoot()
{
    if (m_pages.empty() || m_pCurrentPage == m_pages[0])
        return;
    SwitchTo(m_pages[0]);
}

void COptionsDlg::ShowMenu(BOOL show)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (show) {
        for (COptionsPage* page : m_pages)
            page->Refresh();
        ReturnToRoot();
        ShowWindow(SW_SHOW);
        // The remote's keys reach the menu as keys of the focused window.
        ::SetForegroundWindow(m_hWnd);
        SetFocus();
    } else {
        for (COptionsPage* page : m_pages)
            page->Leave();
        ShowWindow(SW_HIDE);
    }
}

COptionsPage* COptionsDlg::GetPage(int index) const
{
    if (index < 0 || index >= (int)m_pages.size())
        return NULL;
    return m_pages[index];
}

void COptionsDlg::OnScanProgress(int from, int to, int position)
{
    if (COptionsPage* page = GetPage(2))
        page->OnScanProgress(from, to, position);
}

LRESULT COptionsDlg::OnOptionsKey(WPARAM wParam, LPARAM lParam)
{
    UINT key = (UINT)wParam;
    LRESULT answer = 2;
    if (m_pCurrentPage != NULL && m_pCurrentPage->GetSafeHwnd() != NULL)
        answer = m_pCurrentPage->SendMessage(WM_OPTIONS_KEY, key, lParam);
    if (answer != 1 && answer != 2)
        return 0;
    if (key == VK_APPS) {
        if (!IsWindowVisible())
            ShowMenu(TRUE);
        else if (!GoToParentPage())
            ShowMenu(FALSE);
    } else if (key == VK_RETURN) {
        GoToChildPage();
    }
    return 0;
}

BOOL COptionsDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        UINT key = (UINT)pMsg->wParam;
        // Esc is the keyboard's menu key.
        if (key == VK_ESCAPE)
            key = VK_APPS;
        if (key == VK_APPS || key == VK_RETURN || (key >= VK_LEFT && key <= VK_DOWN)) {
            OnOptionsKey(key, pMsg->lParam);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void COptionsDlg::DestroyPages()
{
    for (COptionsPage* page : m_pages)
        delete page;
    m_pages.clear();
    m_pCurrentPage = NULL;
}

void COptionsDlg::OnDestroy()
{
    DestroyPages();
    CDialog::OnDestroy();
}
