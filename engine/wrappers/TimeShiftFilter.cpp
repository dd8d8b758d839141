#include "TimeShiftFilter.h"

#include <string.h>

namespace
{
const char kIndexExtension[] = ".idx";
}

CTimeShiftFilter::CTimeShiftFilter(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CTimeShiftFilter::CTimeShiftFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CTimeShiftFilter::~CTimeShiftFilter()
{
}

BOOL CTimeShiftFilter::Init()
{
    m_control.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(Check("QueryInterface ITimeShiftControl",
                           GetFilter()->QueryInterface(IID_ITimeShiftControl, m_control.ReceiveVoid())));
}

BOOL CTimeShiftFilter::SetPosition(LONGLONG position)
{
    return m_control && Check("SetPosition", m_control->SetPosition(&position)) == S_OK;
}

BOOL CTimeShiftFilter::GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current)
{
    return m_control && Check("GetPosition", m_control->GetPosition(total, available, current)) == S_OK;
}

BOOL CTimeShiftFilter::SetBufferSize(const LONGLONG* size, LONG reserve)
{
    return m_control && Check("SetBufferSize", m_control->SetBufferSize(size, reserve)) == S_OK;
}

BOOL CTimeShiftFilter::TogglePause()
{
    return m_control && Check("TogglePause", m_control->TogglePause()) == S_OK;
}

// The last '.' of the whole path counts, even one in a folder name, as the filter expects.
BOOL CTimeShiftFilter::IndexPathOf(const char* dataPath, char* indexPath, int size)
{
    if (dataPath == NULL || indexPath == NULL || size <= 0)
        return FALSE;
    const char* dot = strrchr(dataPath, '.');
    if (dot == NULL)
        return FALSE;
    size_t stem = (size_t)(dot - dataPath);
    if (stem + sizeof(kIndexExtension) > (size_t)size)
        return FALSE;
    memcpy(indexPath, dataPath, stem);
    memcpy(indexPath + stem, kIndexExtension, sizeof(kIndexExtension));
    return TRUE;
}

BOOL CTimeShiftFilter::SetTimeShiftFile(const char* dataPath)
{
    char indexPath[MAX_PATH];
    if (!m_control || !IndexPathOf(dataPath, indexPath, sizeof(indexPath)))
        return FALSE;
    return Check("SetTimeShiftFile", m_control->SetTimeShiftFile(dataPath, indexPath)) == S_OK;
}
