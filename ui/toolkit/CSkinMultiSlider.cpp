#include "CSkinMultiSlider.h"

#include "BitmapDrawing.h"
#include "BitmapRegion.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSkinMultiSlider, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CSkinMultiSlider::CSkinMultiSlider()
    : m_x(0), m_y(0), m_transparent(FALSE), m_transparentColor(0),
      m_selectionColor(RGB(255, 255, 255)), m_trackWidth(0), m_trackHeight(0), m_thumbWidth(0),
      m_thumbHeight(0), m_startEdge(0), m_endEdge(0), m_middleLine(0), m_middleHeight(0),
      m_horizontal(TRUE), m_selectionStart(0), m_selectionEnd(0), m_minimum(0),
      m_maximum(100000), m_position(0), m_dragging(FALSE), m_lastAlong(0), m_cursor(NULL)
{
}

CSkinMultiSlider::~CSkinMultiSlider()
{
}

BOOL CSkinMultiSlider::LoadResourceBitmaps(UINT track, UINT thumb, COLORREF transparentColor,
                                           BOOL transparent, int startEdge, int endEdge,
                                           int middleLine, int middleHeight)
{
    CSkinBitmap trackBitmap, thumbBitmap;
    if (!trackBitmap.LoadResource(track) || !thumbBitmap.LoadResource(thumb))
        return FALSE;
    return TakeBitmaps(trackBitmap, thumbBitmap, transparentColor, transparent, startEdge,
                       endEdge, middleLine, middleHeight);
}

BOOL CSkinMultiSlider::LoadFileBitmaps(LPCTSTR track, LPCTSTR thumb, COLORREF transparentColor,
                                       BOOL transparent, int startEdge, int endEdge,
                                       int middleLine, int middleHeight)
{
    CSkinBitmap trackBitmap, thumbBitmap;
    if (!trackBitmap.LoadFromFile(track) || !thumbBitmap.LoadFromFile(thumb))
        return FALSE;
    return TakeBitmaps(trackBitmap, thumbBitmap, transparentColor, transparent, startEdge,
                       endEdge, middleLine, middleHeight);
}

BOOL CSkinMultiSlider::TakeBitmaps(CSkinBitmap& track, CSkinBitmap& thumb,
                                   COLORREF transparentColor, BOOL transparent, int startEdge,
                                   int endEdge, int middleLine, int middleHeight)
{
    m_track.DeleteObject();
    m_track.Attach(track.Detach());
    m_thumb.DeleteObject();
    m_thumb.Attach(thumb.Detach());
    m_trackWidth = m_track.GetWidth();
    m_trackHeight = m_track.GetHeight();
    m_thumbWidth = m_thumb.GetWidth();
    m_thumbHeight = m_thumb.GetHeight();
    m_transparent = transparent;
    m_transparentColor = transparentColor;
    m_startEdge = startEdge;
    m_endEdge = endEdge;
    m_middleLine = middleLine;
    m_middleHeight = middleHeight;
    m_thumbRegion.DeleteObject();
    if (transparent)
        return CutBitmapRegion(&m_thumbRegion, &m_thumb, transparentColor);
    return TRUE;
}

void CSkinMultiSlider::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

BOOL CSkinMultiSlider::SetHorizontal(BOOL horizontal)
{
    BOOL previous = m_horizontal;
    m_horizontal = horizontal;
    return previous;
}

void CSkinMultiSlider::Redraw(BOOL redraw)
{
    if (m_hWnd != NULL)
        InvalidateRect(m_hWnd, NULL, redraw);
}

