#include "CDataExchange.h"

#include "CUserException.h"
#include "CWnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE), m_pLastMember(NULL), m_lastKind(kString), m_nLastOld(0)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_pLastMember = NULL;
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::RememberOld(CString& member)
{
    m_pLastMember = &member;
    m_lastKind = kString;
    m_strLastOld = member;
}

void CDataExchange::RememberOld(int& member)
{
    m_pLastMember = &member;
    m_lastKind = kInt;
    m_nLastOld = (UINT)member;
}

void CDataExchange::RememberOld(UINT& member)
{
    m_pLastMember = &member;
    m_lastKind = kUInt;
    m_nLastOld = member;
}

void CDataExchange::RestoreLast()
{
    if (m_pLastMember == NULL)
        return;
    switch (m_lastKind) {
    case kString: *(CString*)m_pLastMember = m_strLastOld; break;
    case kInt: *(int*)m_pLastMember = (int)m_nLastOld; break;
    case kUInt: *(UINT*)m_pLastMember = m_nLastOld; break;
    }
    m_pLastMember = NULL;
}

void CDataExchange::Fail()
{
    RestoreLast();
    if (!m_bSaveAndValidate)
        AfxThrowUserException();
    if (m_hWndLastControl != NULL) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}
