#include "CSkinScrollBar.h"

#include "BitmapPainters.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSkinScrollBar, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSkinScrollBar::CSkinScrollBar()
    : m_vertical(FALSE), m_pos(0), m_min(0), m_max(100), m_step(5), m_part(PART_OTHER),
      m_tracking(FALSE)
{
}

BOOL CSkinScrollBar::LoadArrowBitmaps(BOOL second, UINT first, UINT hover, UINT pressed,
                                      UINT disabled)
{
    const UINT ids[4] = {first, hover, pressed, disabled};
    BOOL loaded = TRUE;
    for (int i = 0; i < 4; ++i)
        loaded = LoadBitmapResource(&m_arrows[second ? 1 : 0][i], ids[i]) && loaded;
    return loaded;
}

BOOL CSkinScrollBar::LoadThumbBitmap(UINT id)
{
    return LoadBitmapResource(&m_thumb, id);
}

BOOL CSkinScrollBar::LoadTrackBitmap(UINT id)
{
    return LoadBitmapResource(&m_track, id);
}

void CSkinScrollBar::SetRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
    m_pos = Clamp(m_pos);
}

void CSkinScrollBar::SetPos(int pos)
{
    m_pos = Clamp(pos);
    if (m_hWnd != NULL)
        Redraw();
}

int CSkinScrollBar::Clamp(int pos) const
{
    return std::max<int>(m_min, std::min<int>(pos, m_max));
}

CSize CSkinScrollBar::ArrowSize(BOOL second) const
{
    CBitmap* bitmap = const_cast<CBitmap*>(&m_arrows[second ? 1 : 0][0]);
    if (bitmap->GetSafeHandle() != NULL)
        return CSize(GetBitmapWidth(bitmap), GetBitmapHeight(bitmap));
    return CSize(GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL));
}

CSize CSkinScrollBar::ThumbSize() const
{
    CBitmap* bitmap = const_cast<CBitmap*>(&m_thumb);
    if (bitmap->GetSafeHandle() != NULL)
        return CSize(GetBitmapWidth(bitmap), GetBitmapHeight(bitmap));
    return CSize(GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB));
}

CRect CSkinScrollBar::GetArrowRect(BOOL second) const
{
    CRect client;
    GetClientRect(&client);
    CSize size = ArrowSize(second);
    if (!second)
        return CRect(client.TopLeft(), size);
    if (m_vertical)
        return CRect(client.left, client.bottom - size.cy, client.left + size.cx, client.bottom);
    return CRect(client.right - size.cx, client.top, client.right, client.top + size.cy);
}

CRect CSkinScrollBar::GetTrackRect() const
{
    CRect client;
    GetClientRect(&client);
    CRect first = GetArrowRect(FALSE);
    CRect second = GetArrowRect(TRUE);
    if (m_vertical)
        return CRect(client.left, first.bottom, client.right, second.top);
    return CRect(first.right, client.top, second.left, client.bottom);
}

CRect CSkinScrollBar::GetThumbRect() const
{
    CRect track = GetTrackRect();
    CSize thumb = ThumbSize();
    int start = m_vertical ? track.top : track.left;
    int end = m_vertical ? track.bottom : track.right;
    int length = m_vertical ? thumb.cy : thumb.cx;
    int begin = start;
    // A range of no width would divide by zero: its thumb stays at the start.
    if (end - start > length && m_max != m_min) {
        int percent = m_pos * 100 / (m_max - m_min);
        int span = (end - length / 2) - (start + length / 2);
        int centre = start + length / 2 + (int)(span * percent * 0.01);
        begin = centre - length / 2;
    }
    if (m_vertical)
        return CRect(track.left, begin, track.left + thumb.cx, begin + thumb.cy);
    return CRect(begin, track.top, begin + thumb.cx, track.top + thumb.cy);
}

int CSkinScrollBar::HitTest(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return PART_NONE;
    if (GetArrowRect(FALSE).PtInRect(point))
        return PART_FIRST_ARROW;
    if (GetArrowRect(TRUE).PtInRect(point))
        return PART_SECOND_ARROW;
    if (!GetTrackRect().PtInRect(point))
        return PART_OTHER;
    return GetThumbRect().PtInRect(point) ? PART_THUMB : PART_TRACK;
}

