#include "RefusingFilter.h"

STDMETHODIMP CRefusingFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    return graph ? E_FAIL : CTestSink::JoinFilterGraph(graph, name);
}
