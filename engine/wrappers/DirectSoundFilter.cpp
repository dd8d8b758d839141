#include "DirectSoundFilter.h"

// The base constructor's Init is the base's own (the object is not a CDirectSoundFilter yet),
// so the clock is asked for here.
CDirectSoundFilter::CDirectSoundFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CAudioRenderFilter(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CDirectSoundFilter::CDirectSoundFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                       int matchMode)
    : CAudioRenderFilter(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

BOOL CDirectSoundFilter::Init()
{
    m_clock.Reset();
    if (!CAudioRenderFilter::Init())
        return FALSE;
    return SUCCEEDED(Check("QueryInterface IReferenceClock",
                           GetFilter()->QueryInterface(IID_IReferenceClock, m_clock.ReceiveVoid())));
}
