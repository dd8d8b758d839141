// CPaintDC: the DC of a WM_PAINT, from BeginPaint to EndPaint over the object's life.
#pragma once

#include "CDC.h"

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
