// CClientDC: the DC of a window's client area (GetDC) over the object's life; the screen's for
// a NULL window.
#pragma once

#include "CDC.h"

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
