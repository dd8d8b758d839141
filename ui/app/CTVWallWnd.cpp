#include "CTVWallWnd.h"

#include <algorithm>

#include "AppMessages.h"
#include "CControlPanelDlg.h"
#include "PathUtil.h"
#include "TVSystem.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CTVWallWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CTVWallWnd::CTVWallWnd()
{
    m_frameBrush.CreateSolidBrush(m_frameColor);
    m_selectBrush.CreateSolidBrush(m_selectColor);
    CPathUtil::GetModuleDir(m_folder);
}

CTVWallWnd::~CTVWallWnd()
{
}

BOOL CTVWallWnd::Create(const RECT& rect, CWnd* parent)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HICON icon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    CString wndClass = AfxRegisterWndClass(CS_DBLCLKS | CS_NOCLOSE, ::LoadCursorA(NULL, IDC_ARROW),
                                           (HBRUSH)::GetStockObject(WHITE_BRUSH), icon);
    // The running picture is a child of the wall: painting the cells leaves it alone.
    if (!CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, wndClass, "Wall", WS_POPUP | WS_CLIPCHILDREN, rect,
                  parent, 0))
        return FALSE;
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    m_grid.Layout(rect, kRows, kColumns, TRUE, TRUE);
    return TRUE;
}

void CTVWallWnd::SetFrameColor(COLORREF color)
{
    m_frameColor = color;
    m_frameBrush.DeleteObject();
    m_frameBrush.CreateSolidBrush(color);
}

void CTVWallWnd::SetSelectColor(COLORREF color)
{
    m_selectColor = color;
    m_selectBrush.DeleteObject();
    m_selectBrush.CreateSolidBrush(color);
}

void CTVWallWnd::SetThumbnailFolder(LPCTSTR folder)
{
    if (folder != NULL && *folder != '\0')
        m_folder = folder;
}

// ---- Opening and closing ----

void CTVWallWnd::Show(int count, int index)
{
    m_nChannels = std::max(count, 0);
    m_thumbnails.clear();
    m_thumbnails.resize(m_nChannels);
    index = std::max(index, 0);
    m_pageOffset = index / kCells * kCells;
    m_selected = index % kCells;
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    MoveWindow(screen.left, screen.top, screen.Width(), screen.Height());
    CRect window;
    GetWindowRect(&window);
    m_grid.Layout(window, kRows, kColumns, TRUE, TRUE);
    ShowWindow(SW_SHOW);
    SelectCell(m_selected);
    StartStepping();
    SetFocus();
}

void CTVWallWnd::Close()
{
    StopStepping();
    ShowWindow(SW_HIDE);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_TVWALL_CLOSED);
    m_thumbnails.clear();
}

void CTVWallWnd::OnClose()
{
    // Only Enter, Esc, F5 and the right button close the wall.
}

// ---- Cells and channels ----

int CTVWallWnd::GetChannelOfCell(int cell) const
{
    return m_nChannels > 0 ? (m_pageOffset + cell) % m_nChannels : 0;
}

CString CTVWallWnd::ThumbnailPath(int channel) const
{
    CString name;
    name.Format("%d.bmp", channel);
    return m_folder + "\\" + name;
}

CSkinBitmap* CTVWallWnd::GetThumbnail(int channel)
{
    if (channel < 0 || channel >= (int)m_thumbnails.size())
        return NULL;
    std::unique_ptr<CSkinBitmap>& thumbnail = m_thumbnails[channel];
    if (!thumbnail) {
        std::unique_ptr<CSkinBitmap> loaded(new CSkinBitmap);
        if (!loaded->LoadFromFile(ThumbnailPath(channel)))
            return NULL;
        thumbnail = std::move(loaded);
    }
    return thumbnail.get();
}

void CTVWallWnd::SelectCell(int cell)
{
    if (m_nChannels <= 0 || cell < 0 || cell >= kCells)
        return;
    theControlPanel.MuteBriefly();
    theTVSystem.ShowVideoWindow(FALSE);
    theTVSystem.SelectChannelByIndex(GetChannelOfCell(cell));
    InvalidateCell(m_selected);
    m_selected = cell;
    InvalidateCell(m_selected);
    CRect place;
    if (m_grid.GetCell(cell, place)) {
        ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&place, 2);
        place.DeflateRect(1, 1);
        theTVSystem.SetVideoPosition(place);
    }
    theTVSystem.ShowVideoWindow(TRUE);
}

