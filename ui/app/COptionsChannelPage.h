#pragma once

#include "COptionsPage.h"

class COptionsSelector;
class COptionsSlider;

// The tuner's channel page: starts and stops a scan (its child, the scan progress page, shows
// it), fine-tunes the current channel without storing the frequency, deletes it, marks it as
// a favourite and switches between all channels and the favourites.
class COptionsChannelPage : public COptionsPage
{
public:
    enum { kPageId = 45500 };
    enum Row { kScanRow, kFineTuneRow, kDeleteRow, kFavoriteRow, kUseFavorRow, kRows };
    // Fine-tuning reaches this far (kHz) either side of the channel's frequency.
    enum { kFineTuneReach = 2000, kFineTuneStep = 60 };

    COptionsChannelPage();

    void Refresh() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;
    BOOL BuildRows() override;

    COptionsSlider* GetSlider() const { return m_pSlider; }
    COptionsSelector* GetSelector(int row) const;

protected:
    // The panel disables its scan button while a scan cannot start or be stopped.
    virtual BOOL ScanButtonEnabled() const;

    COptionsSlider* m_pSlider = NULL;
    COptionsSelector* m_pDelete = NULL;
    COptionsSelector* m_pFavorite = NULL;
    COptionsSelector* m_pUseFavor = NULL;
};
