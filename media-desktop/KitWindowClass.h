#pragma once

#include <windows.h>

// Registers one of the kit's window classes on first use: redrawn on any resize, global, the
// default window procedure, the arrow cursor and a COLOR_BTNFACE background, with extraStyle
// added. The class name, or NULL when it could not be registered.
LPCSTR RegisterKitWindowClass(LPCSTR className, UINT extraStyle = 0);
