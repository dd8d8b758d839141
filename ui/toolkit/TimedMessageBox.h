#pragma once

#include <afxwin.h>

// A message box that counts down in its caption ("Left Seconds: %d") once a second and closes
// itself when the time is up: time / 1000 + 1 seconds. pOwner NULL: the thread's main window.
// The button pressed, or timeoutResult when the countdown closed the box.
int TimedMessageBox(CWnd* pOwner, LPCTSTR text, LPCTSTR caption, int timeoutResult, UINT type,
                    UINT timeMs);
// The same with the text and caption from the string table.
int TimedMessageBox(CWnd* pOwner, UINT textId, UINT captionId, int timeoutResult, UINT type,
                    UINT timeMs);
