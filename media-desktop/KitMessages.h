#pragma once

#include <windows.h>

// Messages between the kit's lists and the page that holds them. wParam is the list's window
// in each.

// Paint my background: lParam a KitBackgroundRequest.
#define WM_KIT_PAINT_BACKGROUND 0x401
// Focus: lParam 0 the list took it, 1 give it to the next window, 2 to the previous one.
#define WM_KIT_FOCUS 0x402
// lParam the current item, reported after a paint in which it changed.
#define WM_KIT_SEL_CHANGE 0x403
// lParam the activated item.
#define WM_KIT_ACTIVATE 0x404
// Backspace: back to the page before.
#define WM_KIT_BACK 0x407

// To the main window: show the caption bar.
#define WM_SHOW_TOP_BAR 0x405
// To the main window: play a file; wParam its path (LPCSTR), lParam its kind.
#define WM_PLAY_MEDIA 0x406
enum PlayMediaKind { PLAY_MEDIA_VIDEO = 1, PLAY_MEDIA_MUSIC = 2 };
// WM_COMMAND to the main window: start the TV program.
#define ID_START_TV 2202

enum KitFocusRequest { KIT_FOCUS_TAKEN = 0, KIT_FOCUS_NEXT = 1, KIT_FOCUS_PREVIOUS = 2 };

// The device context to paint into and the child's client rectangle in it.
struct KitBackgroundRequest
{
    HDC dc;
    RECT rect;
};

// To the main window, from another copy of the program: show page wParam (0 home, 1 pictures,
// 2 video, 3 music); lParam ID_START_TV on the home page also starts the TV program.
#define WM_ACTIVATE_REQUEST (WM_USER + 8)
// To the main window from outside: minimise while another program holds the capture device,
// and maximise again when it is given back.
#define WM_RELEASE_DEVICE 0x4400
#define WM_RESUME_DEVICE 0x4401
// The desktop's commands that the main window passes to the view.
#define ID_PREFERENCES 2200
#define ID_HELP_FILE 2201
#define ID_WEB_SITE 2210
#define ID_VIEW_COMMAND_FIRST 2200
#define ID_VIEW_COMMAND_LAST 2210
