#include "RegistryValue.h"

DWORD RegistryDword(HKEY root, const std::string& path, const char* name, DWORD missing)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_DWORD, NULL, &value, &size) != ERROR_SUCCESS)
        return missing;
    return value;
}

std::string RegistryValueShape(HKEY root, const std::string& path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "no key";
    DWORD type = 0, size = 0;
    LONG result = RegQueryValueExA(key, name, NULL, &type, NULL, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "missing";
    return std::to_string(size) + (type == REG_BINARY ? " binary" : " other");
}
