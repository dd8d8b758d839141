#include "ShortcutTarget.h"

#include <objbase.h>
#include <shlobj.h>

#include <string>

BOOL UpdateShortcutTarget(LPCSTR relativeLink, LPCSTR target)
{
    char programs[MAX_PATH];
    if (!relativeLink || !target || !SHGetSpecialFolderPathA(NULL, programs, CSIDL_COMMON_PROGRAMS, FALSE))
        return FALSE;
    const std::string link = std::string(programs) + relativeLink;
    WCHAR widePath[MAX_PATH];
    if (link.size() >= MAX_PATH || !MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, widePath, MAX_PATH)
        || GetFileAttributesW(widePath) == INVALID_FILE_ATTRIBUTES)
        return FALSE;

    IShellLinkA* shortcut = NULL;
    IPersistFile* file = NULL;
    BOOL done = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           (void**)&shortcut))
                && SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, (void**)&file))
                && SUCCEEDED(file->Load(widePath, STGM_READWRITE))
                && SUCCEEDED(shortcut->Resolve(NULL, SLR_NO_UI | SLR_ANY_MATCH))
                && SUCCEEDED(shortcut->SetPath(target)) && SUCCEEDED(shortcut->SetArguments(""))
                && SUCCEEDED(file->Save(widePath, TRUE));
    if (file)
        file->Release();
    if (shortcut)
        shortcut->Release();
    return done;
}
