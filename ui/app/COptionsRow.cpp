#include "COptionsRow.h"

#include "AppMessages.h"
#include "COptionsLabel.h"

BEGIN_MESSAGE_MAP(COptionsRow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_OPTIONS_KEY, OnOptionsKey)
END_MESSAGE_MAP()

COptionsRow::COptionsRow()
{
}

COptionsRow::~COptionsRow()
{
    for (COptionsLabel* cell : m_cells)
        delete cell;
    DestroyWindow();
}

BOOL COptionsRow::Create(const RECT& rect, CWnd* pParent, UINT id)
{
    return CreateEx(0, NULL, "", WS_CHILD | WS_VISIBLE, rect, pParent, id);
}

void COptionsRow::AddCell(COptionsLabel* cell)
{
    if (cell == NULL)
        return;
    m_cells.push_back(cell);
    cell->SetHighlight(m_bSelected);
}

COptionsLabel* COptionsRow::GetCell(int index) const
{
    if (index < 0 || index >= GetCellCount())
        return NULL;
    return m_cells[index];
}

int COptionsRow::SetCurrentCell(int index)
{
    int old = m_nCurrentCell;
    int count = GetCellCount();
    if (index < 0)
        index = count > 0 ? count - 1 : 0;
    else if (index >= count)
        index = 0;
    m_nCurrentCell = index;
    return old;
}

void COptionsRow::SetSelected(BOOL selected)
{
    selected = selected != FALSE;
    if (m_bSelected == selected)
        return;
    m_bSelected = selected;
    for (COptionsLabel* cell : m_cells)
        cell->SetHighlight(selected);
    if (GetSafeHwnd() != NULL)
        Invalidate();
}

void COptionsRow::SizeTo(CBitmap* bitmap)
{
    CSize size = bitmap != NULL ? COptionsLabel::BitmapSize(*bitmap) : CSize(0, 0);
    if (GetSafeHwnd() != NULL && size.cx > 0 && size.cy > 0)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL COptionsRow::SetBitmaps(UINT normalId, UINT selectedId)
{
    BOOL normal = COptionsLabel::ReloadBitmap(m_normal, normalId);
    BOOL selected = COptionsLabel::ReloadBitmap(m_selected, selectedId);
    if (!normal || !selected)
        return FALSE;
    m_bUseShared = FALSE;
    SizeTo(&m_normal);
    return TRUE;
}

void COptionsRow::SetSharedBitmaps(CBitmap* normal, CBitmap* selected)
{
    m_pSharedNormal = normal;
    m_pSharedSelected = selected;
    m_bUseShared = TRUE;
    SizeTo(normal);
}

void COptionsRow::DrawBackground(CDC* pDC)
{
    CBitmap* background;
    if (m_bUseShared)
        background = m_bSelected ? m_pSharedSelected : m_pSharedNormal;
    else
        background = m_bSelected ? &m_selected : &m_normal;
    CRect client;
    GetClientRect(&client);
    if (background != NULL)
        COptionsLabel::DrawBitmap(pDC, *background, 0, 0, client.Width(), client.Height());
    for (COptionsLabel* cell : m_cells)
        if (cell->GetSafeHwnd() != NULL)
            cell->Invalidate();
}

void COptionsRow::OnPaint()
{
    CPaintDC dc(this);
    DrawBackground(&dc);
}

BOOL COptionsRow::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT COptionsRow::SendToCell(int index, UINT key, LPARAM lParam)
{
    COptionsLabel* cell = GetCell(index);
    if (cell == NULL || cell->GetSafeHwnd() == NULL)
        return 2;
    return cell->SendMessage(WM_OPTIONS_KEY, key, lParam);
}

LRESULT COptionsRow::OnOptionsKey(WPARAM wParam, LPARAM lParam)
{
    UINT key = (UINT)wParam;
    switch (key) {
    case VK_UP:
    case VK_DOWN: {
        LRESULT answer = SendToCell(m_nCurrentCell, key, lParam);
        return answer == 0 ? 1 : answer;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        // Each cell is asked at most once: the walk ends on the first that uses the key.
        int step = key == VK_RIGHT ? 1 : -1;
        int count = GetCellCount();
        for (int asked = 0; asked < count; ++asked) {
            if (asked > 0)
                SetCurrentCell(m_nCurrentCell + step);
            LRESULT answer = SendToCell(m_nCurrentCell, key, lParam);
            if (answer != 2)
                return answer == 0 ? 1 : answer;
        }
        return 2;
    }
    default:
        // Enter and every other key are the page's to decide.
        return 2;
    }
}
