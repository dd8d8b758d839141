#include "CMemDC.h"

CMemDC::CMemDC(CDC* pDC, const CRect& rect) : m_oldBitmap(NULL), m_target(pDC), m_rect(rect)
{
    CreateCompatibleDC(pDC);
    m_bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(rect.left, rect.top);
}

CMemDC::~CMemDC()
{
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                     m_rect.top, SRCCOPY);
    SelectObject(m_oldBitmap);
}
