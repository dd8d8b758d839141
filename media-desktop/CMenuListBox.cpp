#include "CMenuListBox.h"

#include "KitBitmap.h"
#include "VelmoraResource.h"

BEGIN_MESSAGE_MAP(CMenuListBox, CSuperListBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CMenuListBox::CMenuListBox() : m_currentBitmap(NULL), m_hoverBitmap(NULL), m_plainBitmap(NULL)
{
    SetFontSpec("新宋体", 200);
}

CMenuListBox::~CMenuListBox()
{
    for (HBITMAP bitmap : {m_currentBitmap, m_hoverBitmap, m_plainBitmap}) {
        if (bitmap)
            DeleteObject(bitmap);
    }
}

int CMenuListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CSuperListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_itemFont.CreatePointFont(240, "新宋体");
    m_currentBitmap = LoadKitBitmap(IDB_MENU_ITEM_CURRENT);
    m_hoverBitmap = LoadKitBitmap(IDB_MENU_ITEM_HOVER);
    m_plainBitmap = LoadKitBitmap(IDB_MENU_ITEM);
    return 0;
}

void CMenuListBox::DrawItem(CDC* pDC, int index, const CRect& rect)
{
    HBITMAP bitmap = index == m_hover     ? m_hoverBitmap
                     : index == m_current ? m_currentBitmap
                                          : m_plainBitmap;
    DrawKitBitmap(pDC->m_hDC, rect, bitmap, m_transparentColor);
    CFont* oldFont = pDC->SelectObject(&m_itemFont);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(TextColorOf(index));
    CRect text = rect;
    pDC->DrawText(m_items[index], &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    pDC->SelectObject(oldFont);
}
