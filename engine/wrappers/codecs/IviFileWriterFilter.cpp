#include "IviFileWriterFilter.h"

#include <dshow.h>

CIviFileWriterFilter::CIviFileWriterFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CIviFileWriterFilter::CIviFileWriterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                           int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CIviFileWriterFilter::~CIviFileWriterFilter() = default;

BOOL CIviFileWriterFilter::Init()
{
    m_writer.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IIviWriter, m_writer.ReceiveVoid()));
}

BOOL CIviFileWriterFilter::SetFileName(const char* name)
{
    WCHAR wide[MAX_PATH];
    if (!m_writer || name == NULL || MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) == 0)
        return FALSE;
    CComRef<IFileSinkFilter> sink;
    if (FAILED(m_writer->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid())))
        return FALSE;
    return SUCCEEDED(sink->SetFileName(wide, NULL));
}

BOOL CIviFileWriterFilter::SetSizeLimit(LONG low, LONG high)
{
    return m_writer && SUCCEEDED(m_writer->SetParam(kSizeLimit, low, high));
}

BOOL CIviFileWriterFilter::GetSizeLimit(LONG* value)
{
    return m_writer && value != NULL && SUCCEEDED(m_writer->GetParam(kSizeLimit, value));
}
