#include "SkinSwitch.h"

#include "CSkin.h"

namespace {

BOOL Exists(LPCTSTR path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
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
