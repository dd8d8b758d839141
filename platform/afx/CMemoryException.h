// CMemoryException: thrown when the framework cannot allocate memory. One static instance is
// thrown (allocating a new one could fail too), so Delete() leaves it alone.
#pragma once

#include "CException.h"

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
