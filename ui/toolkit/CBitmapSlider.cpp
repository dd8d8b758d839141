#include "CBitmapSlider.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CBitmapSlider, CSliderCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CBitmapSlider::CBitmapSlider() : m_thumbHeight(0), m_thumbWidth(0)
{
}

CBitmapSlider::~CBitmapSlider()
{
}

BOOL CBitmapSlider::LoadBitmaps(UINT backgroundId, UINT thumbId)
{
    GetWindowRect(&m_rect);
    ::MapWindowPoints(NULL, ::GetParent(m_hWnd), (LPPOINT)&m_rect, 2);
    BOOL loaded = TRUE;
    if (thumbId != 0) {
        CBitmap thumb;
        if (thumb.LoadBitmap(thumbId)) {
            BITMAP size = {};
            thumb.GetBitmap(&size);
            m_thumbWidth = size.bmWidth;
            m_thumbHeight = size.bmHeight;
            m_thumb.DeleteObject();
            m_thumb.Attach(thumb.Detach());
        } else {
            loaded = FALSE;
        }
    }
    if (backgroundId != 0) {
        CBitmap picture;
        if (picture.LoadBitmap(backgroundId)) {
            CClientDC screen(NULL);
            CDC from, to;
            from.CreateCompatibleDC(&screen);
            to.CreateCompatibleDC(&screen);
            CBitmap part;
            part.CreateCompatibleBitmap(&screen, m_rect.Width(), m_rect.Height());
            CBitmap* oldFrom = from.SelectObject(&picture);
            CBitmap* oldTo = to.SelectObject(&part);
            to.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &from, m_rect.left, m_rect.top,
                      SRCCOPY);
            from.SelectObject(oldFrom);
            to.SelectObject(oldTo);
            m_background.DeleteObject();
            m_background.Attach(part.Detach());
        } else {
            loaded = FALSE;
        }
    }
    return loaded;
}

void CBitmapSlider::SetThumbLength(int length)
{
    SendMessage(TBM_SETTHUMBLENGTH, length);
}

int CBitmapSlider::GetThumbLength() const
{
    return (int)::SendMessageA(m_hWnd, TBM_GETTHUMBLENGTH, 0, 0);
}

void CBitmapSlider::PreSubclassWindow()
{
    SetWindowLongA(m_hWnd, GWL_STYLE, CWnd::GetStyle() | TBS_FIXEDLENGTH);
    CSliderCtrl::PreSubclassWindow();
}

void CBitmapSlider::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    if (m_background.GetSafeHandle() != NULL) {
        CBitmap* old = memory.SelectObject(&m_background);
        dc.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }
    if (m_thumb.GetSafeHandle() != NULL) {
        CRect thumb;
        GetThumbRect(&thumb);
        int half = m_thumbWidth / 2;
        int width = std::min(thumb.Width(), half);
        int height = std::min(thumb.Height(), m_thumbHeight);
        CBitmap* old = memory.SelectObject(&m_thumb);
        dc.BitBlt(thumb.left, thumb.top, width, height, &memory, half, 0, SRCAND);
        dc.BitBlt(thumb.left, thumb.top, width, height, &memory, 0, 0, SRCINVERT);
        memory.SelectObject(old);
    }
}
