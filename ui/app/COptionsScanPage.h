#pragma once

#include "COptionsPage.h"

class COptionsBar;

// The running scan: a bar that follows the scanned frequency. Enter stops the scan; the end
// of the range, this page's Enter and the scan's end each lead back to the channel page, but
// only from this page, so the menu steps back once however many of them come.
class COptionsScanPage : public COptionsPage
{
public:
    enum { kPageId = 45400 };

    COptionsScanPage();

    void Refresh() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;
    BOOL BuildRows() override;
    void OnScanProgress(int from, int to, int position) override;

    COptionsBar* GetBar() const { return m_pBar; }

protected:
    void LeaveToParent();

    COptionsBar* m_pBar = NULL;
};
