// TRACE output and ASSERT failures (both active only in _DEBUG builds of the callers).
#include "afxdefs.h"
#include "CString.h"

void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    CString strText;
    strText.FormatV(lpszFormat, argList);
    va_end(argList);
    OutputDebugStringA(strText);
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    CString strText;
    strText.Format("Assertion failed: %s(%d)\n", lpszFileName, nLine);
    OutputDebugStringA(strText);
    abort();
}
