#include "RegistryKey.h"

#include <cstring>

CRegistryKey::CRegistryKey()
    : m_hKey(NULL)
{
}

CRegistryKey::~CRegistryKey()
{
    Close();
}

LONG CRegistryKey::Open(HKEY root, const char* subkey)
{
    Close();
    m_path = subkey;
    LONG result = RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS, &m_hKey);
    if (result == ERROR_SUCCESS)
        return result;
    m_hKey = NULL;
    result = RegCreateKeyExA(root, subkey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             NULL, &m_hKey, NULL);
    if (result != ERROR_SUCCESS)
        m_hKey = NULL;
    return result;
}

void CRegistryKey::Close()
{
    if (m_hKey) {
        RegCloseKey(m_hKey);
        m_hKey = NULL;
    }
}

LONG CRegistryKey::QueryString(const char* name, CString& text)
{
    // One byte beyond what the registry may fill: a value stored without its terminating
    // NUL that fills the whole buffer still ends in one.
    char buffer[kStringBufferSize + 1];
    memset(buffer, 0, sizeof(buffer));
    LONG result = QueryValue(name, (BYTE*)buffer, kStringBufferSize);
    if (result == ERROR_SUCCESS)
        text = buffer;
    return result;
}

LONG CRegistryKey::QueryDWORD(const char* name, DWORD& value)
{
    DWORD read = 0;
    LONG result = QueryValue(name, (BYTE*)&read, sizeof(read));
    if (result == ERROR_SUCCESS)
        value = read;
    return result;
}

LONG CRegistryKey::QueryValue(const char* name, BYTE* buffer, DWORD size)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return RegQueryValueExA(m_hKey, name, NULL, NULL, buffer, &size);
}

LONG CRegistryKey::SetString(const char* name, const char* text)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(m_hKey, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
}

LONG CRegistryKey::SetDWORD(const char* name, DWORD value)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(m_hKey, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
}

LONG CRegistryKey::SetBinary(const char* name, const BYTE* data, DWORD size)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(m_hKey, name, 0, REG_BINARY, data, size);
}

LONG CRegistryKey::DeleteValue(const char* name)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return RegDeleteValueA(m_hKey, name);
}
