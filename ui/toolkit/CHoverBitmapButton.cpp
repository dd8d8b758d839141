#include "CHoverBitmapButton.h"

BOOL CHoverBitmapButton::s_pressSeen = FALSE;

BEGIN_MESSAGE_MAP(CHoverBitmapButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHoverBitmapButton::CHoverBitmapButton() : m_toggle(FALSE), m_checked(FALSE)
{
    for (int i = 0; i < CButtonImages::COUNT; ++i)
        m_images.m_images[i] = &m_bitmaps[i];
}

CHoverBitmapButton::~CHoverBitmapButton()
{
}

BOOL CHoverBitmapButton::LoadBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled)
{
    const UINT ids[CButtonImages::COUNT] = {hover, normal, pressed, disabled};
    CBitmap loaded[CButtonImages::COUNT];
    for (int i = 0; i < CButtonImages::COUNT; ++i) {
        if (ids[i] == 0 || !loaded[i].LoadBitmap(ids[i]))
            return FALSE;
    }
    for (int i = 0; i < CButtonImages::COUNT; ++i) {
        m_bitmaps[i].DeleteObject();
        m_bitmaps[i].Attach(loaded[i].Detach());
    }
    BITMAP size = {};
    m_bitmaps[CButtonImages::HOVER].GetBitmap(&size);
    m_images.m_width = size.bmWidth;
    m_images.m_height = size.bmHeight;
    m_images.m_current = CButtonImages::NONE;
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

BOOL CHoverBitmapButton::LoadBitmapsWithRegion(UINT hover, UINT normal, UINT pressed,
                                               UINT disabled, COLORREF transparentColor)
{
    if (!LoadBitmaps(hover, normal, pressed, disabled))
        return FALSE;
    if (m_hWnd == NULL)
        return TRUE;
    CBitmap& image = m_bitmaps[CButtonImages::NORMAL];
    BITMAP size = {};
    image.GetBitmap(&size);
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(memory, image.GetSafeHandle());
    RECT window;
    GetWindowRect(&window);
    HRGN shape = CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top);
    for (int y = 0; y < size.bmHeight; ++y) {
        for (int x = 0; x < size.bmWidth; ++x) {
            if (GetPixel(memory, x, y) != transparentColor)
                continue;
            HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
            CombineRgn(shape, shape, pixel, RGN_XOR);
            ::DeleteObject(pixel);
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    // The window owns the region from here on.
    SetWindowRgn(m_hWnd, shape, FALSE);
    return TRUE;
}

void CHoverBitmapButton::SetToggleMode(BOOL toggle)
{
    if (toggle == m_toggle)
        return;
    m_toggle = toggle;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void CHoverBitmapButton::SetCheck(BOOL checked)
{
    if (!m_toggle || checked == m_checked)
        return;
    m_checked = checked;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void CHoverBitmapButton::SetImage(int index)
{
    m_images.SetImage(m_hWnd, index, CheckedToggle());
}

void CHoverBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_images.DrawItem(m_hWnd, lpDrawItemStruct->itemState, CheckedToggle());
}

void CHoverBitmapButton::PreSubclassWindow()
{
    SetWindowLongA(m_hWnd, GWL_STYLE, (CWnd::GetStyle() & ~BS_TYPEMASK) | BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

LRESULT CHoverBitmapButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    if (message == WM_LBUTTONDOWN) {
        s_pressSeen = TRUE;
    } else if (message == WM_LBUTTONUP && s_pressSeen && m_toggle) {
        s_pressSeen = FALSE;
        POINT cursor;
        RECT client;
        GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        GetClientRect(&client);
        if (PtInRect(&client, cursor))
            m_checked = !m_checked;
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CHoverBitmapButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if (!m_checked)
        SetImage(CButtonImages::HOVER);
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    TrackMouseEvent(&track);
}

void CHoverBitmapButton::OnMouseLeave()
{
    SetImage(CButtonImages::NORMAL);
}

void CHoverBitmapButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    SetImage(CButtonImages::NORMAL);
}

void CHoverBitmapButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
}

void CHoverBitmapButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    SetImage(bEnable ? CButtonImages::NORMAL : CButtonImages::DISABLED);
}

BOOL CHoverBitmapButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
