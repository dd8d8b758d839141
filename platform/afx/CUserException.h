// CUserException: ends an operation the user was already told about (a refused value of data
// exchange, after its message box). One static instance is thrown.
#pragma once

#include "CException.h"

class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
    explicit CUserException(BOOL bAutoDelete);
};

[[noreturn]] void AFXAPI AfxThrowUserException();
