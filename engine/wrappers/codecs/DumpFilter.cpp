#include "DumpFilter.h"

#include "ComRef.h"

#include <dshow.h>

CDumpFilter::CDumpFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CDumpFilter::CDumpFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}

BOOL CDumpFilter::SetFileName(const char* name)
{
    WCHAR wide[MAX_PATH];
    if (GetFilter() == NULL || name == NULL || MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) == 0)
        return FALSE;
    CComRef<IFileSinkFilter> sink;
    if (FAILED(GetFilter()->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid())))
        return FALSE;
    return SUCCEEDED(sink->SetFileName(wide, NULL));
}
