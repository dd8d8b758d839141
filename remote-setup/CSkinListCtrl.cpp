#include "CSkinListCtrl.h"

#include "BitmapPainters.h"

BOOL CSkinListCtrl::s_headerTaken = FALSE;

BEGIN_MESSAGE_MAP(CSkinListCtrl, CListCtrl)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CSkinListCtrl::Init()
{
    if (s_headerTaken)
        return;
    HWND header = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    if (header != NULL && m_header.SubclassWindow(header))
        s_headerTaken = TRUE;
}

BOOL CSkinListCtrl::LoadBackground(UINT id)
{
    return LoadBitmapResource(&m_background, id);
}

BOOL CSkinListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (m_background.GetSafeHandle() == NULL)
        return (BOOL)Default();
    CRect client;
    GetClientRect(&client);
    TileBitmap(pDC, client, &m_background);
    return TRUE;
}
