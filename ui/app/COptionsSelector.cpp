#include "COptionsSelector.h"

COptionsSelector::COptionsSelector()
{
    m_highlightColor = RGB(255, 0, 0);
    m_nNotifyCode = 4;
}

LRESULT COptionsSelector::OnKey(UINT key, LPARAM)
{
    if (key == VK_LEFT) {
        SetCurSel(m_nCurSel - 1);
        return 0;
    }
    if (key == VK_RIGHT) {
        SetCurSel(m_nCurSel + 1);
        return 0;
    }
    return 2;
}

void COptionsSelector::AddString(LPCTSTR text)
{
    m_items.Add(text);
    ShowCurrent();
}

void COptionsSelector::RemoveAll()
{
    m_items.RemoveAll();
    m_nCurSel = 0;
    ShowCurrent();
}

void COptionsSelector::SetCurSel(int index)
{
    int count = GetCount();
    if (index < 0)
        index = count > 0 ? count - 1 : 0;
    else if (index >= count)
        index = 0;
    m_nCurSel = index;
    ShowCurrent();
}

CString COptionsSelector::GetCurText() const
{
    if (m_nCurSel < 0 || m_nCurSel >= GetCount())
        return CString();
    return m_items[m_nCurSel];
}

void COptionsSelector::ShowCurrent()
{
    StoreText(GetCurText());
    Repaint();
}

BOOL COptionsSelector::SetBitmaps(UINT leftNormal, UINT leftHighlighted, UINT rightNormal,
                                  UINT rightHighlighted)
{
    BOOL loaded = ReloadBitmap(m_leftNormal, leftNormal);
    loaded = ReloadBitmap(m_leftHighlighted, leftHighlighted) && loaded;
    loaded = ReloadBitmap(m_rightNormal, rightNormal) && loaded;
    loaded = ReloadBitmap(m_rightHighlighted, rightHighlighted) && loaded;
    if (!loaded)
        return FALSE;
    m_nLeftWidth = BitmapSize(m_leftNormal).cx;
    CSize right = BitmapSize(m_rightNormal);
    m_nRightWidth = right.cx;
    if (GetSafeHwnd() != NULL) {
        CRect client;
        GetClientRect(&client);
        SetWindowPos(NULL, 0, 0, client.Width(), right.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void COptionsSelector::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBitmap& left = m_bHighlighted ? m_leftHighlighted : m_leftNormal;
    CBitmap& right = m_bHighlighted ? m_rightHighlighted : m_rightNormal;
    DrawBitmap(pDC, left, 0, 0, m_nLeftWidth, client.Height());
    DrawBitmap(pDC, right, client.right - m_nRightWidth, 0, m_nRightWidth, client.Height());
    CRect text = client;
    text.left += m_nLeftWidth;
    text.right -= m_nRightWidth;
    DrawTextIn(pDC, text);
}
