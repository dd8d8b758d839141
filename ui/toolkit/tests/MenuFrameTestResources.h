#pragma once

// A frame's menu, title string and accelerators under one id; a string without a menu.
#define IDR_HOST_FRAME 4401
#define IDR_HOST_NO_MENU 4402
#define IDD_HOST_DIALOG 4410
#define IDR_HOST_DIALOG_MENU 4411

#define ID_HOST_OPEN 40401
#define ID_HOST_SAVE 40402
#define ID_HOST_CUT 40403
#define ID_HOST_HANDLED 40411
#define ID_HOST_UNHANDLED 40412
#define ID_HOST_NESTED 40413
// At or above the system commands' range: never disabled for want of a handler.
#define ID_HOST_HIGH 0xF180
