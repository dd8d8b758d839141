#pragma once

#include "afxwin.h"

// Path helpers of the media desktop.

// The folder of the running executable, without a trailing backslash.
CString GetModuleDir();

// One part of a path: 1 drive; 2 drive and directory without the trailing backslash; 3 file
// name with extension; 4 file name without extension; 5 extension without its dot. Any other
// part, and an extension that does not start with a dot, give an empty text.
CString SplitPath(LPCTSTR path, int part);

BOOL IsDirectory(LPCTSTR path);
