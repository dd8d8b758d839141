#pragma once

#include <windows.h>

// The compression-dialog library: the MPEG-4 codec's settings dialog. Linked at load time by
// its undecorated WINAPI export.
#ifdef __cplusplus
extern "C" {
#endif

// Shows the settings dialog modally over parent (or none); IDOK when the settings were saved,
// else IDCANCEL.
int WINAPI XD_ShowVCMDialog(HWND parent);

#ifdef __cplusplus
}
#endif
