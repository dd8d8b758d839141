#include "CMemoryException.h"

IMPLEMENT_DYNAMIC(CMemoryException, CException)

CMemoryException::CMemoryException() = default;

CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete)
{
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    AfxCopyErrorText(lpszError, nMaxError, _T("Not enough memory."));
    return TRUE;
}

void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}
