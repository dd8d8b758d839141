#include "ActiveDesktop.h"

#include <wininet.h>
#include <shlobj.h>

namespace
{

// The shell reads and writes paths of at most MAX_PATH characters.
const int kWallpaperChars = MAX_PATH;

} // namespace

CActiveDesktop::CActiveDesktop()
{
    if (FAILED(CoCreateInstance(CLSID_ActiveDesktop, NULL, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                                m_desktop.ReceiveVoid())))
        m_desktop.Reset();
}

CActiveDesktop::~CActiveDesktop()
{
}

BOOL CActiveDesktop::GetWallpaper(CString& path, _tagWALLPAPEROPT* options)
{
    if (!m_desktop)
        return FALSE;
    WCHAR wide[kWallpaperChars + 1] = {};
    if (FAILED(m_desktop->GetWallpaper(wide, kWallpaperChars, 0)))
        return FALSE;
    char narrow[kWallpaperChars * 2 + 1] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof(narrow), NULL, NULL);
    path = narrow;
    if (options)
        m_desktop->GetWallpaperOptions(options, 0);
    return TRUE;
}

BOOL CActiveDesktop::SetWallpaper(const char* path, const _tagWALLPAPEROPT* options)
{
    if (!m_desktop)
        return FALSE;
    if (options)
        m_desktop->SetWallpaperOptions(options, 0);
    WCHAR wide[kWallpaperChars + 1] = {};
    MultiByteToWideChar(CP_ACP, 0, path ? path : "", -1, wide, kWallpaperChars);
    if (FAILED(m_desktop->SetWallpaper(wide, 0)))
        return FALSE;
    return SUCCEEDED(m_desktop->ApplyChanges(AD_APPLY_ALL));
}
