#include "CSkinDialog.h"

#include "BitmapDrawing.h"

#include <algorithm>

namespace {

// The bitmap repeated from the part's top-left, through a memory bitmap of the part's size so
// that the window shows the tiles at once.
void TileBitmap(CDC* pDC, const CRect& part, CSkinBitmap& bitmap)
{
    if (!bitmap.IsLoaded() || part.Width() <= 0 || part.Height() <= 0)
        return;
    int width = bitmap.GetWidth(), height = bitmap.GetHeight();
    if (width <= 0 || height <= 0)
        return;
    CDC memDC;
    CBitmap canvas;
    if (!memDC.CreateCompatibleDC(pDC) ||
        !canvas.CreateCompatibleBitmap(pDC, part.Width(), part.Height()))
        return;
    CBitmap* oldCanvas = memDC.SelectObject(&canvas);
    int columns = (part.Width() + width) / width;
    int rows = (part.Height() + height) / height;
    CRect whole(0, 0, width, height);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            DrawBitmapPart(&memDC, column * width, row * height, whole, &bitmap);
    pDC->BitBlt(part.left, part.top, part.Width(), part.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(oldCanvas);
}

} // namespace

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SIZING()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CSkinDialog::~CSkinDialog() {}

BOOL CSkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

BOOL CSkinDialog::SetCaptionBitmaps(UINT leftId, UINT rightId, UINT middleId)
{
    m_captionLeft.DeleteObject();
    m_captionRight.DeleteObject();
    m_captionMiddle.DeleteObject();
    BOOL loaded = m_captionLeft.LoadResource(leftId) & m_captionRight.LoadResource(rightId) &
                  m_captionMiddle.LoadResource(middleId);
    if (m_captionLeft.IsLoaded())
        m_nCaptionHeight = m_captionLeft.GetHeight();
    return loaded;
}

BOOL CSkinDialog::SetBorderBitmaps(UINT leftId, UINT rightId, UINT bottomId)
{
    m_borderLeft.DeleteObject();
    m_borderRight.DeleteObject();
    m_borderBottom.DeleteObject();
    BOOL loaded = m_borderLeft.LoadResource(leftId) & m_borderRight.LoadResource(rightId) &
                  m_borderBottom.LoadResource(bottomId);
    if (m_borderLeft.IsLoaded())
        m_nBorderWidth = m_borderLeft.GetWidth();
    if (m_borderBottom.IsLoaded())
        m_nBottomHeight = m_borderBottom.GetHeight();
    return loaded;
}

BOOL CSkinDialog::LoadButton(CaptionButton& button, UINT normalId, UINT hoverId, UINT pressedId)
{
    UINT ids[3] = {normalId, hoverId, pressedId};
    BOOL loaded = TRUE;
    for (int i = 0; i < 3; ++i) {
        button.images[i].DeleteObject();
        loaded &= button.images[i].LoadResource(ids[i]);
    }
    return loaded;
}

BOOL CSkinDialog::SetMinButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId)
{
    return LoadButton(m_minButton, normalId, hoverId, pressedId);
}

BOOL CSkinDialog::SetMaxButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId)
{
    return LoadButton(m_maxButton, normalId, hoverId, pressedId);
}

BOOL CSkinDialog::SetCloseButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId)
{
    return LoadButton(m_closeButton, normalId, hoverId, pressedId);
}

