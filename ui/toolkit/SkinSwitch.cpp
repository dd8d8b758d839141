#include "SkinSwitch.h"

#include "CSkin.h"

namespace {

// A file or folder of that name. A path ending in a backslash (the program's folder, when a
// skin's section names no files) names neither.
BOOL Exists(LPCTSTR path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    return TRUE;
}

} // namespace

BOOL SwitchSkin(CSkin*& current, CWnd* dialog, LPCTSTR elementPath, LPCTSTR dllPath)
{
    if (!Exists(elementPath) || !Exists(dllPath))
        return FALSE;
    HINSTANCE kept = AfxGetResourceHandle();
    HMODULE dll = LoadLibraryA(dllPath);
    if (dll)
        AfxSetResourceHandle(dll);

    CSkin* skin = new CSkin;
    BOOL loaded = skin->Load(elementPath);
    if (loaded) {
        if (current) {
            current->Detach();
            current->Free();
            delete current;
        }
        current = skin;
        skin->Attach(dialog);
        dialog->Invalidate(TRUE);
    } else {
        delete skin;
    }

    AfxSetResourceHandle(kept);
    if (dll)
        FreeLibrary(dll);
    return loaded;
}
