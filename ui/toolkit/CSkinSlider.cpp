#include "CSkinSlider.h"

#include "BitmapDrawing.h"
#include "BitmapRegion.h"

BEGIN_MESSAGE_MAP(CSkinSlider, CSliderCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSkinSlider::CSkinSlider()
    : m_x(0), m_y(0), m_transparent(FALSE), m_transparentColor(0), m_trackWidth(0),
      m_trackHeight(0), m_thumbWidth(0), m_thumbHeight(0), m_horizontal(TRUE)
{
}

CSkinSlider::~CSkinSlider()
{
}

BOOL CSkinSlider::LoadResourceBitmaps(UINT track, UINT thumb, COLORREF transparentColor,
                                      BOOL transparent)
{
    CSkinBitmap trackBitmap, thumbBitmap;
    if (!trackBitmap.LoadResource(track) || !thumbBitmap.LoadResource(thumb))
        return FALSE;
    return TakeBitmaps(trackBitmap, thumbBitmap, transparentColor, transparent);
}

BOOL CSkinSlider::LoadFileBitmaps(LPCTSTR track, LPCTSTR thumb, COLORREF transparentColor,
                                  BOOL transparent)
{
    CSkinBitmap trackBitmap, thumbBitmap;
    if (!trackBitmap.LoadFromFile(track) || !thumbBitmap.LoadFromFile(thumb))
        return FALSE;
    return TakeBitmaps(trackBitmap, thumbBitmap, transparentColor, transparent);
}

BOOL CSkinSlider::TakeBitmaps(CSkinBitmap& track, CSkinBitmap& thumb, COLORREF transparentColor,
                              BOOL transparent)
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
    m_thumbRegion.DeleteObject();
    if (transparent)
        return CutBitmapRegion(&m_thumbRegion, &m_thumb, transparentColor);
    return TRUE;
}

void CSkinSlider::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

BOOL CSkinSlider::SetHorizontal(BOOL horizontal)
{
    BOOL previous = m_horizontal;
    m_horizontal = horizontal;
    return previous;
}

int CSkinSlider::SetThumbLength(int length)
{
    SendMessage(TBM_SETTHUMBLENGTH, length);
    return (int)SendMessage(TBM_GETTHUMBLENGTH);
}

void CSkinSlider::PreSubclassWindow()
{
    DWORD style = CWnd::GetStyle() | TBS_FIXEDLENGTH;
    style = m_horizontal ? (style & ~TBS_VERT) : (style | TBS_VERT);
    SetWindowLongA(m_hWnd, GWL_STYLE, style);
    SetWindowPos(NULL, m_x, m_y, m_trackWidth, m_trackHeight, SWP_NOZORDER);
    CSliderCtrl::PreSubclassWindow();
}

void CSkinSlider::OnPaint()
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

    CRect thumb;
    GetThumbRect(&thumb);
    // The region is cut at the bitmap's origin; only the along-track offset follows the thumb.
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
