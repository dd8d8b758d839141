// CWaitCursor: the hourglass while the object lives; the cursor before it comes back after.
#pragma once

#include "afxdefs.h"

class CWaitCursor {
public:
    CWaitCursor() : m_hOldCursor(::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOldCursor); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again (after a message box, say, changed the cursor).
    void Restore() { ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_WAIT)); }

private:
    HCURSOR m_hOldCursor;
};
