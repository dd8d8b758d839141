#include "COptionsPage.h"

#include "AppMessages.h"
#include "COptionsRow.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(COptionsPage, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_OPTIONS_KEY, OnOptionsKeyMessage)
END_MESSAGE_MAP()

COptionsPage::COptionsPage(UINT nID) : m_nPageId(nID)
{
}

COptionsPage::~COptionsPage()
{
    for (COptionsRow* row : m_rows)
        delete row;
    DestroyWindow();
}

BOOL COptionsPage::Create(const RECT& rect, CWnd* pParent, UINT id)
{
    if (id == 0)
        id = m_nPageId;
    if (!CreateEx(0, NULL, "", WS_CHILD | WS_VISIBLE, rect, pParent, id))
        return FALSE;
    CString caption;
    caption.LoadString(IDS_OPTIONS_CAPTION);
    m_caption.Create(CRect(0, 0, 1, 1), this, id, caption);
    m_caption.SetCentred(FALSE);
    m_caption.SetTextColor(RGB(255, 0, 0));
    m_caption.SetFontSize(20, 32);
    return TRUE;
}

void COptionsPage::SizeClient(int width, int height)
{
    if (GetSafeHwnd() != NULL)
        SetWindowPos(NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COptionsPage::SetBands(CBitmap* top, CBitmap* bottom)
{
    m_pSharedTop = top;
    m_pSharedBottom = bottom;
    CSize topSize = top != NULL ? COptionsLabel::BitmapSize(*top) : CSize(0, 0);
    CSize bottomSize = bottom != NULL ? COptionsLabel::BitmapSize(*bottom) : CSize(0, 0);
    m_nTopWidth = topSize.cx;
    m_nTopHeight = topSize.cy;
    m_nBottomWidth = bottomSize.cx;
    m_nBottomHeight = bottomSize.cy;
    m_bUseShared = TRUE;
    SizeClient(m_nTopWidth, m_nTopHeight + m_nBottomHeight);
}

BOOL COptionsPage::LoadBands(UINT topId, UINT bottomId)
{
    BOOL top = COptionsLabel::ReloadBitmap(m_ownTop, topId);
    BOOL bottom = COptionsLabel::ReloadBitmap(m_ownBottom, bottomId);
    if (!m_bUseShared) {
        CSize topSize = COptionsLabel::BitmapSize(m_ownTop);
        CSize bottomSize = COptionsLabel::BitmapSize(m_ownBottom);
        m_nTopWidth = topSize.cx;
        m_nTopHeight = topSize.cy;
        m_nBottomWidth = bottomSize.cx;
        m_nBottomHeight = bottomSize.cy;
    }
    return top && bottom;
}

CBitmap* COptionsPage::TopBand()
{
    return m_bUseShared ? m_pSharedTop : &m_ownTop;
}

CBitmap* COptionsPage::BottomBand()
{
    return m_bUseShared ? m_pSharedBottom : &m_ownBottom;
}

int COptionsPage::RowHeight() const
{
    if (m_rows.empty() || m_rows[0]->GetSafeHwnd() == NULL)
        return 0;
    CRect client;
    m_rows[0]->GetClientRect(&client);
    return client.Height();
}

void COptionsPage::PlaceCaption()
{
    if (m_caption.GetSafeHwnd() == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    m_caption.SetWindowPos(NULL, 20, client.Height() - m_nBottomHeight, client.Width() - 40,
                           m_nBottomHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void COptionsPage::AddRow(COptionsRow* row)
{
    if (row == NULL)
        return;
    m_rows.push_back(row);
    if (m_rows.size() == 1) {
        m_nCurrentRow = 0;
        row->SetSelected(TRUE);
    }
    if (GetSafeHwnd() == NULL || row->GetSafeHwnd() == NULL)
        return;
    CRect rowClient, client;
    row->GetClientRect(&rowClient);
    GetClientRect(&client);
    int rowHeight = rowClient.Height();
    SizeClient(client.Width(), client.Height() + rowHeight);
    row->SetWindowPos(NULL, 0, m_nTopHeight + rowHeight * (GetRowCount() - 1), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceCaption();
}

void COptionsPage::LayoutRows()
{
    int rowHeight = RowHeight();
    SizeClient(m_nTopWidth, m_nTopHeight + rowHeight * GetRowCount() + m_nBottomHeight);
    for (int i = 0; i < GetRowCount(); ++i)
        if (m_rows[i]->GetSafeHwnd() != NULL)
            m_rows[i]->SetWindowPos(NULL, 0, m_nTopHeight + rowHeight * i, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceCaption();
}

void COptionsPage::SetRowBitmaps(CBitmap* normal, CBitmap* selected)
{
    for (COptionsRow* row : m_rows)
        row->SetSharedBitmaps(normal, selected);
}

void COptionsPage::SetCaption(LPCTSTR text)
{
    m_caption.SetText(text);
}

COptionsRow* COptionsPage::GetRow(int index) const
{
    if (index < 0 || index >= GetRowCount())
        return NULL;
    return m_rows[index];
}

void COptionsPage::AddChild(COptionsPage* page)
{
    m_children.push_back(page);
}

int COptionsPage::SetCurrentRow(int index)
{
    int old = m_nCurrentRow;
    if (m_rows.empty() || index < 0 || index >= GetRowCount())
        return old;
    m_rows[old]->SetSelected(FALSE);
    m_nCurrentRow = index;
    m_rows[index]->SetSelected(TRUE);
    return old;
}

void COptionsPage::PrevRow()
{
    if (m_rows.empty())
        return;
    SetCurrentRow(m_nCurrentRow > 0 ? m_nCurrentRow - 1 : GetRowCount() - 1);
}

void COptionsPage::NextRow()
{
    if (m_rows.empty())
        return;
    SetCurrentRow(m_nCurrentRow + 1 < GetRowCount() ? m_nCurrentRow + 1 : 0);
}

COptionsPage* COptionsPage::GetChildPage()
{
    if (m_children.size() == 1)
        return m_children[0];
    if (m_nCurrentRow < 0 || m_nCurrentRow >= GetChildCount())
        return NULL;
    return m_children[m_nCurrentRow];
}

void COptionsPage::ShowPage(BOOL show)
{
    if (show) {
        Refresh();
        ShowWindow(SW_SHOW);
    } else {
        Leave();
        ShowWindow(SW_HIDE);
    }
}

BOOL COptionsPage::GoToParent()
{
    if (m_pParentPage == NULL)
        return FALSE;
    ShowPage(FALSE);
    m_pParentPage->ShowPage(TRUE);
    return TRUE;
}

BOOL COptionsPage::GoToChild()
{
    if (m_children.empty())
        return FALSE;
    ShowPage(FALSE);
    m_children[0]->ShowPage(TRUE);
    return TRUE;
}

LRESULT COptionsPage::OnPageKey(UINT, LPARAM)
{
    return 2;
}

LRESULT COptionsPage::OnOptionsKey(UINT key, LPARAM lParam)
{
    // The menu key always goes back to the host, which leaves the page.
    if (key == VK_APPS)
        return 2;
    COptionsRow* row = GetRow(m_nCurrentRow);
    LRESULT answer = row != NULL && row->GetSafeHwnd() != NULL
                         ? row->SendMessage(WM_OPTIONS_KEY, key, lParam)
                         : 2;
    if (answer != 1 && answer != 2)
        return 0;
    switch (key) {
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT:
        return OnPageKey(key, lParam);
    case VK_UP:
    case VK_DOWN:
        // A row that passed the key over gives way to the next one; one that used it has the
        // page react to the change.
        if (answer == 2) {
            if (key == VK_UP)
                PrevRow();
            else
                NextRow();
            return 0;
        }
        return OnPageKey(key, lParam);
    default:
        return 0;
    }
}

LRESULT COptionsPage::OnOptionsKeyMessage(WPARAM wParam, LPARAM lParam)
{
    return OnOptionsKey((UINT)wParam, lParam);
}

void COptionsPage::DrawBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (CBitmap* top = TopBand())
        COptionsLabel::DrawBitmap(pDC, *top, 0, 0, m_nTopWidth, m_nTopHeight);
    if (CBitmap* bottom = BottomBand())
        COptionsLabel::DrawBitmap(pDC, *bottom, 0, client.Height() - m_nBottomHeight,
                                  m_nBottomWidth, m_nBottomHeight);
    if (m_caption.GetSafeHwnd() != NULL)
        m_caption.Invalidate();
}

void COptionsPage::OnPaint()
{
    CPaintDC dc(this);
    DrawBackground(&dc);
}

BOOL COptionsPage::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
