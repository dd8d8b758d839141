// CWnd: a window object wrapping an HWND. For now only the handle; the user interface layer
// grows it (creation, messages, destruction).
#pragma once

#include "CCmdTarget.h"

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    // m_hWnd, or NULL when called through a NULL CWnd* (as the real framework allows:
    // AfxGetMainWnd()->GetSafeHwnd()). CWnd.cpp is built with -fno-delete-null-pointer-checks
    // so that the test of this survives optimisation.
    HWND GetSafeHwnd() const;
    operator HWND() const { return GetSafeHwnd(); }
};