int CSkinScrollBar::PosFromPoint(CPoint point) const
{
    CRect track = GetTrackRect();
    int length = m_vertical ? ThumbSize().cy : ThumbSize().cx;
    int low = (m_vertical ? track.top : track.left) + length / 2;
    int high = (m_vertical ? track.bottom : track.right) - length / 2;
    // A track no longer than the thumb has no travel to divide by.
    if (high <= low)
        return m_min;
    int coordinate = m_vertical ? point.y : point.x;
    int percent = (coordinate - low) * 100 / (high - low);
    return Clamp(percent * (m_max - m_min) / 100);
}

void CSkinScrollBar::PreSubclassWindow()
{
    // A static without it lets the mouse through to its parent.
    ModifyStyle(0, SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

void CSkinScrollBar::OnLButtonDown(UINT, CPoint point)
{
    m_part = HitTest(point);
    ::SetCapture(m_hWnd);
    m_tracking = TRUE;
    if (m_part == PART_TRACK) {
        m_pos = PosFromPoint(point);
        if (GetThumbRect().PtInRect(point))
            m_part = PART_THUMB;
        Notify(CODE_TRACK);
    } else if (m_part == PART_THUMB) {
        Notify(CODE_TRACK);
    } else if (OnArrow()) {
        SetTimer(TIMER_DELAY, DELAY_MS);
        Step();
    }
    Redraw();
}

void CSkinScrollBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CSkinScrollBar::OnLButtonUp(UINT, CPoint point)
{
    ReleaseCapture();
    if (m_tracking) {
        m_part = HitTest(point);
        Notify(CODE_END);
    }
    KillTimer(TIMER_DELAY);
    KillTimer(TIMER_REPEAT);
    m_tracking = FALSE;
    m_part = PART_OTHER;
}

void CSkinScrollBar::OnMouseMove(UINT, CPoint point)
{
    if (!m_tracking || m_part != PART_THUMB)
        return;
    m_pos = PosFromPoint(point);
    Redraw();
    Notify(CODE_TRACK);
}

void CSkinScrollBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_DELAY) {
        KillTimer(TIMER_DELAY);
        if (m_tracking && OnArrow())
            SetTimer(TIMER_REPEAT, REPEAT_MS);
    } else if (nIDEvent == TIMER_REPEAT) {
        // The pressed arrow keeps stepping wherever the mouse has gone.
        if (m_tracking && OnArrow()) {
            Step();
            Redraw();
        }
    }
}

void CSkinScrollBar::Step()
{
    BOOL back = m_part == PART_FIRST_ARROW;
    m_pos = Clamp(m_pos + (back ? -m_step : m_step));
    Notify(back ? CODE_STEP_BACK : CODE_STEP_FORWARD);
}

void CSkinScrollBar::Notify(int code)
{
    CWnd* parent = GetParent();
    if (parent != NULL)
        parent->SendMessage(m_vertical ? WM_VSCROLL : WM_HSCROLL,
                            MAKEWPARAM(code, GetDlgCtrlID()), 0);
}

void CSkinScrollBar::Redraw()
{
    Invalidate(FALSE);
}

BOOL CSkinScrollBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSkinScrollBar::OnPaint()
{
    CPaintDC paint(this);
    if (m_arrows[0][0].GetSafeHandle() == NULL || m_arrows[1][0].GetSafeHandle() == NULL
        || m_thumb.GetSafeHandle() == NULL || m_track.GetSafeHandle() == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&paint);
    CBitmap image;
    image.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&image);
    BlitBitmap(&memory, GetArrowRect(FALSE), &m_arrows[0][0]);
    BlitBitmap(&memory, GetArrowRect(TRUE), &m_arrows[1][0]);
    TileBitmap(&memory, GetTrackRect(), &m_track);
    BlitBitmap(&memory, GetThumbRect(), &m_thumb);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}
