#include "FileWriteFilter.h"

CFileWriteFilter::CFileWriteFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CFileWriteFilter::CFileWriteFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                   int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CFileWriteFilter::~CFileWriteFilter() = default;

BOOL CFileWriteFilter::Init()
{
    m_sink.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    CComRef<IFileSinkFilter2> sink2;
    if (SUCCEEDED(GetFilter()->QueryInterface(IID_IFileSinkFilter2, sink2.ReceiveVoid())))
        m_sink = sink2.Get();
    else
        GetFilter()->QueryInterface(IID_IFileSinkFilter, m_sink.ReceiveVoid());
    return m_sink ? TRUE : FALSE;
}

BOOL CFileWriteFilter::SetFileName(const char* name)
{
    WCHAR wide[MAX_PATH];
    if (!m_sink || name == NULL || MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) == 0)
        return FALSE;
    return SUCCEEDED(m_sink->SetFileName(wide, NULL));
}

BOOL CFileWriteFilter::GetFileName(char* buffer, int size)
{
    if (!m_sink || buffer == NULL || size <= 0)
        return FALSE;
    LPOLESTR name = NULL;
    AM_MEDIA_TYPE type = {};
    if (FAILED(m_sink->GetCurFile(&name, &type)))
        return FALSE;
    if (type.pbFormat)
        CoTaskMemFree(type.pbFormat);
    if (type.pUnk)
        type.pUnk->Release();
    BOOL ok = name != NULL && WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, size, NULL, NULL) != 0;
    CoTaskMemFree(name);
    if (!ok)
        buffer[0] = '\0';
    return ok;
}
