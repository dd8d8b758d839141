// CView: a child window of a frame that shows a document. The frame makes it from its
// creation context (CFrameWnd::CreateView), which also names the document the view joins.
// WM_INITIALUPDATE reaches OnInitialUpdate once frame, document and view exist; WM_PAINT
// reaches OnDraw. Views are made with new and delete themselves when their window goes.
#pragma once

#include "CWnd.h"

class CDC;
class CDocument;
class CFrameWnd;

// Sent by the frame to its descendants once the document is ready.
#define WM_INITIALUPDATE 0x0364

// The style of a frame's view: WS_BORDER becomes the sunken client edge.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // The frame the view sits in, NULL when none.
    CFrameWnd* GetParentFrame() const;

    // pContext (may be NULL) names the document the view joins.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;

    // The view first, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Runs OnUpdate.
    virtual void OnInitialUpdate();
    // Repaints the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The frame made this view its active one (or another): an activated view takes the focus
    // while its top-level window is the active one.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnDraw(CDC* pDC) = 0;

protected:
    CView();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    CDocument* m_pDocument;  // weak: the document outlives its views

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
