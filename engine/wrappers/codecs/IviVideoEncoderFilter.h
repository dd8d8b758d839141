#pragma once

#include "FilterWrapper.h"

#include <windows.h>

// InterVideo's video encoder: a twenty-word settings record as numbered parameters, through a
// parameter interface asked for at each call. Registered, never requested.
class CIviVideoEncoderFilter : public CFilterWrapper
{
public:
    CIviVideoEncoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CIviVideoEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    enum { kWords = 20 };

    BOOL SetVideoSettings(const LONG* words);
    BOOL GetVideoSettings(LONG* words);
};

// Presets; variant 1 is the 25 fps one, 2 the 30 fps one, anything else fails.
BOOL IviVideoPresetVcd(int variant, LONG* words);
// highRate: 7200 kbit/s in place of 4500.
BOOL IviVideoPresetDvd(int variant, BOOL highRate, LONG* words);
BOOL IviVideoPresetSvcd(int variant, LONG* words);
BOOL IviVideoPresetMpeg1(int variant, LONG* words);
BOOL IviVideoPresetMpeg2(int variant, LONG* words);
