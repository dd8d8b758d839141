#pragma once

#include "CSourcePage.h"

// The wizard's first page: the device page's region, sound and standard choices without the
// video source. The country and city only record the choice, the sound device is only set,
// and the standard goes to the graph alone; the region choices are stored as the page goes.
class CRegionPage : public CSourcePage
{
public:
    explicit CRegionPage(CWnd* pParent = NULL);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnRegionCountry();
    afx_msg void OnRegionCity();
    afx_msg void OnRegionAudioDevice();
    afx_msg void OnRegionStandard();
    DECLARE_MESSAGE_MAP()
};
