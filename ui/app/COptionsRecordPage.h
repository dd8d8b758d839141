#pragma once

#include "COptionsPage.h"

class COptionsBar;
class COptionsSelector;

// The options menu's recording settings: snapshot type, record format, recording scheme,
// display quality and the snapshots' JPEG quality, each stored as it changes.
class COptionsRecordPage : public COptionsPage
{
public:
    enum { kSnapRow, kFormatRow, kSchemeRow, kQualityRow, kJpegRow };

    COptionsRecordPage();

    BOOL BuildRows() override;
    void Refresh() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;

protected:
    COptionsSelector* m_pSnap = NULL;
    COptionsSelector* m_pFormat = NULL;
    COptionsSelector* m_pScheme = NULL;
    COptionsSelector* m_pQuality = NULL;
    COptionsBar* m_pJpeg = NULL;
};
