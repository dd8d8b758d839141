#include "SimDesktop.h"

#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include <string.h>

namespace
{

const char kStoreKey[] = "Software\\Sim\\ActiveDesktop";
const char kSwitchKey[] = "Software\\Sim\\activedesktop";

std::string ModuleBesideTest()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\')) + "\\simactivedesktop.dll";
}

DWORD ReadDword(const char* name)
{
    DWORD value = 0, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, kStoreKey, name, RRF_RT_REG_DWORD, NULL, &value, &size);
    return value;
}

} // namespace

SimDesktop::SimDesktop()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
    SetFailing("");
    m_override.reset(new ClassOverride(CLSID_ActiveDesktop, ModuleBesideTest().c_str()));
}

SimDesktop::~SimDesktop()
{
    m_override.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSwitchKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Fail");
        RegCloseKey(key);
    }
}

void SimDesktop::Save(const char* wallpaper, DWORD style)
{
    WCHAR wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, wallpaper, -1, wide, MAX_PATH);
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kStoreKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, (const BYTE*)wide, (DWORD)((lstrlenW(wide) + 1) * sizeof(WCHAR)));
    RegSetValueExW(key, L"Style", 0, REG_DWORD, (const BYTE*)&style, sizeof(style));
    RegCloseKey(key);
}

std::string SimDesktop::Wallpaper() const
{
    WCHAR wide[MAX_PATH + 1] = L"";
    DWORD size = sizeof(wide) - sizeof(WCHAR);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Sim\\ActiveDesktop", L"Wallpaper", RRF_RT_REG_SZ, NULL, wide,
                     &size) != ERROR_SUCCESS)
        return "(none)";
    char narrow[MAX_PATH * 2 + 1] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof(narrow), NULL, NULL);
    return narrow;
}

DWORD SimDesktop::Style() const
{
    return ReadDword("Style");
}

DWORD SimDesktop::Applied() const
{
    return ReadDword("Applied");
}

void SimDesktop::SetFailing(const char* methods)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSwitchKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Fail", 0, REG_SZ, (const BYTE*)methods, (DWORD)strlen(methods) + 1);
    RegCloseKey(key);
}
