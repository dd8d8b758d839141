#pragma once

#include "FilterWrapper.h"

#include <windows.h>

// InterVideo's audio encoder for the FM recordings: six settings words, sent as numbered
// parameters in a fixed order through a parameter interface asked for at each call.
class CIviAudioEncoderFilter : public CFilterWrapper
{
public:
    CIviAudioEncoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CIviAudioEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    enum { kWords = 6 };

    // words: 0 sampling rate, 1 bit rate (kbit/s), 2 quality, 3 layer, 4 channels, 5 CRC.
    BOOL SetAudioSettings(const LONG* words);
};

// The audio presets; the 44.1 kHz one is the FM recording's.
void IviAudioPreset44k(LONG* words);
void IviAudioPreset48k(LONG* words);
