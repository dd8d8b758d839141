#include "FileWriteFilter.h"

#include "FileSinkName.h"

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
    return CFileSinkName::Set(m_sink.Get(), name);
}

BOOL CFileWriteFilter::GetFileName(char* buffer, int size)
{
    return CFileSinkName::Get(m_sink.Get(), buffer, size);
}
