#pragma once

#include "COptionsPage.h"

// The menu's first page: a row for each topic page, in the order of the host's children. The
// channel page is for the tuner only.
class COptionsRootPage : public COptionsPage
{
public:
    enum { kPageId = 45600, kRows = 5 };

    COptionsRootPage();

    BOOL BuildRows() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;
};
