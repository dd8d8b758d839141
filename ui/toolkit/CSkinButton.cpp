#include "CSkinButton.h"

#include "BitmapRegion.h"

BOOL CSkinButton::s_pressSeen = FALSE;

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSkinButton::CSkinButton()
    : m_checked(FALSE), m_style(0), m_x(0), m_y(0), m_pressed(FALSE), m_transparent(FALSE),
      m_transparentColor(0)
{
    for (int i = 0; i < CButtonImages::COUNT; ++i)
        m_images.m_images[i] = &m_bitmaps[i];
}

CSkinButton::~CSkinButton()
{
}

BOOL CSkinButton::LoadResourceBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled,
                                      COLORREF transparentColor, BOOL transparent)
{
    const UINT ids[CButtonImages::COUNT] = {hover, normal, pressed, disabled};
    CSkinBitmap loaded[CButtonImages::COUNT];
    for (int i = 0; i < CButtonImages::COUNT; ++i) {
        if (!loaded[i].LoadResource(ids[i]))
            return FALSE;
    }
    return TakeBitmaps(loaded, transparentColor, transparent);
}

BOOL CSkinButton::LoadFileBitmaps(LPCTSTR hover, LPCTSTR normal, LPCTSTR pressed,
                                  LPCTSTR disabled, COLORREF transparentColor, BOOL transparent)
{
    const LPCTSTR paths[CButtonImages::COUNT] = {hover, normal, pressed, disabled};
    CSkinBitmap loaded[CButtonImages::COUNT];
    for (int i = 0; i < CButtonImages::COUNT; ++i) {
        if (!loaded[i].LoadFromFile(paths[i]))
            return FALSE;
    }
    return TakeBitmaps(loaded, transparentColor, transparent);
}

BOOL CSkinButton::TakeBitmaps(CSkinBitmap (&loaded)[CButtonImages::COUNT],
                              COLORREF transparentColor, BOOL transparent)
{
    for (int i = 0; i < CButtonImages::COUNT; ++i) {
        m_bitmaps[i].DeleteObject();
        m_bitmaps[i].Attach(loaded[i].Detach());
    }
    m_images.m_current = CButtonImages::NONE;
    m_images.m_width = m_bitmaps[CButtonImages::HOVER].GetWidth();
    m_images.m_height = m_bitmaps[CButtonImages::HOVER].GetHeight();
    m_transparent = transparent;
    m_transparentColor = transparentColor;
    m_region.DeleteObject();
    if (transparent)
        return CutBitmapRegion(&m_region, &m_bitmaps[CButtonImages::NORMAL], transparentColor);
    return TRUE;
}

void CSkinButton::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

BOOL CSkinButton::SetCheck(BOOL checked)
{
    BOOL previous = m_checked;
    m_checked = checked;
    return previous;
}

void CSkinButton::SetImage(int index)
{
    m_images.SetImage(m_hWnd, index, CheckedToggle());
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_images.DrawItem(m_hWnd, lpDrawItemStruct->itemState, CheckedToggle());
}

void CSkinButton::PreSubclassWindow()
{
    // An owner-drawn button answers no check state: read it first.
    if (m_style != 0)
        m_checked = ::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SetWindowLongA(m_hWnd, GWL_STYLE, (CWnd::GetStyle() & ~BS_TYPEMASK) | BS_OWNERDRAW);
    SetWindowPos(NULL, m_x, m_y, m_images.m_width, m_images.m_height, SWP_NOZORDER);
    if (m_transparent && m_region.GetSafeHandle() != NULL) {
        // The window owns the region it is given: it gets a copy.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(shape, m_region, NULL, RGN_COPY);
        SetWindowRgn(m_hWnd, shape, FALSE);
    }
    CButton::PreSubclassWindow();
}

LRESULT CSkinButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    if (message == WM_LBUTTONDOWN) {
        s_pressSeen = TRUE;
        m_pressed = TRUE;
    } else if (message == WM_LBUTTONUP) {
        m_pressed = FALSE;
        if (s_pressSeen && m_style != 0) {
            s_pressSeen = FALSE;
            POINT cursor;
            RECT client;
            GetCursorPos(&cursor);
            ScreenToClient(&cursor);
            GetClientRect(&client);
            if (PtInRect(&client, cursor))
                m_checked = !m_checked;
        }
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CSkinButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if (!m_pressed && !m_checked)
        SetImage(CButtonImages::HOVER);
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    TrackMouseEvent(&track);
}

void CSkinButton::OnMouseLeave()
{
    SetImage(CButtonImages::NORMAL);
}

void CSkinButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    SetImage(CButtonImages::NORMAL);
}

void CSkinButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    SetImage(bEnable ? CButtonImages::NORMAL : CButtonImages::DISABLED);
}

BOOL CSkinButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
