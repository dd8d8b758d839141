#pragma once

#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include <string>

// The shell's Active Desktop object as far as the wallpaper goes. The desktop it stands for is
// HKCU\Software\Sim\ActiveDesktop: "Wallpaper" (text), "Style" (the options' style) and
// "Applied" (how many times changes were saved). An object starts from what is saved there;
// its changes are pending until ApplyChanges with AD_APPLY_SAVE. The switch "Fail"
// (HKLM\Software\Sim\activedesktop) names methods that answer E_FAIL.
class CSimActiveDesktop : public IActiveDesktop
{
public:
    CSimActiveDesktop();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP ApplyChanges(DWORD flags) override;
    STDMETHODIMP GetWallpaper(PWSTR wallpaper, UINT chars, DWORD flags) override;
    STDMETHODIMP SetWallpaper(PCWSTR wallpaper, DWORD reserved) override;
    STDMETHODIMP GetWallpaperOptions(LPWALLPAPEROPT options, DWORD reserved) override;
    STDMETHODIMP SetWallpaperOptions(LPCWALLPAPEROPT options, DWORD reserved) override;

    // The desktop's patterns and items are not simulated.
    STDMETHODIMP GetPattern(PWSTR, UINT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetPattern(PCWSTR, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemOptions(LPCOMPONENTSOPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetDesktopItemOptions(LPCCOMPONENTSOPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddDesktopItemWithUI(HWND, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP ModifyDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemCount(int*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItem(int, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemByID(ULONG_PTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GenerateDesktopItemHtml(PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddUrl(HWND, PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemBySource(PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }

private:
    virtual ~CSimActiveDesktop() {}
    bool Fails(const char* method) const;
    void Load();
    void Save();

    LONG m_refs;
    std::wstring m_wallpaper;
    DWORD m_style;
    std::string m_fail;
};
