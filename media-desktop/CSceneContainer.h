#pragma once

#include "afxwin.h"

class CCaptionWnd;
class CSceneBase;

// The desktop's pages, one shown at a time, and the caption bar that slides over them. The
// pages are children of one host window (the view); the container does not own them.
class CSceneContainer
{
public:
    // The host's timer that hides the caption bar once the mouse has left it.
    static const UINT_PTR kTopBarTimer = 1;
    static const UINT kTopBarId = 432;

    CSceneContainer();
    ~CSceneContainer();
    CSceneContainer(const CSceneContainer&) = delete;
    CSceneContainer& operator=(const CSceneContainer&) = delete;

    // Hides the page and holds it; the first page becomes current. The page's index.
    int AddPage(CSceneBase* page);
    // Shows and focuses the page and hides the one before; FALSE for an index outside the
    // pages. Nothing happens when the page is current and visible already.
    BOOL ShowPage(int index);
    int GetCount() const { return (int)m_pages.GetSize(); }
    int GetCurrentIndex() const { return m_current; }
    CSceneBase* GetPage(int index) const;
    CSceneBase* GetCurrentPage() const { return GetPage(m_current); }

    // The host's WM_SIZE and WM_SETFOCUS.
    void PlacePages(int cx, int cy);
    void FocusCurrentPage();

    // 1: the caption bar over the host's top, which takes the focus while the current page is
    // disabled; 0: the bar goes and the page is given back.
    void ShowTopBar(BOOL show);
    CCaptionWnd* GetTopBar() const { return m_topBar; }
    // The host's timer kTopBarTimer: hides the bar when the cursor is below it.
    void OnTopBarTimer();

private:
    CWnd* Host() const;

    CPtrArray m_pages;  // CSceneBase*, not owned
    int m_current;
    CCaptionWnd* m_topBar;  // owned while shown
    // The page the bar disabled: the current page may change while the bar is shown.
    CSceneBase* m_disabledPage;
};
