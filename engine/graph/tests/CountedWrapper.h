#pragma once

#include "FilterWrapper.h"

// The wrapper class of the tests' own class records. It counts its live objects, so a test
// sees that the builder deleted every wrapper it made.
class CCountedWrapper : public CFilterWrapper
{
public:
    CCountedWrapper(CGraphBuilder* graph, REFCLSID clsid);
    CCountedWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    CCountedWrapper(CGraphBuilder* graph, IBaseFilter* filter);
    ~CCountedWrapper() override;

    static LONG Live() { return s_live; }

private:
    static LONG s_live;
};
