// CArchiveException: a failed archive operation (CArchive), thrown as a heap pointer.
#pragma once

#include "CException.h"
#include "CString.h"

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);
