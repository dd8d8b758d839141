// A bitmap resource in the user's button colours: the standard greys of a picture with a colour
// table (black, dark grey 0x808080, light grey 0xC0C0C0 and white) become COLOR_BTNTEXT,
// COLOR_BTNSHADOW, COLOR_BTNFACE and COLOR_BTNHIGHLIGHT, as toolbar pictures are drawn.
#pragma once

#include "afxdefs.h"

// A bitmap compatible with the screen (bMono: a monochrome one), the caller's to delete; NULL
// when the resource is no readable bitmap.
HBITMAP AFXAPI AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono = FALSE);
