// The controls dialog (ControlsDialog.rc).
#pragma once

#define IDD_CONTROLS 100
#define IDB_SWATCH 101
#define IDC_NAME 1001
#define IDC_CHANNEL 1002
#define IDC_SOURCES 1003
#define IDC_VOLUME 1004
#define IDC_PAGES 1005
#define IDC_RECORDINGS 1006
#define IDC_FOLDERS 1007
#define IDC_START 1008
#define IDC_HOTKEY 1009
#define IDC_MUTE 1010
#define IDC_TV 1011
#define IDC_FM 1012
#define IDC_BALANCE 1013
#define IDC_PICTURE 1014
