// AfxCancelModes: before a window handles a menu, a combo box elsewhere that holds the focus
// closes its drop-down list, which would otherwise stay open over the menu.
#pragma once

#include <windows.h>

#include "afxdefs.h"

// hWndRcvr: the window about to handle the message; its own combo box is left alone.
void AFXAPI AfxCancelModes(HWND hWndRcvr);
