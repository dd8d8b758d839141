#include "MpegSplitterFilter.h"

#include "CodecInterfaces.h"

CMpegSplitterFilter::CMpegSplitterFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegSplitterFilter::CMpegSplitterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegSplitterFilter::~CMpegSplitterFilter() = default;

BOOL CMpegSplitterFilter::Init()
{
    m_params.Reset();
    SetDynamicPins(TRUE);
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IMpegSplitterParams, m_params.ReceiveVoid()));
}

BOOL CMpegSplitterFilter::GetParam(LONG id, int* value)
{
    return m_params && SUCCEEDED(m_params->GetParam(id, value));
}

BOOL CMpegSplitterFilter::SetParam(LONG id, int value)
{
    return m_params && SUCCEEDED(m_params->SetParam(id, value));
}
