#include "CSimSwitches.h"

#include <string.h>

namespace
{
bool IsSeparator(char c)
{
    return c == ' ' || c == ',' || c == ';' || c == '\t';
}
}

CSimSwitches::CSimSwitches(const char* module) : m_key(std::string("Software\\Sim\\") + module)
{
    m_trace = Dword("Trace", 1);
    m_omit = Text("Omit", "");
}

bool CSimSwitches::Omits(const char* interfaceName) const
{
    size_t length = strlen(interfaceName);
    size_t at = 0;
    while (at < m_omit.size()) {
        while (at < m_omit.size() && IsSeparator(m_omit[at]))
            ++at;
        size_t end = at;
        while (end < m_omit.size() && !IsSeparator(m_omit[end]))
            ++end;
        if (end - at == length && _strnicmp(m_omit.c_str() + at, interfaceName, length) == 0)
            return true;
        at = end;
    }
    return false;
}

DWORD CSimSwitches::Dword(const char* name, DWORD fallback) const
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (!Query(name, &type, &value, &size) || type != REG_DWORD || size != sizeof(value))
        return fallback;
    return value;
}

std::string CSimSwitches::Text(const char* name, const char* fallback) const
{
    char buffer[1024] = "";
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    if (!Query(name, &type, buffer, &size) || type != REG_SZ)
        return fallback;
    buffer[size < sizeof(buffer) ? size : sizeof(buffer) - 1] = '\0';
    return buffer;
}

bool CSimSwitches::Query(const char* name, DWORD* type, void* data, DWORD* size) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG err = RegQueryValueExA(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    RegCloseKey(key);
    return err == ERROR_SUCCESS;
}
