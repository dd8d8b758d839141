// Resources of afx_gdi_tests (GdiTests.rc) and of its resource module (GdiTestModule.rc).
#pragma once

// In both: the module's copy must win.
#define IDR_BOTH_MENU 300
#define IDB_BOTH 301
// In the program only.
#define IDR_PROGRAM_MENU 302
#define IDB_PROGRAM_ONLY 303
// A toolbar (type 241) and its strip of three button images, with a separator between the
// first two commands.
#define IDR_TOOLBAR 310
#define ID_FIRST_COMMAND 40001
#define ID_SECOND_COMMAND 40002
#define ID_THIRD_COMMAND 40003
// An item of the popup of IDR_PROGRAM_MENU.
#define ID_MENU_ITEM 40010
#define ID_MENU_NESTED_ITEM 40011
