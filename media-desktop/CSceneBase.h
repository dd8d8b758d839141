#pragma once

#include "CPictureFile.h"
#include "KitMessages.h"
#include "afxwin.h"

class CSceneContainer;

// A page of the desktop: paints its background picture stretched over itself and lends the
// part under each child to that child (WM_KIT_PAINT_BACKGROUND), keeps the child that last had
// the focus, and passes its lists' notifications to the virtual operations.
class CSceneBase : public CWnd
{
public:
    CSceneBase();
    ~CSceneBase() override;

    // A child window of the class "SceneBase".
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Whether the picture loaded; a visible page repaints with it.
    BOOL SetBackground(LPCTSTR path);
    const CString& GetBackgroundPath() const { return m_backgroundPath; }
    HWND GetFocusChild() const { return m_focusChild; }
    // The container that holds the page, once it was added; not owned.
    CSceneContainer* GetContainer() const { return m_container; }
    void SetContainer(CSceneContainer* container) { m_container = container; }

protected:
    // Once, when the page is first shown.
    virtual void CreateChildren();
    virtual void OnListSelChange(HWND list, int item);
    virtual void OnListActivate(HWND list, int item);
    virtual void OnListBack(HWND list);
    // The background picture stretched over the client area.
    virtual void DrawBackground(CDC* pDC);
    virtual void OnChildFocus(HWND child);
    // Whether a mouse near the screen's top may bring the caption bar.
    virtual BOOL WantsTopBar() const { return TRUE; }

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnPaintBackgroundRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFocusRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBack(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPictureFile m_background;
    CString m_backgroundPath;

private:
    static BOOL CanTakeFocus(HWND window);
    // The child after (or before) child that can take the focus, wrapping round.
    HWND NeighbourOf(HWND child, BOOL forward) const;

    HWND m_focusChild;
    BOOL m_childrenCreated;
    CSceneContainer* m_container;
};
