#pragma once

#include "FilterWrapper.h"

#include <windows.h>

// InterVideo's multiplexer for the FM recordings: six settings words as numbered parameters
// through a parameter interface asked for at each call. Its inputs come and go as they are
// connected.
class CIviMuxFilter : public CFilterWrapper
{
public:
    CIviMuxFilter(CGraphBuilder* graph, REFCLSID clsid);
    CIviMuxFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    BOOL Init() override;

    enum { kWords = 6 };

    // words: 0 pack size, 1-3 and 5 flags, 4 stream type (0 MPEG-1, 1 MPEG-2, 2 VCD, 3 SVCD, 4 DVD).
    BOOL SetMuxSettings(const LONG* words);
};

// The multiplexer presets; the VCD one is the FM recording's.
void IviMuxPresetVcd(LONG* words);
void IviMuxPresetDvd(LONG* words);
void IviMuxPresetSvcd(LONG* words);
void IviMuxPresetMpeg1(LONG* words);
void IviMuxPresetMpeg2(LONG* words);
