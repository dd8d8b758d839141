// CFrameWnd: a top-level window holding a view (child AFX_IDW_PANE_FIRST) over its whole
// client area.
//
// LoadFrame makes it from one resource id: the title is the first line of that string (the
// document template's strings), the window class carries the icon of that id and the menu of
// that id becomes the frame's menu when the program has one. The creation context, when given,
// names the view class that OnCreateClient makes.
//
// Commands go to the active view (and through it its document) first, then to the frame's own
// map, then to the application. The focus given to the frame goes on to the active view.
// FWS_ADDTOTITLE makes the title show the active document's name beside the frame's own
// ("doc - title" with FWS_PREFIXTITLE, which PreCreateWindow adds). The main frame's end
// posts the quit message. Frames are made with new and delete themselves when their window
// goes.
#pragma once

#include "CView.h"
#include "CString.h"
#include "CRect.h"
#include "afxres.h"

class CDocument;
struct CCreateContext;

// Frame styles of the framework, in the window class's own range of the style.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // CW_USEDEFAULT position and size.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0,
                CCreateContext* pContext = NULL);

    CView* GetActiveView() const { return m_pViewActive; }
    // The old view hears of its deactivation and the new of its activation when bNotify.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument();

    // Shows the frame (nCmdShow -1: shown normally when hidden, restored when iconic) and
    // brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);
    // Makes the first view active; when bMakeVisible sends WM_INITIALUPDATE to every
    // descendant, activates the frame (the main frame with the program's show command, once)
    // and the view; then sets the title.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // The view over the whole client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The frame's class again, with the icon of that id; NULL when there is no such icon (the
    // default class serves).
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    // The accelerator table of that name: its keys become commands for the frame's windows.
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }
    // The frame's accelerators, for keys of the frame and its descendants.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strTitle;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // A view of the context's class as child nID; NULL when it cannot be made.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void BringToTop(int nCmdShow);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();

    UINT m_nIDHelp;
    HMENU m_hMenuDefault;  // owned: the menu LoadFrame loaded
    CView* m_pViewActive;  // weak: the view is a child window
    HACCEL m_hAccelTable = NULL;  // a resource's table: the system frees it with the module

    DECLARE_MESSAGE_MAP()
};
