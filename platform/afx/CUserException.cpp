#include "CUserException.h"

IMPLEMENT_DYNAMIC(CUserException, CException)

CUserException::CUserException() = default;

CUserException::CUserException(BOOL bAutoDelete) : CException(bAutoDelete)
{
}

void AFXAPI AfxThrowUserException()
{
    static CUserException s_userException(FALSE);
    throw &s_userException;
}
