#pragma once

#include "TestSink.h"

// A sink that no filter graph can take in: joining a graph fails.
class CRefusingFilter : public CTestSink
{
public:
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
};
