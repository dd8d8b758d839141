#include "CountedWrapper.h"

LONG CCountedWrapper::s_live = 0;

CCountedWrapper::CCountedWrapper(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    ++s_live;
}

CCountedWrapper::CCountedWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    ++s_live;
}

CCountedWrapper::CCountedWrapper(CGraphBuilder* graph, IBaseFilter* filter)
    : CFilterWrapper(graph, filter)
{
    ++s_live;
}

CCountedWrapper::~CCountedWrapper()
{
    --s_live;
}
