#include "DeinterlaceFilter.h"

CDeinterlaceFilter::CDeinterlaceFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CDeinterlaceFilter::CDeinterlaceFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                       int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CDeinterlaceFilter::~CDeinterlaceFilter() = default;

BOOL CDeinterlaceFilter::Init()
{
    m_control.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IDeinterlaceControl, m_control.ReceiveVoid()));
}

BOOL CDeinterlaceFilter::GetHighQuality(int* on)
{
    if (!m_control || on == NULL)
        return FALSE;
    LONG value = 0;
    if (m_control->GetHighQuality(&value) != S_OK)
        return FALSE;
    *on = value;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetHighQuality(int on)
{
    return m_control && m_control->SetHighQuality(on) == S_OK;
}

BOOL CDeinterlaceFilter::GetNoiseReduce(BOOL* on)
{
    VARIANT_BOOL value = VARIANT_FALSE;
    if (!m_control || on == NULL || m_control->GetNoiseReduce(&value) != S_OK)
        return FALSE;
    *on = (WORD)value == 0xFFFF;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetNoiseReduce(BOOL on)
{
    return m_control && m_control->SetNoiseReduce(on ? VARIANT_TRUE : VARIANT_FALSE) == S_OK;
}

BOOL CDeinterlaceFilter::GetHalfRate(BOOL* on)
{
    VARIANT_BOOL value = VARIANT_FALSE;
    if (!m_control || on == NULL || m_control->GetHalfRate(&value) != S_OK)
        return FALSE;
    *on = (WORD)value == 0xFFFF;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetHalfRate(BOOL on)
{
    return m_control && m_control->SetHalfRate(on ? VARIANT_TRUE : VARIANT_FALSE) == S_OK;
}

BOOL CDeinterlaceFilter::GetReduceValue(int* value)
{
    LONG strength = 0;
    if (!m_control || value == NULL || m_control->GetReduceValue(&strength) != S_OK)
        return FALSE;
    *value = strength;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetReduceValue(int value)
{
    if (!m_control || value < 0 || value > 10)
        return FALSE;
    if (m_control->SetReduceValue(value) != S_OK)
        return FALSE;
    if (value == 0)
        m_control->SetNoiseReduce(VARIANT_FALSE);
    return TRUE;
}

BOOL CDeinterlaceFilter::SaveSnapshot(const char* path, int kind, int quality)
{
    if (!m_control || path == NULL)
        return FALSE;
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0)
        return FALSE;
    return m_control->SaveSnapshot(wide, kind, quality) == S_OK;
}

BOOL CDeinterlaceFilter::SetSmallFrame(BOOL on)
{
    return m_control && m_control->SetSmallFrame(on ? VARIANT_TRUE : VARIANT_FALSE) == S_OK;
}