void CTVWallWnd::CaptureThumbnail()
{
    int channel = theTVSystem.GetChannelIndex();
    CString path = ThumbnailPath(channel);
    if (!theTVSystem.SaveSnapshotBmp(path))
        return;
    if (channel >= 0 && channel < (int)m_thumbnails.size()) {
        std::unique_ptr<CSkinBitmap> loaded(new CSkinBitmap);
        if (loaded->LoadFromFile(path))
            m_thumbnails[channel] = std::move(loaded);
    }
    Invalidate(FALSE);
}

void CTVWallWnd::Step(int delta)
{
    if (m_nChannels <= 0)
        return;
    CaptureThumbnail();
    int cell = m_selected + delta;
    int page = m_pageOffset;
    if (cell < 0) {
        page = std::max(page - kCells, 0);
        cell = 0;
    } else if (cell >= kCells) {
        page = (page + kCells) % m_nChannels;
        cell = 0;
    }
    BOOL paged = page != m_pageOffset;
    m_pageOffset = page;
    SelectCell(cell);
    if (paged)
        Invalidate(FALSE);
}

// ---- Stepping ----

void CTVWallWnd::StartStepping()
{
    SetTimer(kStepTimer, kStepMs, NULL);
    m_bStepping = TRUE;
}

void CTVWallWnd::StopStepping()
{
    if (GetSafeHwnd() != NULL)
        KillTimer(kStepTimer);
    m_bStepping = FALSE;
}

void CTVWallWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kStepTimer) {
        Step(1);
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

// ---- Drawing ----

void CTVWallWnd::InvalidateCell(int cell)
{
    CRect place;
    if (GetSafeHwnd() != NULL && m_grid.GetCell(cell, place)) {
        ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&place, 2);
        ::InvalidateRect(m_hWnd, &place, FALSE);
    }
}

void CTVWallWnd::DrawCell(CDC* pDC, int cell)
{
    CRect place;
    if (!m_grid.GetCell(cell, place))
        return;
    // The grid is laid out over the window rectangle.
    ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&place, 2);
    int channel = GetChannelOfCell(cell);
    CSkinBitmap* picture = GetThumbnail(channel);
    if (picture == NULL && m_background.IsLoaded())
        picture = &m_background;
    if (picture != NULL)
        picture->Draw(pDC, place);
    else
        pDC->FillSolidRect(&place, RGB(0, 0, 0));
    pDC->FrameRect(&place, cell == m_selected ? &m_selectBrush : &m_frameBrush);
    CString number;
    number.Format("%d", channel);
    CRect text = place;
    text.DeflateRect(2, 2);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColor = pDC->SetTextColor(m_textColor);
    pDC->DrawText(number, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
}

void CTVWallWnd::OnPaint()
{
    CPaintDC dc(this);
    BOOL stepping = m_bStepping;
    if (stepping)
        StopStepping();
    if (m_nChannels > 0) {
        for (int cell = 0; cell < kCells; cell++)
            DrawCell(&dc, cell);
    }
    if (stepping)
        StartStepping();
}

BOOL CTVWallWnd::OnEraseBkgnd(CDC* pDC)
{
    // The cells cover the grid; only the leftover edges are erased.
    return CWnd::OnEraseBkgnd(pDC);
}

// ---- Input ----

void CTVWallWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    int cell;
    if (m_nChannels > 0 && m_grid.HitTest(screen, cell)) {
        if (cell != m_selected) {
            CaptureThumbnail();
            SelectCell(cell);
        }
        // A click pauses the stepping, the next one resumes it.
        BOOL stepping = m_bStepping;
        StopStepping();
        if (!stepping)
            StartStepping();
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CTVWallWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    int cell;
    if (m_grid.HitTest(screen, cell)) {
        m_selected = cell;
        Close();
        return;
    }
    CWnd::OnRButtonUp(nFlags, point);
}

BOOL CTVWallWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && IsWindowVisible()) {
        switch (pMsg->wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_F5:
            Close();
            break;
        case VK_LEFT:
        case VK_UP:
            Step(-1);
            break;
        case VK_RIGHT:
        case VK_DOWN:
        case VK_F4:
            Step(1);
            break;
        }
    }
    // The keys go on to their window as well.
    return CWnd::PreTranslateMessage(pMsg);
}
