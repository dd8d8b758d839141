#pragma once

#include <afx.h>

// One open registry key. Results are Win32 error codes (ERROR_SUCCESS = 0).
class CRegistryKey
{
public:
    CRegistryKey();
    virtual ~CRegistryKey();

    // Opens the key, creating it when it does not exist.
    LONG Open(HKEY root, const char* subkey);
    void Close();

    // The text changes only on success.
    LONG QueryString(const char* name, CString& text);
    LONG QueryDWORD(const char* name, DWORD& value);
    LONG QueryValue(const char* name, BYTE* buffer, DWORD size);

    LONG SetString(const char* name, const char* text);
    LONG SetDWORD(const char* name, DWORD value);
    LONG SetBinary(const char* name, const BYTE* data, DWORD size);
    LONG DeleteValue(const char* name);

private:
    CRegistryKey(const CRegistryKey&);
    CRegistryKey& operator=(const CRegistryKey&);

    enum { kStringBufferSize = 200 };

    HKEY m_hKey;
    CString m_path;
};
