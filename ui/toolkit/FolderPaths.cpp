#include "FolderPaths.h"

#include <shlobj.h>

BOOL IsDirectory(LPCTSTR path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CreateDirectories(LPCTSTR path, int start)
{
    CString whole(path);
    if (IsDirectory(whole))
        return TRUE;
    int separator = whole.Find('\\', start);
    if (separator < 0)
        return IsDirectory(whole);
    for (;;) {
        int end = whole.Find('\\', separator + 1);
        BOOL last = end < 0;
        CString level = last ? whole : whole.Left(end);
        CreateDirectoryA(level, NULL);
        if (!IsDirectory(level))
            return FALSE;
        if (last)
            return TRUE;
        separator = end;
    }
}

CString SplitPath(LPCTSTR path, int part)
{
    CString whole(path);
    int slash = whole.ReverseFind('\\');
    CString name = whole.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    switch (part) {
    case SPLIT_DRIVE:
        return (whole.GetLength() >= 2 && whole[1] == ':') ? whole.Left(2) : CString();
    case SPLIT_FOLDER:
        return slash < 0 ? CString() : whole.Left(slash);
    case SPLIT_FILENAME:
        return name;
    case SPLIT_TITLE:
        return dot < 0 ? name : name.Left(dot);
    case SPLIT_EXTENSION:
        return dot < 0 ? CString() : name.Mid(dot + 1);
    default:
        return CString();
    }
}

CString GetModuleDir(HMODULE module)
{
    char file[MAX_PATH] = "";
    GetModuleFileNameA(module, file, MAX_PATH);
    return SplitPath(file, SPLIT_FOLDER);
}

namespace {

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

int BrowseForFolder(CString& path, LPCTSTR title, CWnd* pOwner, UINT flags)
{
    HRESULT com = CoInitialize(NULL);
    IMalloc* allocator = NULL;
    if (FAILED(SHGetMalloc(&allocator))) {
        if (SUCCEEDED(com))
            CoUninitialize();
        return 2;
    }
    char initial[MAX_PATH + 1] = "";
    lstrcpynA(initial, path, MAX_PATH + 1);
    if (pOwner == NULL)
        pOwner = AfxGetMainWnd();

    BROWSEINFOA info = {};
    info.hwndOwner = pOwner->GetSafeHwnd();
    info.lpszTitle = title;
    info.ulFlags = flags | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = (LPARAM)initial;
    int result = 2;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen != NULL) {
        char folder[MAX_PATH] = "";
        if (SHGetPathFromIDListA(chosen, folder)) {
            path = folder;
            result = 1;
        }
        allocator->Free(chosen);
    }
    allocator->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
