#include "DownScaleFilter.h"

CDownScaleFilter::CDownScaleFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CDownScaleFilter::CDownScaleFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                   int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CDownScaleFilter::~CDownScaleFilter() = default;

BOOL CDownScaleFilter::Init()
{
    m_params.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IIviScaleParams, m_params.ReceiveVoid()));
}

BOOL CDownScaleFilter::GetScale(BOOL* horizontal, BOOL* vertical)
{
    LONG across = 0, down = 0;
    if (!m_params || horizontal == NULL || vertical == NULL || FAILED(m_params->GetParam(kHorizontal, &across)) ||
        FAILED(m_params->GetParam(kVertical, &down)))
        return FALSE;
    *horizontal = across > 0;
    *vertical = down > 0;
    return TRUE;
}

BOOL CDownScaleFilter::SetScale(BOOL horizontal, BOOL vertical)
{
    return m_params && SUCCEEDED(m_params->SetParam(kHorizontal, horizontal ? 1 : 0)) &&
           SUCCEEDED(m_params->SetParam(kVertical, vertical ? 1 : 0));
}
