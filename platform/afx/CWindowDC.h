// CWindowDC: the DC of a whole window, frame and caption included (GetWindowDC), over the
// object's life; the screen's for a NULL window.
#pragma once

#include "CDC.h"

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
