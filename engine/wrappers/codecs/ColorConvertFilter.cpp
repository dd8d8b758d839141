#include "ColorConvertFilter.h"

#include "CodecInterfaces.h"
#include "ComRef.h"

CColorConvertFilter::CColorConvertFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CColorConvertFilter::CColorConvertFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}

HRESULT CColorConvertFilter::SetOutputFormat(LONG format)
{
    CComRef<IColorConvert> convert;
    HRESULT hr = GetFilter() ? GetFilter()->QueryInterface(IID_IColorConvert, convert.ReceiveVoid()) : E_POINTER;
    return SUCCEEDED(hr) ? convert->SetOutputFormat(format) : hr;
}

HRESULT CColorConvertFilter::GetOutputFormat(LONG* format)
{
    CComRef<IColorConvert> convert;
    HRESULT hr = GetFilter() ? GetFilter()->QueryInterface(IID_IColorConvert, convert.ReceiveVoid()) : E_POINTER;
    return SUCCEEDED(hr) ? convert->GetOutputFormat(format) : hr;
}
