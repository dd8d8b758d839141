#include "SimSwitch.h"

#include <windows.h>

#include <string.h>

SimSwitch::SimSwitch(const char* module, const char* name, const char* text)
    : m_key(std::string("Software\\Sim\\") + module), m_name(name)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), (DWORD)strlen(text) + 1);
        RegCloseKey(key);
    }
}

SimSwitch::~SimSwitch()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, m_name.c_str());
        RegCloseKey(key);
    }
}
