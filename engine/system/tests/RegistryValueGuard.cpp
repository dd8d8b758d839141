#include "RegistryValueGuard.h"

RegistryValueGuard::RegistryValueGuard(const char* subkey, const char* name)
    : m_subkey(subkey), m_name(name), m_existed(false)
{
    m_text = Read(subkey, name, &m_existed);
}

RegistryValueGuard::~RegistryValueGuard()
{
    if (!m_existed) {
        Remove(m_subkey.c_str(), m_name.c_str());
        return;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_subkey.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, m_name.c_str(), 0, REG_SZ, (const BYTE*)m_text.c_str(), (DWORD)m_text.size() + 1);
        RegCloseKey(key);
    }
}

std::string RegistryValueGuard::Read(const char* subkey, const char* name, bool* exists)
{
    char text[1024] = "";
    DWORD size = sizeof(text) - 1;
    HKEY key;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExA(key, name, NULL, NULL, (BYTE*)text, &size);
        RegCloseKey(key);
    }
    if (exists)
        *exists = result == ERROR_SUCCESS;
    return result == ERROR_SUCCESS ? text : "";
}

void RegistryValueGuard::Remove(const char* subkey, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
}
