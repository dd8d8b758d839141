#include "CSimActiveDesktop.h"

#include "CSimSwitches.h"

namespace
{

const wchar_t kStoreKey[] = L"Software\\Sim\\ActiveDesktop";

DWORD ReadDword(HKEY key, const wchar_t* name, DWORD fallback)
{
    DWORD value = fallback, size = sizeof(value), type = 0;
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)&value, &size) != ERROR_SUCCESS || type != REG_DWORD)
        return fallback;
    return value;
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value)
{
    RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
}

} // namespace

CSimActiveDesktop::CSimActiveDesktop() : m_refs(1), m_style(WPSTYLE_CENTER)
{
    m_fail = CSimSwitches("activedesktop").Text("Fail", "");
    Load();
}

STDMETHODIMP CSimActiveDesktop::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IActiveDesktop))
        return E_NOINTERFACE;
    *out = static_cast<IActiveDesktop*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CSimActiveDesktop::AddRef()
{
    return InterlockedIncrement(&m_refs);
}

STDMETHODIMP_(ULONG) CSimActiveDesktop::Release()
{
    LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return refs;
}

bool CSimActiveDesktop::Fails(const char* method) const
{
    return !m_fail.empty() && m_fail.find(method) != std::string::npos;
}

void CSimActiveDesktop::Load()
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    wchar_t text[MAX_PATH + 1] = L"";
    DWORD size = sizeof(text) - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, L"Wallpaper", NULL, &type, (BYTE*)text, &size) == ERROR_SUCCESS && type == REG_SZ)
        m_wallpaper = text;
    m_style = ReadDword(key, L"Style", m_style);
    RegCloseKey(key);
}

void CSimActiveDesktop::Save()
{
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, NULL, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, (const BYTE*)m_wallpaper.c_str(),
                   (DWORD)((m_wallpaper.size() + 1) * sizeof(wchar_t)));
    WriteDword(key, L"Style", m_style);
    WriteDword(key, L"Applied", ReadDword(key, L"Applied", 0) + 1);
    RegCloseKey(key);
}

STDMETHODIMP CSimActiveDesktop::ApplyChanges(DWORD flags)
{
    if (Fails("ApplyChanges"))
        return E_FAIL;
    if (flags & AD_APPLY_SAVE)
        Save();
    return S_OK;
}

STDMETHODIMP CSimActiveDesktop::GetWallpaper(PWSTR wallpaper, UINT chars, DWORD)
{
    if (!wallpaper)
        return E_POINTER;
    if (Fails("GetWallpaper"))
        return E_FAIL;
    if (chars == 0)
        return E_INVALIDARG;
    lstrcpynW(wallpaper, m_wallpaper.c_str(), chars);
    return S_OK;
}

STDMETHODIMP CSimActiveDesktop::SetWallpaper(PCWSTR wallpaper, DWORD)
{
    if (!wallpaper)
        return E_POINTER;
    if (Fails("SetWallpaper"))
        return E_FAIL;
    m_wallpaper = wallpaper;
    return S_OK;
}

STDMETHODIMP CSimActiveDesktop::GetWallpaperOptions(LPWALLPAPEROPT options, DWORD)
{
    if (!options)
        return E_POINTER;
    if (options->dwSize != sizeof(WALLPAPEROPT))
        return E_INVALIDARG;
    options->dwStyle = m_style;
    return S_OK;
}

STDMETHODIMP CSimActiveDesktop::SetWallpaperOptions(LPCWALLPAPEROPT options, DWORD)
{
    if (!options)
        return E_POINTER;
    if (options->dwSize != sizeof(WALLPAPEROPT))
        return E_INVALIDARG;
    m_style = options->dwStyle;
    return S_OK;
}
