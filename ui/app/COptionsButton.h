#pragma once

#include "COptionsLabel.h"

// The cell at the head of a row that names it. Left and Right toggle its focus mark, which it
// never draws; it lets the row's walk pass when it takes the mark and stops it when it loses
// it, so after a row's last number the walk rests once on the button.
class COptionsButton : public COptionsLabel
{
public:
    COptionsButton();

    LRESULT OnKey(UINT key, LPARAM lParam) override;
};
