#include "DumpFilter.h"

#include "ComRef.h"
#include "FileSinkName.h"

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
    CComRef<IFileSinkFilter> sink;
    if (GetFilter() == NULL || FAILED(GetFilter()->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid())))
        return FALSE;
    return CFileSinkName::Set(sink.Get(), name);
}
