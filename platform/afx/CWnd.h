// CWnd: a window object wrapping an HWND.
//
// A window is bound to its object (the thread's permanent map, FromHandlePermanent) when the
// object makes it (Create, CreateEx, a dialog) or takes it over (SubclassWindow); from then on
// its messages go through AfxWndProc to WindowProc, which looks them up in the message map
// (OnWndMsg) and gives what no entry handles to DefWindowProc, the window's own procedure.
// Attach only enters the map. FromHandle gives any other window a temporary object, deleted
// when the thread's loop goes idle. The object learns of the window's end through
// PostNcDestroy, after m_hWnd is cleared.
//
// WM_COMMAND and WM_NOTIFY from a control, and through CWnd's own handlers WM_DRAWITEM,
// WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, WM_CTLCOLOR* and the scroll messages, are
// offered first to the control's own object (OnChildNotify, permanent objects only); what it
// leaves goes on to the parent's map.
#pragma once

#include "CCmdTarget.h"
#include "afxmsg.h"
#include "CPoint.h"
#include "CString.h"

// windowsx.h (which dshow.h includes) has a macro of this name.
#undef SubclassWindow

class CDataExchange;
class CDC;
class CMenu;
class CScrollBar;
struct CCreateContext;

// RunModalLoop's flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // Destroys a window the object still owns.
    ~CWnd() override;

    HWND m_hWnd;

    // m_hWnd, or NULL when called through a NULL CWnd* (as the real framework allows:
    // AfxGetMainWnd()->GetSafeHwnd()). CWnd.cpp is built with -fno-delete-null-pointer-checks
    // so that the test of this survives optimisation.
    HWND GetSafeHwnd() const;
    operator HWND() const { return GetSafeHwnd(); }

    // The bound or attached object, else a temporary one; NULL for NULL.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The bound or attached object, NULL for any other window.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();

    // Enters the window in the permanent map without routing its messages here.
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Without a class name the framework's default class: double clicks, the arrow cursor, no
    // background. FALSE when the window was not made (one that failed in WM_CREATE has already
    // gone through PostNcDestroy).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    // Routes an existing window's messages through this object; PreSubclassWindow runs
    // before the first of them. FALSE when either is bound already.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its own procedure back and detaches it.
    HWND UnsubclassWindow();

    // TRUE when the message was translated and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to the PreTranslateMessage of its window, then of each parent or owner up to
    // and including hWndStop; TRUE as soon as one takes it.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // The message the window procedure is handling on this thread.
    static const MSG* PASCAL GetCurrentMessage();

    // Data exchange with the controls (DoDataExchange); FALSE when a value was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The framework's modal loop for this window: pumps this thread's messages through the
    // pre-translate walk until EndModalLoop; idle time frees temporary objects. A WM_QUIT ends
    // it with -1 and is posted again, for the loop outside. MLF_SHOWONIDLE shows a hidden
    // window once the queue first runs empty.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Thin wrappers of the window functions.
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    // The outermost window of its parents and owners, itself when it has none.
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL IsIconic() const;
    // Over the owner (or pAlternateOwner) when it is visible, else over the screen's work
    // area; a child window centres in its parent.
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    CWnd* SetActiveWindow();
    BOOL IsZoomed() const;
    // The previous icon of that size.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void SetWindowText(LPCTSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    BOOL ShowWindow(int nCmdShow);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map's handling; FALSE when no entry took the message.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // What the window would do without this object: the procedure it had before binding.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the current message.
    LRESULT Default();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs before Create makes the window; fills in the default class.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Runs when a window is bound, before its first message reaches the object.
    virtual void PreSubclassWindow();
    // Called once the window is gone and m_hWnd is NULL.
    virtual void PostNcDestroy();

    // WM_COMMAND and WM_NOTIFY: the control's object first, then the map's commands.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message the parent offers this control first; TRUE when the control handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The reflect entries of this object's map (ON_..._REFLECT).
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
    // The current message offered to hWndChild's permanent object.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);

    // The default handlers: the window's own handling of the current message (Default),
    // except where noted. A map entry's handler calls these as its base.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseLeave();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    // A scroll bar control's object gets the message first; pScrollBar that is no window (a
    // sender's own object) is left alone.
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // The control's object first (its CtlColor); NULL from it means the default colours.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // Menu items go to the virtual DrawItem and MeasureItem of their CMenu (the thread's
    // tracking menu, else the window's menu, else its system menu); controls' items to the
    // control's object.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The control's object (a sorted owner-drawn list's CompareItem, its DeleteItem).
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnSysColorChange();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();

    // Binds hWnd to this object and routes its messages through AfxWndProc.
    void SubclassBound(HWND hWnd);
    // The next window made on this thread binds to pWnd (see AfxWndProc).
    static void PASCAL HookCreation(CWnd* pWnd);
    static CWnd* PASCAL TakeCreationHook();

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);

    enum {
        WF_MODALLOOP = 0x0001,     // RunModalLoop is running
        WF_CONTINUEMODAL = 0x0002  // until EndModalLoop clears it
    };
    UINT m_nFlags;
    int m_nModalResult;

    DECLARE_MESSAGE_MAP()

private:
    // Binds the window being made to the object HookCreation named.
    static LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam);
    void FinishNcDestroy();

    WNDPROC m_pfnSuper;  // the window's own procedure before binding; NULL when unbound
};

// The framework's window procedure: passes every message of a bound window to its object's
// WindowProc; the window's end unbinds it.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window class of the framework's window procedure with these attributes, registered once;
// the name is in a buffer of the calling thread, valid until its next call.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL,
                                   HBRUSH hbrBackground = NULL, HICON hIcon = NULL);
