#include "ModulePaths.h"

#include <shlwapi.h>
#include <stdlib.h>

CString GetModuleDir()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash)
        *slash = '\0';
    return CString(path);
}

CString SplitPath(LPCTSTR path, int part)
{
    char drive[_MAX_DRIVE] = "";
    char dir[_MAX_DIR] = "";
    char name[_MAX_FNAME] = "";
    char ext[_MAX_EXT] = "";
    _splitpath(path, drive, dir, name, ext);
    switch (part) {
    case 1:
        return CString(drive);
    case 2: {
        CString folder = CString(drive) + dir;
        if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
            folder = folder.Left(folder.GetLength() - 1);
        return folder;
    }
    case 3:
        return CString(name) + ext;
    case 4:
        return CString(name);
    case 5:
        return ext[0] == '.' ? CString(ext + 1) : CString();
    default:
        return CString();
    }
}

BOOL IsDirectory(LPCTSTR path)
{
    return PathIsDirectoryA(path) ? TRUE : FALSE;
}
