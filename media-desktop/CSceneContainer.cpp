#include "CSceneContainer.h"

#include "CCaptionWnd.h"
#include "CSceneBase.h"
#include "CWinApp.h"

namespace {

const int kTopBarHeight = 52;
const UINT kTopBarPeriodMs = 400;
// The bar goes once the cursor is this far down the screen.
const int kTopBarLeaveY = 60;

}  // namespace

CSceneContainer::CSceneContainer() : m_current(-1), m_topBar(NULL), m_disabledPage(NULL)
{
}

CSceneContainer::~CSceneContainer()
{
    delete m_topBar;
}

int CSceneContainer::AddPage(CSceneBase* page)
{
    if (!page)
        return -1;
    if (page->m_hWnd)
        page->ShowWindow(SW_HIDE);
    page->SetContainer(this);
    const int index = (int)m_pages.Add(page);
    if (m_current < 0)
        m_current = index;
    return index;
}

CSceneBase* CSceneContainer::GetPage(int index) const
{
    if (index < 0 || index >= GetCount())
        return NULL;
    return (CSceneBase*)m_pages[index];
}

BOOL CSceneContainer::ShowPage(int index)
{
    CSceneBase* page = GetPage(index);
    if (!page)
        return FALSE;
    if (index == m_current && page->IsWindowVisible())
        return TRUE;
    CSceneBase* previous = GetCurrentPage();
    m_current = index;
    page->ShowWindow(SW_SHOW);
    page->SetFocus();
    if (previous && previous != page)
        previous->ShowWindow(SW_HIDE);
    return TRUE;
}

void CSceneContainer::PlacePages(int cx, int cy)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (GetPage(i)->m_hWnd)
            GetPage(i)->MoveWindow(0, 0, cx, cy);
    }
}

void CSceneContainer::FocusCurrentPage()
{
    CSceneBase* page = GetCurrentPage();
    if (page && page->m_hWnd)
        page->SetFocus();
}

CWnd* CSceneContainer::Host() const
{
    CSceneBase* page = GetCurrentPage();
    return page && page->m_hWnd ? page->GetParent() : NULL;
}

void CSceneContainer::ShowTopBar(BOOL show)
{
    CWnd* host = Host();
    CSceneBase* page = GetCurrentPage();
    if (show) {
        if (m_topBar || !host)
            return;
        CRect client;
        host->GetClientRect(&client);
        m_topBar = new CCaptionWnd;
        if (!m_topBar->Create(WS_VISIBLE, CRect(0, 0, client.Width(), kTopBarHeight), host,
                              kTopBarId)) {
            delete m_topBar;
            m_topBar = NULL;
            return;
        }
        ::SetWindowPos(m_topBar->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        m_topBar->SetFocus();
        host->SetTimer(kTopBarTimer, kTopBarPeriodMs);
        page->EnableWindow(FALSE);
        m_disabledPage = page;
        return;
    }
    if (m_topBar) {
        m_topBar->DestroyWindow();
        delete m_topBar;
        m_topBar = NULL;
    }
    if (m_disabledPage && m_disabledPage != page && m_disabledPage->m_hWnd)
        m_disabledPage->EnableWindow(TRUE);
    m_disabledPage = NULL;
    if (page && page->m_hWnd) {
        page->EnableWindow(TRUE);
        CWnd* main = AfxGetMainWnd();
        if (main && main->m_hWnd && ::GetForegroundWindow() == main->m_hWnd)
            page->SetFocus();
    }
}

void CSceneContainer::OnTopBarTimer()
{
    POINT cursor;
    if (!GetCursorPos(&cursor) || cursor.y <= kTopBarLeaveY)
        return;
    CWnd* host = Host();
    if (host)
        host->KillTimer(kTopBarTimer);
    ShowTopBar(FALSE);
}
