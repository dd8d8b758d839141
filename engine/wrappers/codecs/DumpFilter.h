#pragma once

#include "FilterWrapper.h"

// The "Dump" writer behind the MPEG encoder: the file each recording goes to.
class CDumpFilter : public CFilterWrapper
{
public:
    CDumpFilter(CGraphBuilder* graph, REFCLSID clsid);
    CDumpFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    BOOL SetFileName(const char* name);
};
