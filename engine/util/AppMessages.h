#pragma once

#include <windows.h>

// The program's own window messages that cross subsystems, kept in one place so that no two
// share a number.

// wParam: frequency in kHz, lParam: found flag.
#define WM_SCAN_PROGRESS    0x3979
#define WM_SCAN_DONE        0x3980
// wParam: remote-control key code.
#define WM_REMOTE_KEY       0x3981
#define WM_DV_EVENT         0x3982
// wParam: drive root, lParam: free MB.
#define WM_DISK_SPACE_LOW   3021
// wParam: schedule item, lParam: 0 start, 1 stop.
#define WM_SCHEDULE_EVENT   (WM_USER + 200)
#define WM_TVWALL_CLOSED    (WM_USER + 1000)
#define WM_GRAPH_EVENT      0x5832
// Asks the program to end without starting the tray program.
#define WM_QUIT_REQUEST     0x5bc
// Another program wants the card for a while, then gives it back.
#define WM_RELEASE_DEVICE   0x4400
#define WM_RESUME_DEVICE    0x4401
// wParam: virtual-key code.
#define WM_OPTIONS_KEY      0x806
