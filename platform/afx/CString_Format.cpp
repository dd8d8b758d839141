// CString formatting, resource loading and conversions.
#include "CString.h"
#include "afxwin.h"

#include <utility>

void AFX_CDECL CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

// Measures the text first and formats into a new buffer of exactly that size, so nothing is
// ever cut (no half character at a buffer limit) and an argument may be this string itself.
void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    va_list argMeasure;
    va_copy(argMeasure, argList);
    int nLen = __mingw_vsnprintf(NULL, 0, lpszFormat, argMeasure);
    va_end(argMeasure);
    CString result;
    if (nLen > 0) {
        result.AllocBuffer(nLen, nLen);
        __mingw_vsnprintf(result.m_pchData, nLen + 1, lpszFormat, argList);
    }
    *this = std::move(result);
}

namespace {

CString FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList)
{
    LPTSTR lpszTemp = NULL;
    DWORD nLen = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                  lpszFormat, 0, 0, (LPTSTR)&lpszTemp, 0, pArgList);
    CString result;
    if (nLen != 0 && lpszTemp != NULL)
        result = CString(lpszTemp, (int)nLen);
    if (lpszTemp != NULL)
        LocalFree(lpszTemp);
    return result;
}

} // namespace

void AFX_CDECL CString::FormatMessage(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    *this = FormatMessageV(lpszFormat, &argList);
    va_end(argList);
}

void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    *this = FormatMessageV(strFormat, &argList);
    va_end(argList);
}

// Reads the string table block directly and converts the whole UTF-16 string at once, rather
// than through LoadStringA's fixed buffer, so any length loads and no character is cut.
BOOL CString::LoadString(UINT nID)
{
    Empty();
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hBlock = FindResourceA(hInst, MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING);
    if (hBlock == NULL)
        return FALSE;
    HGLOBAL hData = LoadResource(hInst, hBlock);
    const WCHAR* p = hData == NULL ? NULL : (const WCHAR*)LockResource(hData);
    if (p == NULL)
        return FALSE;
    // A block holds 16 strings, each a length (in UTF-16 units) followed by the characters.
    for (UINT i = 0; i < (nID & 15); ++i)
        p += 1 + *p;
    int nWideLen = *p;
    if (nWideLen == 0)
        return FALSE;
    int nLen = WideCharToMultiByte(CP_ACP, 0, p + 1, nWideLen, NULL, 0, NULL, NULL);
    if (nLen <= 0)
        return FALSE;
    WideCharToMultiByte(CP_ACP, 0, p + 1, nWideLen, GetBuffer(nLen), nLen, NULL, NULL);
    ReleaseBuffer(nLen);
    return TRUE;
}

void CString::AnsiToOem()
{
    CopyBeforeWrite();
    if (!IsNil())
        ::CharToOemA(m_pchData, m_pchData);
}

void CString::OemToAnsi()
{
    CopyBeforeWrite();
    if (!IsNil())
        ::OemToCharA(m_pchData, m_pchData);
}

BSTR CString::AllocSysString() const
{
    int nWideLen = MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, nWideLen);
    if (bstr == NULL)
        AfxThrowMemoryException();
    MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), bstr, nWideLen);
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    int nWideLen = MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), NULL, 0);
    if (!::SysReAllocStringLen(pbstr, NULL, nWideLen))
        AfxThrowMemoryException();
    MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), *pbstr, nWideLen);
    return *pbstr;
}
