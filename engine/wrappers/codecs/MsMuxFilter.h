#pragma once

#include "FilterWrapper.h"

#include <dshow.h>

// The system's AVI multiplexer of the AVI recordings, set up once in Init: compatibility index on,
// interleaving 1000 with preroll 750, no interleaving mode. Its inputs come and go as they are
// connected.
class CMsMuxFilter : public CFilterWrapper
{
public:
    CMsMuxFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMsMuxFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    BOOL Init() override;

    // In 100 ns units.
    enum { kInterleave = 1000, kPreroll = 750 };
};
