#include "CWnd.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

CWnd::CWnd() : m_hWnd(NULL)
{
}

CWnd::~CWnd() = default;

HWND CWnd::GetSafeHwnd() const
{
    const void* self = this;
    return self == NULL ? NULL : m_hWnd;
}
