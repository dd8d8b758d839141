#pragma once

#include "COptionsPage.h"

class COptionsBar;
class COptionsSelector;

// The capture size, the display and noise settings and the daily shutdown. Its child, the
// shutdown time page, opens by Enter on the shutdown row only.
class COptionsVideoPage : public COptionsPage
{
public:
    enum { kPageId = 45200, kSelectorId = 45300 };
    enum Row { kSizeRow, kQualityRow, kNoiseRow, kHalfRateRow, kReduceRow, kShutdownRow, kRows };

    COptionsVideoPage();

    void Refresh() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;
    BOOL BuildRows() override;

    // The selector of a row other than the noise strength's; NULL for that row and past the rows.
    COptionsSelector* GetSelector(int row) const;
    COptionsBar* GetReduceBar() const { return m_pReduce; }

protected:
    // The device's own sound is silenced this long before and after the size changes.
    virtual void Pause(DWORD ms) { ::Sleep(ms); }

    COptionsSelector* m_pSelectors[kRows] = {};
    COptionsBar* m_pReduce = NULL;
};
