#pragma once

#include <afx.h>

// The key-driven options menu; the one instance is theOptionsDlg.
class COptionsDlg
{
public:
    // TRUE refreshes the pages and shows the menu; FALSE resets and hides it.
    void ShowMenu(BOOL show);
};

extern COptionsDlg theOptionsDlg;
