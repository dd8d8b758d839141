#pragma once

#include "CString.h"
#include "ComRef.h"

#include <windows.h>

struct IActiveDesktop;
// The shell's wallpaper options record; callers that pass one include wininet.h before
// shlobj.h, which declares it only then.
struct _tagWALLPAPEROPT;

// The desktop wallpaper through the shell's Active Desktop object. Made on the user-interface
// thread, which has initialised COM. Without the shell object every operation fails.
class CActiveDesktop
{
public:
    CActiveDesktop();
    virtual ~CActiveDesktop();

    // The wallpaper path (empty when none is set) and, when asked, its options.
    BOOL GetWallpaper(CString& path, _tagWALLPAPEROPT* options = NULL);
    // Sets the options when given, then the wallpaper, and applies the change; a refused
    // wallpaper leaves the desktop as it was.
    BOOL SetWallpaper(const char* path, const _tagWALLPAPEROPT* options = NULL);

private:
    CActiveDesktop(const CActiveDesktop&);
    CActiveDesktop& operator=(const CActiveDesktop&);

    // NULL when the shell has no Active Desktop object.
    CComRef<IActiveDesktop> m_desktop;
};
