#pragma once

#include <afxwin.h>

// Paths and folders of the program's files (code page 936: every search walks whole
// characters, since a double-byte character may end in a backslash byte).

BOOL IsDirectory(LPCTSTR path);
// Creates the folders of the path level by level, looking for the first separator from start
// (so that a drive or share prefix is passed over); TRUE when the path is a folder at the end.
BOOL CreateDirectories(LPCTSTR path, int start);

enum SplitPathPart {
    SPLIT_DRIVE = 1,      // "C:"
    SPLIT_FOLDER = 2,     // drive and folder, no trailing backslash
    SPLIT_FILENAME = 3,   // name and extension; the whole path when it has no backslash
    SPLIT_TITLE = 4,      // name without extension
    SPLIT_EXTENSION = 5   // without its dot; empty when there is none
};
// Any other part gives an empty string.
CString SplitPath(LPCTSTR path, int part);

// The folder of the module's file, without a trailing backslash.
CString GetModuleDir(HMODULE module);

// The system's folder picker, starting at path (and set to the chosen folder). pOwner NULL:
// the thread's main window. 1 when a folder was chosen, else 2.
int BrowseForFolder(CString& path, LPCTSTR title, CWnd* pOwner, UINT flags);
