#include "MsMuxFilter.h"

#include "ComRef.h"

CMsMuxFilter::CMsMuxFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMsMuxFilter::CMsMuxFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                           int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

BOOL CMsMuxFilter::Init()
{
    SetDynamicPins(TRUE);
    if (!CFilterWrapper::Init())
        return FALSE;
    CComRef<IConfigAviMux> mux;
    CComRef<IConfigInterleaving> interleaving;
    if (FAILED(GetFilter()->QueryInterface(IID_IConfigAviMux, mux.ReceiveVoid())) ||
        FAILED(GetFilter()->QueryInterface(IID_IConfigInterleaving, interleaving.ReceiveVoid())))
        return FALSE;
    if (FAILED(mux->SetOutputCompatibilityIndex(TRUE)))
        return FALSE;
    REFERENCE_TIME interleave = kInterleave, preroll = kPreroll;
    interleaving->put_Interleaving(&interleave, &preroll);
    interleaving->put_Mode(INTERLEAVE_NONE);
    return TRUE;
}
