#pragma once

#include "COptionsPage.h"

class COptionsBar;
class COptionsSelector;

// The picture's colours: a bar for each of brightness, contrast, hue, saturation and
// sharpness, written to the card as it moves, and a row that restores the defaults.
class COptionsColorPage : public COptionsPage
{
public:
    enum { kPageId = 45200, kSelectorId = 45300 };
    enum { kBars = 5, kDefaultRow = kBars, kRows };

    COptionsColorPage();

    void Refresh() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;
    BOOL BuildRows() override;

    // Rows 0..4, the property of the same number; NULL past the rows built.
    COptionsBar* GetBar(int property) const;
    COptionsSelector* GetDefaultSelector() const { return m_pDefault; }

protected:
    COptionsBar* m_pBars[kBars] = {};
    COptionsSelector* m_pDefault = NULL;
};
