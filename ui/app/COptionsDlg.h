#pragma once

#include <afxwin.h>

// The key-driven options menu over the picture. Until its pages exist the host has no window:
// the menu never shows, and what the panel and the video window tell it is dropped.
class COptionsDlg : public CWnd
{
public:
    BOOL Create(CWnd*) { return TRUE; }
    void ShowMenu(BOOL) {}
    void GoToParentPage() {}
    void OnScanProgress(int, int, int) {}
};
