#include "PathUtil.h"

namespace {

// The offset of the last '\' that is a character of its own, or -1.
int FindLastBackslash(const char* text)
{
    int last = -1;
    for (int i = 0; text[i]; ++i) {
        if (IsDBCSLeadByte((BYTE)text[i]) && text[i + 1])
            ++i;
        else if (text[i] == '\\')
            last = i;
    }
    return last;
}

BOOL EndsWithBackslash(const CString& path)
{
    return !path.IsEmpty() && FindLastBackslash(path) == path.GetLength() - 1;
}

} // namespace

namespace CPathUtil {

BOOL FileExists(const char* path)
{
    if (!path)
        return FALSE;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    return TRUE;
}

BOOL FolderExists(const char* path)
{
    if (!path)
        return FALSE;
    CString folder(path);
    folder.TrimLeft();
    folder.TrimRight();
    if (folder.IsEmpty())
        return FALSE;
    folder.Replace('/', '\\');
    if (!EndsWithBackslash(folder))
        folder += '\\';
    folder += "*.*";
    return FileExists(folder);
}

BOOL MakeDir(const char* path)
{
    if (FolderExists(path))
        return TRUE;
    return CreateDirectoryA(path, NULL);
}

void GetModuleDir(CString& dir)
{
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    int last = FindLastBackslash(path);
    dir = CString(path, last < 0 ? 0 : last);
}

int FindString(const CStringArray& array, const char* text)
{
    for (int i = 0; i < array.GetSize(); ++i) {
        if (array[i].Compare(text) == 0)
            return i;
    }
    return -1;
}

int FindStringNoCase(const CStringArray& array, const char* text)
{
    for (int i = 0; i < array.GetSize(); ++i) {
        if (array[i].CompareNoCase(text) == 0)
            return i;
    }
    return -1;
}

CString GetShortPath(const char* path)
{
    char shortPath[MAX_PATH + 1];
    DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return CString();
    return CString(shortPath, (int)length);
}

} // namespace CPathUtil
