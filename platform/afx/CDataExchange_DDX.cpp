// The DDX_ and DDV_ functions of data exchange.
#include "CDataExchange.h"

#include <commctrl.h>
#include <errno.h>

#include "CUserException.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "afxres.h"

namespace {

// The framework's own texts, for a program whose string table has none of these ids.
struct Prompt {
    UINT nID;
    LPCTSTR lpszText;
};
const Prompt kPrompts[] = {
    {AFX_IDP_PARSE_INT, "Please enter an integer."},
    {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
    {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
};

// Tells the user why the value was refused, then ends the pass.
[[noreturn]] void Refuse(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpsz1 = NULL,
                         LPCTSTR lpsz2 = NULL)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt)) {
        for (const Prompt& prompt : kPrompts) {
            if (prompt.nID == nIDPrompt)
                strPrompt = prompt.lpszText;
        }
    }
    if (lpsz1 != NULL)
        strPrompt.Replace("%1", lpsz1);
    if (lpsz2 != NULL)
        strPrompt.Replace("%2", lpsz2);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

CString TextOf(HWND hWnd)
{
    CString strText;
    int nLength = ::GetWindowTextLengthA(hWnd);
    nLength = ::GetWindowTextA(hWnd, strText.GetBuffer(nLength), nLength + 1);
    strText.ReleaseBuffer(nLength);
    return strText;
}

BOOL IsBlank(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

// A whole number with optional blanks around it; FALSE for anything else or out of range.
BOOL ParseInt(const CString& strText, int& nValue)
{
    const char* pszText = strText;
    char* pszEnd = NULL;
    errno = 0;
    long n = strtol(pszText, &pszEnd, 10);
    if (pszEnd == pszText || !IsBlank(pszEnd) || errno == ERANGE || n < INT_MIN || n > INT_MAX)
        return FALSE;
    nValue = (int)n;
    return TRUE;
}

BOOL ParseUInt(const CString& strText, UINT& nValue)
{
    const char* pszText = strText;
    while (*pszText == ' ' || *pszText == '\t')
        ++pszText;
    if (*pszText < '0' || *pszText > '9')
        return FALSE;
    char* pszEnd = NULL;
    errno = 0;
    unsigned long n = strtoul(pszText, &pszEnd, 10);
    if (!IsBlank(pszEnd) || errno == ERANGE || n > UINT_MAX)
        return FALSE;
    nValue = (UINT)n;
    return TRUE;
}

CString Number(long long n)
{
    CString strNumber;
    strNumber.Format("%lld", n);
    return strNumber;
}

BOOL HasClass(HWND hWnd, LPCTSTR lpszClass)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, lpszClass) == 0;
}

} // namespace

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowUserException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(hWndCtrl, value);
        return;
    }
    pDX->RememberOld(value);
    value = TextOf(hWndCtrl);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(hWndCtrl, Number(value));
        return;
    }
    int nValue = 0;
    if (!ParseInt(TextOf(hWndCtrl), nValue))
        Refuse(pDX, AFX_IDP_PARSE_INT);
    pDX->RememberOld(value);
    value = nValue;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(hWndCtrl, Number(value));
        return;
    }
    UINT nValue = 0;
    if (!ParseUInt(TextOf(hWndCtrl), nValue))
        Refuse(pDX, AFX_IDP_PARSE_UINT);
    pDX->RememberOld(value);
    value = nValue;
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = -1;
    int nButton = 0;
    while (hWndCtrl != NULL) {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (!pDX->m_bSaveAndValidate)
                ::SendMessageA(hWndCtrl, BM_SETCHECK, nButton == index, 0);
            else if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                index = nButton;
            ++nButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
        if (hWndCtrl != NULL && (::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP))
            break;
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = CTime(st);
    } else if (value.GetAsSystemTime(st)) {
        ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    }
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        HWND hWndCtrl = pDX->m_hWndLastControl;
        if (hWndCtrl != NULL && HasClass(hWndCtrl, "Edit"))
            ::SendMessageA(hWndCtrl, EM_LIMITTEXT, (WPARAM)nChars, 0);
        else if (hWndCtrl != NULL && HasClass(hWndCtrl, "ComboBox"))
            ::SendMessageA(hWndCtrl, CB_LIMITTEXT, (WPARAM)nChars, 0);
        return;
    }
    if (value.GetLength() > nChars)
        Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, Number(nChars));
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, Number(minVal), Number(maxVal));
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, Number(minVal), Number(maxVal));
}