void CSkinDialog::SetAspectRatio(SIZE ratio)
{
    if (ratio.cx < 1 || ratio.cy < 1)
        return;
    m_aspectRatio = ratio;
    if (!GetSafeHwnd())
        return;
    CRect rect;
    GetWindowRect(&rect);
    OnSizing(WMSZ_RIGHT, &rect);
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

CRect CSkinDialog::GetCloseButtonRect(const CRect& rightPart)
{
    return CRect(CPoint(rightPart.left + 72, rightPart.top + 2), CSize(22, 21));
}

CRect CSkinDialog::GetMaxButtonRect(const CRect& rightPart)
{
    return CRect(CPoint(rightPart.left + 49, rightPart.top + 2), CSize(22, 21));
}

CRect CSkinDialog::GetMinButtonRect(const CRect& rightPart)
{
    return CRect(CPoint(rightPart.left + 25, rightPart.top + 2), CSize(22, 21));
}

CSkinDialog::FrameParts CSkinDialog::GetFrameParts(const CRect& window)
{
    FrameParts parts;
    const CRect& w = window;
    parts.caption = CRect(w.left, w.top, w.right, w.top + m_nCaptionHeight);
    parts.left = CRect(w.left, parts.caption.bottom, w.left + m_nBorderWidth, w.bottom - m_nBottomHeight);
    parts.right = CRect(w.right - m_nBorderWidth, parts.caption.bottom, w.right, w.bottom - m_nBottomHeight);
    parts.bottom = CRect(w.left, w.bottom - m_nBottomHeight, w.right, w.bottom);

    int leftWidth = m_captionLeft.IsLoaded() ? std::min(m_captionLeft.GetWidth(), w.Width()) : 0;
    parts.captionLeft = CRect(w.left, w.top, w.left + leftWidth, parts.caption.bottom);
    int rightWidth = m_captionRight.IsLoaded() ? m_captionRight.GetWidth() : 0;
    int rightStart = std::max((int)w.right - rightWidth, (int)parts.captionLeft.right);
    parts.captionRight = CRect(rightStart, w.top, w.right, parts.caption.bottom);
    int middleHeight = m_captionMiddle.IsLoaded() ? m_captionMiddle.GetHeight() : 0;
    parts.captionMiddle = CRect(parts.captionLeft.right, w.top, rightStart, w.top + middleHeight);

    parts.minButton = GetMinButtonRect(parts.captionRight);
    parts.maxButton = GetMaxButtonRect(parts.captionRight);
    parts.closeButton = GetCloseButtonRect(parts.captionRight);
    return parts;
}

void CSkinDialog::DrawFrame()
{
    if (!GetSafeHwnd())
        return;
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    FrameParts parts = GetFrameParts(window);
    CWindowDC dc(this);

    TileBitmap(&dc, parts.left, m_borderLeft);
    TileBitmap(&dc, parts.right, m_borderRight);
    TileBitmap(&dc, parts.bottom, m_borderBottom);

    // A window narrower than the two end parts shows no caption parts, only the buttons.
    if (m_captionLeft.IsLoaded() && parts.captionMiddle.Width() > 0) {
        TileBitmap(&dc, parts.captionMiddle, m_captionMiddle);
        DrawBitmapInRect(&dc, parts.captionLeft, &m_captionLeft);
        DrawBitmapInRect(&dc, parts.captionRight, &m_captionRight);
    }

    const struct { CaptionButton* button; const CRect* rect; } buttons[] = {
        {&m_minButton, &parts.minButton},
        {&m_maxButton, &parts.maxButton},
        {&m_closeButton, &parts.closeButton},
    };
    for (const auto& b : buttons) {
        CSkinBitmap& image = b.button->images[b.button->state];
        if (image.IsLoaded())
            DrawBitmapInRect(&dc, *b.rect, &image);
    }
}

CSkinDialog::CaptionButton* CSkinDialog::ButtonAt(const FrameParts& parts, CPoint point)
{
    if (parts.minButton.PtInRect(point))
        return &m_minButton;
    if (parts.maxButton.PtInRect(point))
        return &m_maxButton;
    if (parts.closeButton.PtInRect(point))
        return &m_closeButton;
    return NULL;
}

void CSkinDialog::OnPaint()
{
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(0, 0, 0));
    }
    DrawFrame();
}

void CSkinDialog::OnNcPaint()
{
    DrawFrame();
}

BOOL CSkinDialog::OnNcActivate(BOOL bActive)
{
    DrawFrame();
    return !bActive;
}

void CSkinDialog::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!bCalcValidRects) {
        Default();
        return;
    }
    RECT& r = lpncsp->rgrc[0];
    r.left += m_nBorderWidth;
    r.right -= m_nBorderWidth;
    r.top += m_nCaptionHeight;
    r.bottom -= m_nBottomHeight;
    lpncsp->rgrc[1] = r;
}

LRESULT CSkinDialog::OnNcHitTest(CPoint point)
{
    CRect window;
    GetWindowRect(&window);
    const int bw = m_nBorderWidth, ch = m_nCaptionHeight, bh = m_nBottomHeight;
    // In the order they are tested: the corners win over the borders they touch.
    const struct { CRect area; LRESULT code; } edges[] = {
        {CRect(window.left, window.bottom - bh, window.left + bw, window.bottom), HTBOTTOMLEFT},
        {CRect(window.left, window.top, window.left + bw, window.top + ch), HTTOPLEFT},
        {CRect(window.right - bw, window.bottom - bh, window.right, window.bottom), HTBOTTOMRIGHT},
        {CRect(window.right - bw, window.top, window.right, window.top + ch), HTTOPRIGHT},
        {CRect(window.left, window.top, window.left + bw, window.bottom), HTLEFT},
        {CRect(window.right - bw, window.top, window.right, window.bottom), HTRIGHT},
        {CRect(window.left, window.bottom - bh, window.right, window.bottom), HTBOTTOM},
    };
    for (const auto& edge : edges)
        if (edge.area.PtInRect(point))
            return edge.code;

    FrameParts parts = GetFrameParts(window);
    if (!parts.caption.PtInRect(point))
        return Default();
    if (parts.minButton.PtInRect(point))
        return HTMINBUTTON;
    if (parts.maxButton.PtInRect(point))
        return GetTickCount() - m_dwLastDblClk < kDoubleClickGuardMs ? HTCLIENT : HTMAXBUTTON;
    if (parts.closeButton.PtInRect(point))
        return HTCLOSE;
    return HTCAPTION;
}

