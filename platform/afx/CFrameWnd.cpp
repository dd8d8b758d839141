#include "CFrameWnd.h"

#include "CCreateContext.h"
#include "CDialog.h"
#include "CDocument.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

// The message to every descendant that has an object, parents before their children.
void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != NULL)
            pChild->SendMessage(message, wParam, lParam);
        SendToDescendants(hChild, message, wParam, lParam);
    }
}

} // namespace

CFrameWnd::CFrameWnd() : m_nIDHelp(0), m_hMenuDefault(NULL), m_pViewActive(NULL)
{
}

CFrameWnd::~CFrameWnd()
{
    if (m_hMenuDefault != NULL)
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        int nEnd = strFull.Find('\n');
        m_strTitle = nEnd < 0 ? strFull : strFull.Left(nEnd);
    }
    LPCTSTR lpszIcon = MAKEINTRESOURCE(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCE(nIDResource), 0, pContext))
        return FALSE;
    if (pContext == NULL)
        SendToDescendants(m_hWnd, WM_INITIALUPDATE, 0, 0);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName,
                       DWORD dwExStyle, CCreateContext* pContext)
{
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : "";
    // A program without the menu resource gets a frame without a menu.
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
        hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
    m_hMenuDefault = hMenu;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    hMenu, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return cs.lpszClass != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct, (CCreateContext*)lpCreateStruct->lpCreateParams))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == NULL) {
        delete pObject;
        return NULL;
    }
    // A view that fails to be made has deleted itself in PostNcDestroy.
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    HWND hView = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hView == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    ::MoveWindow(hView, 0, 0, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;
    if (pViewOld != NULL && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    // The old view's handler may have chosen another view already.
    if (m_pViewActive != NULL)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != NULL ? m_pViewActive->GetDocument() : NULL;
}

void CFrameWnd::BringToTop(int nCmdShow)
{
    if (nCmdShow == SW_HIDE || nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINNOACTIVE ||
        nCmdShow == SW_SHOWNA || nCmdShow == SW_SHOWNOACTIVATE)
        return;
    HWND hPopup = ::GetLastActivePopup(m_hWnd);
    ::BringWindowToTop(hPopup != NULL ? hPopup : m_hWnd);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringToTop(nCmdShow);
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringToTop(nCmdShow);
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL) {
        CWnd* pWnd = FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendToDescendants(m_hWnd, WM_INITIALUPDATE, 0, 0);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    CString strText = m_strTitle;
    if (bAddToTitle && pDoc != NULL) {
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = pDoc->GetTitle() + " - " + m_strTitle;
        else
            strText = m_strTitle + " - " + pDoc->GetTitle();
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive != NULL && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* pView = GetActiveView();
    if (pView == NULL)
        return;
    if (nState != WA_INACTIVE && !bMinimized)
        pView->OnActivateView(TRUE, pView, pView);
    pView->OnActivateFrame(nState, this);
}

void CFrameWnd::OnClose()
{
    // The document goes with its only frame, and takes the frame with it.
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL && pDoc->m_bAutoDelete) {
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos != NULL) {
            if (pDoc->GetNextView(pos)->GetParentFrame() != this)
                bOtherFrame = TRUE;
        }
        if (!bOtherFrame) {
            pDoc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The window would destroy the menu that the frame still owns.
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) == m_hMenuDefault)
        ::SetMenu(m_hWnd, NULL);
    CWnd::OnDestroy();
}

void CFrameWnd::OnNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    CWnd::OnNcDestroy();
}
