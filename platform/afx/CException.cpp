#include "CException.h"
#include "AfxMbcs.h"
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CException, CObject)

CException::CException() : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR szMessage[512];
    if (GetErrorMessage(szMessage, _countof(szMessage)))
        return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(_T("An error occurred and no description of it is available."), nType);
}

void AFXAPI AfxCopyErrorText(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszText)
{
    if (lpszError == NULL || nMaxError == 0)
        return;
    int nLen = (int)strlen(lpszText);
    int nCopy = nLen < (int)nMaxError - 1 ? nLen : (int)nMaxError - 1;
    nCopy = afx_internal::CharStartAt(lpszText, nLen, nCopy);
    memcpy(lpszError, lpszText, nCopy);
    lpszError[nCopy] = '\0';
}