BOOL CSkinMultiSlider::SetRange(LONGLONG minimum, LONGLONG maximum, BOOL redraw)
{
    if (maximum < minimum)
        return FALSE;
    m_minimum = minimum;
    m_maximum = maximum;
    Redraw(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::SetSelection(LONGLONG start, LONGLONG end, BOOL redraw)
{
    if (start < m_minimum || end > m_maximum || start > end)
        return FALSE;
    m_selectionStart = start;
    m_selectionEnd = end;
    Redraw(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::SetPos(LONGLONG position, BOOL redraw)
{
    if (position < m_selectionStart || position > m_selectionEnd)
        return FALSE;
    m_position = position;
    Redraw(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::MoveBy(LONGLONG delta, BOOL redraw)
{
    m_position = std::min(std::max(m_position + delta, m_selectionStart), m_selectionEnd);
    Redraw(redraw);
    return TRUE;
}

CRect CSkinMultiSlider::Oriented(int along, int alongLength, int across, int acrossLength) const
{
    if (m_horizontal)
        return CRect(along, across, along + alongLength, across + acrossLength);
    return CRect(across, along, across + acrossLength, along + alongLength);
}

CRect CSkinMultiSlider::GetThumbRect() const
{
    LONGLONG span = m_maximum - m_minimum;
    LONGLONG track = m_endEdge - m_startEdge;
    LONGLONG position = std::min(std::max(m_position, m_selectionStart), m_selectionEnd);
    // A short range still moves the thumb in hundredths of the track.
    LONGLONG divisor = std::max<LONGLONG>(span, 100);
    LONGLONG offset = std::min(std::max<LONGLONG>(position - m_minimum, 0), divisor);
    int centre = (int)std::min<LONGLONG>(m_startEdge + track * offset / divisor, m_endEdge);
    int alongSize = m_horizontal ? m_thumbWidth : m_thumbHeight;
    int acrossSize = m_horizontal ? m_thumbHeight : m_thumbWidth;
    return Oriented(centre - alongSize / 2, alongSize, m_middleLine - acrossSize / 2, acrossSize);
}

BOOL CSkinMultiSlider::GetSelectionRect(CRect* rect) const
{
    LONGLONG span = m_maximum - m_minimum;
    LONGLONG track = m_endEdge - m_startEdge;
    LONGLONG start = m_selectionStart - m_minimum;
    LONGLONG end = std::min(m_selectionEnd - m_minimum, span);
    if (span <= 0 || end - start <= 0)
        return FALSE;
    *rect = Oriented((int)(m_startEdge + track * start / span), (int)(track * (end - start) / span),
                     m_middleLine - m_middleHeight / 2, m_middleHeight);
    return TRUE;
}

void CSkinMultiSlider::PreSubclassWindow()
{
    SetWindowPos(NULL, m_x, m_y, m_trackWidth, m_trackHeight, SWP_NOZORDER);
    CStatic::PreSubclassWindow();
}

void CSkinMultiSlider::OnPaint()
{
    CPaintDC dc(this);
    if (!m_track.IsLoaded() || !m_thumb.IsLoaded())
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&canvas);
    DrawBitmapPart(&memory, 0, 0, client, &m_track);
    CRect band;
    if (GetSelectionRect(&band))
        memory.FillSolidRect(&band, m_selectionColor);

    CRect thumb = GetThumbRect();
    int shift = m_horizontal ? thumb.left : thumb.top;
    BOOL clip = m_thumbRegion.GetSafeHandle() != NULL;
    if (clip) {
        m_thumbRegion.OffsetRgn(m_horizontal ? shift : 0, m_horizontal ? 0 : shift);
        memory.SelectClipRgn(&m_thumbRegion);
    }
    CRect whole(0, 0, thumb.Width(), thumb.Height());
    DrawBitmapPart(&memory, thumb.left, thumb.top, whole, &m_thumb);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    if (clip) {
        memory.SelectClipRgn(NULL);
        m_thumbRegion.OffsetRgn(m_horizontal ? -shift : 0, m_horizontal ? 0 : -shift);
    }
    memory.SelectObject(old);
}

void CSkinMultiSlider::NotifyParent()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_HSCROLL, SB_MULTISLIDER_CHANGED, (LPARAM)this);
}

void CSkinMultiSlider::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_dragging = FALSE;
    if (GetThumbRect().PtInRect(point)) {
        m_dragging = TRUE;
        ::SetCapture(m_hWnd);
        m_lastAlong = Along(point);
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CSkinMultiSlider::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_dragging) {
        int delta = Along(point) - m_lastAlong;
        if (delta != 0 && m_trackWidth != 0 && HasTrack()) {
            MoveBy((m_maximum - m_minimum) * delta / (m_endEdge - m_startEdge), TRUE);
            m_lastAlong = Along(point);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CSkinMultiSlider::OnLButtonUp(UINT nFlags, CPoint point)
{
    ::ReleaseCapture();
    if (m_dragging) {
        NotifyParent();
        m_dragging = FALSE;
    } else {
        m_dragging = TRUE;
        CRect band;
        CPoint onTrack = m_horizontal ? CPoint(point.x, m_middleLine) : CPoint(m_middleLine, point.y);
        if (HasTrack() && GetSelectionRect(&band) && band.PtInRect(onTrack)) {
            LONGLONG along = std::min(std::max(Along(point), m_startEdge), m_endEdge);
            LONGLONG span = m_maximum - m_minimum;
            if (SetPos(m_minimum + span * (along - m_startEdge) / (m_endEdge - m_startEdge), TRUE))
                NotifyParent();
        }
        m_dragging = FALSE;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

BOOL CSkinMultiSlider::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_cursor == NULL)
        return FALSE;
    ::SetCursor(m_cursor);
    return TRUE;
}