void CSkinDialog::OnNcMouseMove(UINT /*nHitTest*/, CPoint point)
{
    CRect window;
    GetWindowRect(&window);
    FrameParts parts = GetFrameParts(window);
    m_minButton.state = m_maxButton.state = m_closeButton.state = kNormal;
    if (CaptionButton* button = ButtonAt(parts, point))
        button->state = kHover;
    DrawFrame();
    Default();
}

void CSkinDialog::OnNcLButtonDown(UINT /*nHitTest*/, CPoint point)
{
    CRect window;
    GetWindowRect(&window);
    FrameParts parts = GetFrameParts(window);
    if (CaptionButton* button = ButtonAt(parts, point)) {
        button->state = kPressed;
        DrawFrame();
        return;
    }
    DrawFrame();
    Default();
}

void CSkinDialog::OnNcLButtonUp(UINT /*nHitTest*/, CPoint point)
{
    CRect window;
    GetWindowRect(&window);
    FrameParts parts = GetFrameParts(window);
    CaptionButton* button = ButtonAt(parts, point);
    if (button)
        button->state = kNormal;
    if (button == &m_minButton)
        ShowWindow(SW_MINIMIZE);
    else if (button == &m_maxButton)
        ShowWindow(m_bMaximized ? SW_RESTORE : SW_MAXIMIZE);
    else if (button == &m_closeButton)
        SendMessage(WM_CLOSE);
    if (button && GetSafeHwnd())
        DrawFrame();
    if (GetSafeHwnd())
        Default();
}

void CSkinDialog::OnNcLButtonDblClk(UINT /*nHitTest*/, CPoint /*point*/)
{
    if (!m_bMaximized)
        ShowWindow(SW_MAXIMIZE);
    else
        Default();
}

void CSkinDialog::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!m_bMaximized) {
        ClientToScreen(&point);
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    }
    Default();
}

void CSkinDialog::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    m_dwLastDblClk = GetTickCount();
    Default();
}

void CSkinDialog::FitToAspectRatio(UINT fwSide, CRect& rect) const
{
    const int frameWidth = 2 * m_nBorderWidth, frameHeight = m_nCaptionHeight + m_nBottomHeight;
    if (m_aspectRatio.cx != m_aspectRatio.cy) {
        int clientWidth = rect.Width() - frameWidth;
        int clientHeight = rect.Height() - frameHeight;
        if (fwSide == WMSZ_TOP || fwSide == WMSZ_BOTTOM)
            clientWidth = m_aspectRatio.cx * clientHeight / m_aspectRatio.cy;
        else
            clientHeight = m_aspectRatio.cy * clientWidth / m_aspectRatio.cx;
        rect.right = rect.left + clientWidth + frameWidth;
        rect.bottom = rect.top + clientHeight + frameHeight;
    }
    if (rect.Width() < kMinWidth)
        rect.right = rect.left + kMinWidth;
    if (rect.Height() < kMinClientHeight)
        rect.bottom = rect.top + m_nCaptionHeight + kMinClientHeight;
}

void CSkinDialog::OnSizing(UINT fwSide, LPRECT pRect)
{
    CRect rect(*pRect);
    FitToAspectRatio(fwSide, rect);
    *pRect = rect;
}

void CSkinDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MAXIMIZED) {
        m_bMaximized = TRUE;
        m_bFirstShow = FALSE;
        int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
        SetWindowPos(NULL, -m_nBorderWidth, -m_nCaptionHeight, screenWidth + 2 * m_nBorderWidth,
                     screenHeight + m_nCaptionHeight + m_nBottomHeight, SWP_NOZORDER);
    } else if (nType == SIZE_RESTORED) {
        m_bMaximized = FALSE;
    }
}

void CSkinDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_bMaximized) {
        int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
        lpMMI->ptMaxSize.x = screenWidth + m_nBorderWidth;
        lpMMI->ptMaxSize.y = screenHeight + m_nCaptionHeight + m_nBottomHeight;
        lpMMI->ptMaxPosition.x = -m_nBorderWidth;
        lpMMI->ptMaxPosition.y = -(m_nCaptionHeight + m_nBottomHeight);
        lpMMI->ptMaxTrackSize.x = screenWidth + 2 * m_nBorderWidth;
        lpMMI->ptMaxTrackSize.y = screenHeight + m_nCaptionHeight + m_nBottomHeight;
    }
    Default();
}
