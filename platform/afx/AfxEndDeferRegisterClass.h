// AfxEndDeferRegisterClass: the framework's window classes are registered when first needed.
#pragma once

#include "afxdefs.h"

// The class a frame or view gets when it names none (CFrameWnd::PreCreateWindow).
#define AFX_WNDFRAMEORVIEW_REG 0x00008

// Registers the classes of the bits given; TRUE when every one is registered.
BOOL AFXAPI AfxEndDeferRegisterClass(LONG fToRegister);
