#pragma once

#include "AmMediaType.h"
#include "FilterWrapper.h"

// The system's audio compression wrapper ("ACM Wrapper") on a recording's sound path: its
// output's audio format is chosen by sample rate and sample size from the formats its
// unconnected output offers.
class CAcmWrapperFilter : public CFilterWrapper
{
public:
    CAcmWrapperFilter(CGraphBuilder* graph, REFCLSID clsid);
    CAcmWrapperFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    // Valid when the graph's capture builder finds the output's IAMStreamConfig (S_OK only).
    BOOL Init() override;

    // The first wave format the first unconnected output pin offers with that rate and
    // sample size.
    BOOL FindAudioMediaType(CAmMediaType* type, DWORD samplesPerSec, WORD bitsPerSample);
    // Sets that format; TRUE only when the filter answers S_OK.
    BOOL SetAudioFormat(DWORD samplesPerSec, WORD bitsPerSample);

private:
    CComRef<IAMStreamConfig> m_streamConfig;
};
