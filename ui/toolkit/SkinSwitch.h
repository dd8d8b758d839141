#pragma once

#include <afxwin.h>

class CSkin;

// Puts the skin of an element file and its resource DLL on a dialog in place of the current
// one. Both files must exist, else nothing changes. The DLL is the resource module only while
// the skin loads (every bitmap is copied by then) and is freed at the end; a DLL that does
// not load leaves the skin to the program's own resources. The old skin is given back and
// deleted only when the new one loaded. Answers the new skin's Load.
BOOL SwitchSkin(CSkin*& current, CWnd* dialog, LPCTSTR elementPath, LPCTSTR dllPath);
