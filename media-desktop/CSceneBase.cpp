#include "CSceneBase.h"

#include "CWinApp.h"
#include "KitWindowClass.h"

#include <vector>

namespace {

// The caption bar shows when the mouse comes this close to the top of the screen.
const int kTopBarHeight = 40;

}  // namespace

BEGIN_MESSAGE_MAP(CSceneBase, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEMOVE()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_KIT_PAINT_BACKGROUND, OnPaintBackgroundRequest)
    ON_MESSAGE(WM_KIT_FOCUS, OnFocusRequest)
    ON_MESSAGE(WM_KIT_SEL_CHANGE, OnSelChange)
    ON_MESSAGE(WM_KIT_ACTIVATE, OnActivateItem)
    ON_MESSAGE(WM_KIT_BACK, OnBack)
END_MESSAGE_MAP()

CSceneBase::CSceneBase() : m_focusChild(NULL), m_childrenCreated(FALSE), m_container(NULL)
{
}

CSceneBase::~CSceneBase()
{
}

BOOL CSceneBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCSTR windowClass = RegisterKitWindowClass("SceneBase");
    return windowClass && CWnd::Create(windowClass, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CSceneBase::SetBackground(LPCTSTR path)
{
    m_backgroundPath = path;
    BOOL loaded = m_background.LoadPictureFile(path);
    if (loaded && m_hWnd && IsWindowVisible())
        Invalidate();
    return loaded;
}

void CSceneBase::CreateChildren()
{
}

void CSceneBase::OnListSelChange(HWND, int)
{
}

void CSceneBase::OnListActivate(HWND, int)
{
}

void CSceneBase::OnListBack(HWND)
{
}

void CSceneBase::OnChildFocus(HWND)
{
}

void CSceneBase::DrawBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    m_background.Draw(pDC, 0, 0, client.Width(), client.Height());
}

void CSceneBase::OnPaint()
{
    CPaintDC dc(this);
    DrawBackground(&dc);
}

BOOL CSceneBase::OnEraseBkgnd(CDC* pDC)
{
    if (m_background.IsLoaded())
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

BOOL CSceneBase::CanTakeFocus(HWND window)
{
    return ::IsWindowVisible(window) && ::IsWindowEnabled(window);
}

void CSceneBase::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (m_focusChild && ::IsWindow(m_focusChild) && ::IsWindowVisible(m_focusChild)) {
        ::SetFocus(m_focusChild);
        return;
    }
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child)) {
            m_focusChild = child;
            ::SetFocus(child);
            return;
        }
    }
}

UINT CSceneBase::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CSceneBase::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    ClientToScreen(&point);
    CWnd* main = AfxGetMainWnd();
    if (point.y < kTopBarHeight && WantsTopBar() && main && main->m_hWnd)
        main->SendMessage(WM_SHOW_TOP_BAR, 0, 0);
}

void CSceneBase::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (bShow && !m_childrenCreated) {
        m_childrenCreated = TRUE;
        CreateChildren();
    }
}

LRESULT CSceneBase::OnPaintBackgroundRequest(WPARAM wParam, LPARAM lParam)
{
    const KitBackgroundRequest* request = (const KitBackgroundRequest*)lParam;
    if (!request)
        return 0;
    CRect area = request->rect;
    CDC* dc = CDC::FromHandle(request->dc);
    CRect client;
    GetClientRect(&client);
    if (!m_background.IsLoaded() || client.IsRectEmpty()) {
        dc->FillSolidRect(&area, GetSysColor(COLOR_BTNFACE));
        return 1;
    }
    // The child's rectangle in the page, then in the picture.
    CRect inPage = area;
    ::MapWindowPoints((HWND)wParam, m_hWnd, (POINT*)&inPage, 2);
    const CSize picture = m_background.GetSize();
    const int srcX = MulDiv(inPage.left, picture.cx, client.Width());
    const int srcY = MulDiv(inPage.top, picture.cy, client.Height());
    const int srcWidth = MulDiv(inPage.Width(), picture.cx, client.Width());
    const int srcHeight = MulDiv(inPage.Height(), picture.cy, client.Height());
    m_background.Draw(dc, area.left, area.top, area.Width(), area.Height(), srcX, srcY,
                      srcWidth > 0 ? srcWidth : 1, srcHeight > 0 ? srcHeight : 1);
    return 1;
}

HWND CSceneBase::NeighbourOf(HWND child, BOOL forward) const
{
    std::vector<HWND> children;
    int at = -1;
    for (HWND w = ::GetWindow(m_hWnd, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (w == child)
            at = (int)children.size();
        children.push_back(w);
    }
    const int count = (int)children.size();
    if (at < 0)
        at = forward ? count - 1 : 0;
    // Each other child once, wrapping round.
    for (int step = 1; step < count + (child ? 0 : 1); ++step) {
        HWND candidate = children[((at + (forward ? step : -step)) % count + count) % count];
        if (CanTakeFocus(candidate))
            return candidate;
    }
    return NULL;
}

LRESULT CSceneBase::OnFocusRequest(WPARAM wParam, LPARAM lParam)
{
    HWND child = (HWND)wParam;
    if (lParam == KIT_FOCUS_TAKEN) {
        m_focusChild = child;
        OnChildFocus(child);
        return 0;
    }
    HWND next = NeighbourOf(child, lParam == KIT_FOCUS_NEXT);
    if (next)
        ::SetFocus(next);
    return 0;
}

LRESULT CSceneBase::OnSelChange(WPARAM wParam, LPARAM lParam)
{
    OnListSelChange((HWND)wParam, (int)lParam);
    return 0;
}

LRESULT CSceneBase::OnActivateItem(WPARAM wParam, LPARAM lParam)
{
    OnListActivate((HWND)wParam, (int)lParam);
    return 0;
}

LRESULT CSceneBase::OnBack(WPARAM wParam, LPARAM)
{
    OnListBack((HWND)wParam);
    return 0;
}
