// CWnd: a window object wrapping an HWND.
//
// Messages reach the object through its virtual WindowProc; there are no message maps yet, so a
// class handles a message by overriding WindowProc and passing what it does not handle to its
// base. Windows made by CreateEx (of a class from AfxRegisterWndClass) and dialogs (CDialog)
// are bound to their object from their first message on; the object learns of the window's end
// through PostNcDestroy, after m_hWnd is cleared.
#pragma once

#include "CCmdTarget.h"

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

    // The object bound to a window by CreateEx or a dialog, NULL for any other window.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);

    // Wraps a window made elsewhere (a dialog's control) without binding messages to the
    // object; Detach gives the handle back.
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // The class must come from AfxRegisterWndClass. FALSE when the window was not made.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL DestroyWindow();

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);
    void SetWindowText(LPCTSTR lpszString);
    BOOL ShowWindow(int nCmdShow);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window would do without this object: the procedure it had before binding.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone and m_hWnd is NULL.
    virtual void PostNcDestroy();

    // Binds the window to this object and routes its messages through WindowProc.
    void SubclassBound(HWND hWnd);
    // The next window made on this thread binds to pWnd (see AfxWndProc).
    static void PASCAL HookCreation(CWnd* pWnd);
    static CWnd* PASCAL TakeCreationHook();

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);

private:
    WNDPROC m_pfnSuper;  // the window's own procedure before binding; NULL when unbound
};

// The framework's window procedure: binds a window being made by CreateEx to its object and
// passes every message to the object's WindowProc.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window class of the framework's window procedure with these attributes, registered once;
// the name is in a buffer of the calling thread, valid until its next call.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL,
                                   HBRUSH hbrBackground = NULL, HICON hIcon = NULL);
