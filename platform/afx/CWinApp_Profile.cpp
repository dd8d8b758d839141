// CWinApp profile values: the registry under HKCU\Software\<key>\<profile> once
// SetRegistryKey was called, the private ini file m_pszProfileName before.
#include "CWinApp.h"


namespace {

const REGSAM kAccess = KEY_WRITE | KEY_READ;

HKEY CreateSubKey(HKEY hParent, LPCTSTR lpszSubKey)
{
    HKEY hKey = NULL;
    DWORD dwDisposition;
    if (RegCreateKeyExA(hParent, lpszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, kAccess, NULL,
                        &hKey, &dwDisposition) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// The closing guard of a key obtained from GetAppRegistryKey or GetSectionKey.
class CKeyHolder {
public:
    explicit CKeyHolder(HKEY hKey) : m_hKey(hKey) {}
    ~CKeyHolder()
    {
        if (m_hKey != NULL)
            RegCloseKey(m_hKey);
    }
    CKeyHolder(const CKeyHolder&) = delete;
    CKeyHolder& operator=(const CKeyHolder&) = delete;
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey;
};

// The whole value of an ini entry, however long: the buffer grows until the text fits, so no
// character is cut at a buffer limit.
CString ReadIniString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault, LPCTSTR lpszFile)
{
    CString strValue;
    for (DWORD nSize = 4096;; nSize *= 2) {
        DWORD nLen = GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault,
                                              strValue.GetBuffer((int)nSize), nSize, lpszFile);
        if (nLen + 1 < nSize || nSize >= 16 * 1024 * 1024) {
            strValue.ReleaseBuffer((int)nLen);
            return strValue;
        }
    }
}

} // namespace

HKEY CWinApp::GetAppRegistryKey()
{
    ASSERT(m_pszRegistryKey != NULL && m_pszProfileName != NULL);
    CKeyHolder software(CreateSubKey(HKEY_CURRENT_USER, "Software"));
    if (software.Get() == NULL)
        return NULL;
    CKeyHolder company(CreateSubKey(software.Get(), m_pszRegistryKey));
    if (company.Get() == NULL)
        return NULL;
    return CreateSubKey(company.Get(), m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    ASSERT(lpszSection != NULL);
    CKeyHolder app(GetAppRegistryKey());
    if (app.Get() == NULL)
        return NULL;
    return CreateSubKey(app.Get(), lpszSection);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    CKeyHolder section(GetSectionKey(lpszSection));
    if (section.Get() == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0;
    DWORD dwType = REG_NONE;
    DWORD dwCount = sizeof(dwValue);
    LONG lResult = RegQueryValueExA(section.Get(), lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || dwCount != sizeof(dwValue))
        return (UINT)nDefault;
    return (UINT)dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL) {
        CString strValue;
        strValue.Format("%d", nValue);
        return WritePrivateProfileStringA(lpszSection, lpszEntry, strValue, m_pszProfileName);
    }
    CKeyHolder section(GetSectionKey(lpszSection));
    if (section.Get() == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    return RegSetValueExA(section.Get(), lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue,
                          sizeof(dwValue)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszRegistryKey == NULL)
        return ReadIniString(lpszSection, lpszEntry, lpszDefault, m_pszProfileName);
    CKeyHolder section(GetSectionKey(lpszSection));
    if (section.Get() == NULL)
        return lpszDefault;
    DWORD dwType = REG_NONE;
    DWORD dwCount = 0;
    if (RegQueryValueExA(section.Get(), lpszEntry, NULL, &dwType, NULL, &dwCount) != ERROR_SUCCESS ||
        dwType != REG_SZ)
        return lpszDefault;
    CString strValue;
    LPTSTR lpszBuffer = strValue.GetBuffer((int)dwCount);
    if (RegQueryValueExA(section.Get(), lpszEntry, NULL, &dwType, (LPBYTE)lpszBuffer, &dwCount) != ERROR_SUCCESS) {
        strValue.ReleaseBuffer(0);
        return lpszDefault;
    }
    // The stored text need not end with a NUL.
    lpszBuffer[dwCount] = '\0';
    strValue.ReleaseBuffer();
    return strValue;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == NULL) {
        CKeyHolder app(GetAppRegistryKey());
        if (app.Get() == NULL)
            return FALSE;
        return RegDeleteKeyA(app.Get(), lpszSection) == ERROR_SUCCESS;
    }
    CKeyHolder section(GetSectionKey(lpszSection));
    if (section.Get() == NULL)
        return FALSE;
    if (lpszValue == NULL)
        return RegDeleteValueA(section.Get(), lpszEntry) == ERROR_SUCCESS;
    return RegSetValueExA(section.Get(), lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                          (DWORD)strlen(lpszValue) + 1) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL) {
        CString strText = GetProfileString(lpszSection, lpszEntry, NULL);
        if (strText.IsEmpty())
            return FALSE;
        UINT nBytes = (UINT)strText.GetLength() / 2;
        *ppData = new BYTE[nBytes];
        for (UINT i = 0; i < nBytes; ++i) {
            (*ppData)[i] = (BYTE)(((strText[(int)(i * 2 + 1)] - 'A') << 4) + (strText[(int)(i * 2)] - 'A'));
        }
        *pBytes = nBytes;
        return TRUE;
    }
    CKeyHolder section(GetSectionKey(lpszSection));
    if (section.Get() == NULL)
        return FALSE;
    DWORD dwType = REG_NONE;
    DWORD dwCount = 0;
    if (RegQueryValueExA(section.Get(), lpszEntry, NULL, &dwType, NULL, &dwCount) != ERROR_SUCCESS ||
        dwType != REG_BINARY)
        return FALSE;
    LPBYTE pData = new BYTE[dwCount > 0 ? dwCount : 1];
    if (RegQueryValueExA(section.Get(), lpszEntry, NULL, &dwType, pData, &dwCount) != ERROR_SUCCESS) {
        delete[] pData;
        return FALSE;
    }
    *ppData = pData;
    *pBytes = dwCount;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL) {
        CString strText;
        LPTSTR lpsz = strText.GetBufferSetLength((int)nBytes * 2);
        for (UINT i = 0; i < nBytes; ++i) {
            lpsz[i * 2] = (TCHAR)((pData[i] & 0x0F) + 'A');
            lpsz[i * 2 + 1] = (TCHAR)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        return WriteProfileString(lpszSection, lpszEntry, strText);
    }
    CKeyHolder section(GetSectionKey(lpszSection));
    if (section.Get() == NULL)
        return FALSE;
    return RegSetValueExA(section.Get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
