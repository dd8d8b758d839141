// CMenuBarHotTrack: hot tracking of a window's owner-drawn menu bar where the system does not
// track the mouse over it itself (Windows 9x, NT 4, a remote session). While the mouse is over
// a bar item, that item is drawn hot through the window's WM_DRAWITEM; a 100 ms timer repeats
// the hit test so that the item is drawn normal again once the mouse has gone.
//
// idle (no hot item, no timer) -> hot (item drawn hot, timer running) -> idle when the mouse
// leaves the items, a menu loop starts or the window goes.
#pragma once

#include <afxwin.h>

class CMenuBarHotTrack {
public:
    CMenuBarHotTrack();

    // WM_NCHITTEST of hWnd at a screen point; hit is the window's own answer, returned unless
    // the point is over a bar item of a CNewMenu bar.
    LRESULT OnNcHitTest(HWND hWnd, POINT point, LRESULT hit);
    // WM_ENTERMENULOOP: the system draws the bar while a menu is open.
    void OnEnterMenuLoop(HWND hWnd);
    void OnExitMenuLoop() { m_bInMenuLoop = FALSE; }
    // WM_TIMER: the tracking timer hit-tests the cursor's position again.
    void OnTimer(HWND hWnd, UINT_PTR nIDEvent);
    // WM_DESTROY.
    void Stop(HWND hWnd);

    BOOL IsInMenuLoop() const { return m_bInMenuLoop; }
    UINT_PTR GetTimerId() const { return m_nTimerId; }
    int GetHotItem() const { return m_nHotItem; }

    // Only where the system's menu bar lacks its own tracking.
    static BOOL IsNeeded();
    // The bar item at nItem drawn in nState (ODS_ flags) by hWnd's WM_DRAWITEM; FALSE for -1, an
    // item without a rectangle or one that is not owner-drawn.
    static BOOL DrawBarItem(HWND hWnd, HMENU hMenu, int nItem, UINT nState);

    enum { kFirstTimerId = 31, kLastTimerId = 99, kTimerMs = 100 };

private:
    // The hot item drawn normal (active) or inactive and forgotten.
    void DropHotItem(HWND hWnd, HMENU hMenu, BOOL bActive);
    void StartTimer(HWND hWnd);
    void StopTimer(HWND hWnd);

    BOOL m_bInMenuLoop;
    UINT_PTR m_nTimerId;   // 0: none
    int m_nHotItem;        // -1: none
};
