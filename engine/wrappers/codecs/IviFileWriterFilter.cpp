#include "IviFileWriterFilter.h"

#include "FileSinkName.h"

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
    CComRef<IFileSinkFilter> sink;
    if (!m_writer || FAILED(m_writer->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid())))
        return FALSE;
    return CFileSinkName::Set(sink.Get(), name);
}

BOOL CIviFileWriterFilter::SetSizeLimit(LONG low, LONG high)
{
    return m_writer && SUCCEEDED(m_writer->SetParam(kSizeLimit, low, high));
}

BOOL CIviFileWriterFilter::GetSizeLimit(LONG* value)
{
    return m_writer && value != NULL && SUCCEEDED(m_writer->GetParam(kSizeLimit, value));
}
