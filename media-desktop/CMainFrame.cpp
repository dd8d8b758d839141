#include "CMainFrame.h"

#include "KitMessages.h"
#include "VelmoraResource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_SHOW_TOP_BAR, OnShowTopBar)
    ON_MESSAGE(WM_PLAY_MEDIA, OnPlayMedia)
    ON_MESSAGE(WM_ACTIVATE_REQUEST, OnActivateRequest)
    ON_MESSAGE(WM_RELEASE_DEVICE, OnReleaseDevice)
    ON_MESSAGE(WM_RESUME_DEVICE, OnResumeDevice)
    ON_COMMAND(ID_SHOW_MAIN_WINDOW, OnShowMainWindow)
    ON_COMMAND(ID_EXIT_DESKTOP, OnExitDesktop)
END_MESSAGE_MAP()

BOOL CMainFrame::s_firstActivation = TRUE;

namespace {

const int kBorderOverlap = 12;

}  // namespace

CMainFrame::CMainFrame() : m_overlapX(kBorderOverlap), m_overlapY(kBorderOverlap)
{
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The menu LoadFrame loaded stays the frame's to free.
    cs.hMenu = NULL;
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(WS_CAPTION, 0);
    CString title;
    title.LoadString(IDS_MAIN_TITLE);
    m_strTitle = title;
    SetWindowText(title);
    HICON icon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    return 0;
}

void CMainFrame::PlaceFullScreen()
{
    CRect rect;
    ::GetWindowRect(::GetDesktopWindow(), &rect);
    ::AdjustWindowRectEx(&rect, GetStyle(), TRUE, GetExStyle());
    rect.left -= m_overlapX;
    rect.top -= m_overlapY;
    rect.right += m_overlapX;
    rect.bottom += m_overlapY;
    rect.top = -2 * GetSystemMetrics(SM_CYDLGFRAME);
    m_fullScreen = rect;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = rect;
    SetWindowPlacement(&placement);
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    if (s_firstActivation) {
        s_firstActivation = FALSE;
        return;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (nCmdShow == SW_RESTORE) {
        CRect client;
        GetClientRect(&client);
        if (client.Width() == 0)
            PlaceFullScreen();
    }
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    // Before the first placement there is no rectangle to allow, and the system's limits stay.
    if (m_fullScreen.IsRectEmpty())
        return;
    lpMMI->ptMaxSize.x = m_fullScreen.Width();
    lpMMI->ptMaxSize.y = m_fullScreen.Height();
    lpMMI->ptMaxTrackSize = lpMMI->ptMaxSize;
}

LRESULT CMainFrame::OnDisplayChange(WPARAM, LPARAM)
{
    PlaceFullScreen();
    return 0;
}

void CMainFrame::OnContextMenu(CWnd*, CPoint)
{
}

void CMainFrame::SendToView(UINT message, WPARAM wParam, LPARAM lParam)
{
    CView* view = GetActiveView();
    if (view && view->m_hWnd)
        view->SendMessage(message, wParam, lParam);
}

LRESULT CMainFrame::OnShowTopBar(WPARAM, LPARAM)
{
    SendToView(WM_SHOW_TOP_BAR, 0, 0);
    return 0;
}

LRESULT CMainFrame::OnPlayMedia(WPARAM wParam, LPARAM lParam)
{
    SendToView(WM_PLAY_MEDIA, wParam, lParam);
    return 0;
}

LRESULT CMainFrame::OnActivateRequest(WPARAM wParam, LPARAM lParam)
{
    SendToView(WM_ACTIVATE_REQUEST, wParam, lParam);
    return 0;
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id >= ID_VIEW_COMMAND_FIRST && id <= ID_VIEW_COMMAND_LAST) {
        SendToView(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CMainFrame::OnReleaseDevice(WPARAM, LPARAM)
{
    ShowWindow(SW_SHOWMINIMIZED);
    return 0;
}

LRESULT CMainFrame::OnResumeDevice(WPARAM, LPARAM)
{
    ShowWindow(SW_SHOWMAXIMIZED);
    return 0;
}

void CMainFrame::OnShowMainWindow()
{
    CWnd* main = AfxGetMainWnd();
    if (main)
        main->ShowWindow(SW_SHOW);
    ::BringWindowToTop(m_hWnd);
    PlaceFullScreen();
    ::SetForegroundWindow(m_hWnd);
}

void CMainFrame::OnExitDesktop()
{
    SendMessage(WM_CLOSE);
}
