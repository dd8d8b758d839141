#pragma once

// The frame test dialog and its art (FrameDialogArt.txt).
#define IDD_FRAME_TEST 500

#define IDB_CAP_LEFT 501
#define IDB_CAP_RIGHT 502
#define IDB_CAP_MIDDLE 503
#define IDB_BORDER_LEFT 504
#define IDB_BORDER_RIGHT 505
#define IDB_BORDER_BOTTOM 506
#define IDB_FBTN_NORMAL 507
#define IDB_FBTN_HOVER 508
#define IDB_FBTN_PRESSED 509
