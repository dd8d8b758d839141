#pragma once

#include <afx.h>

// File and folder helpers. Paths are ANSI (code page 936): a '\' byte may be the second
// half of a Chinese character, so path scanning goes character by character.
namespace CPathUtil {

// TRUE when a file or folder of that name exists.
BOOL FileExists(const char* path);
// Blanks around the path are ignored and '/' counts as '\'. An empty folder counts only
// when "*.*" matches something in it ("." and ".." do on local disks).
BOOL FolderExists(const char* path);
// One level: the parent must exist.
BOOL MakeDir(const char* path);
// The program file's folder, without a trailing '\'.
void GetModuleDir(CString& dir);

// The index of the first element equal to the text, -1 when there is none.
int FindString(const CStringArray& array, const char* text);
int FindStringNoCase(const CStringArray& array, const char* text);

// An empty text when the path has no short form.
CString GetShortPath(const char* path);

} // namespace CPathUtil
