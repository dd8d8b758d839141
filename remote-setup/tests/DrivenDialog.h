#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Runs a script on a modal dialog of this thread once it shows, from a timer of its window,
// then ends it with Cancel unless the script ended it already: a dialog that refused OK
// returns IDCANCEL.
class DialogScript
{
public:
    // Call from the dialog's OnInitDialog.
    static void Start(HWND dialog, std::function<void(HWND)> script);

    static std::string ItemText(HWND dialog, int id);
    static bool IsEnabled(HWND dialog, int id);
    static bool IsChecked(HWND dialog, int id);
    // Sets the text of an edit as typing would, with its change notice.
    static void Type(HWND dialog, int id, const char* text);
    // Chooses a combo item as the user would, with its selection notice.
    static void Choose(HWND dialog, int id, int item);
    // Clicks a button (a check box toggles, a radio button is checked).
    static void Click(HWND dialog, int id);

private:
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
};
