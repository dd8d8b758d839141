#include "EncoderFilterWrapper.h"

CEncoderFilterWrapper::CEncoderFilterWrapper(CGraphBuilder* graph, REFCLSID clsid, const GUID& propertySet)
    : CFilterWrapper(graph, clsid), m_propertySet(propertySet)
{
    if (!Init())
        SetValid(FALSE);
}

CEncoderFilterWrapper::CEncoderFilterWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                             int matchMode, const GUID& propertySet)
    : CFilterWrapper(graph, category, friendlyName, matchMode), m_propertySet(propertySet)
{
    if (!Init())
        SetValid(FALSE);
}

BOOL CEncoderFilterWrapper::Init()
{
    m_driver.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IKsPropertySet, m_driver.ReceiveVoid())) && m_driver;
}

BOOL CEncoderFilterWrapper::SetEncoderProperty(DWORD id, void* data, DWORD size)
{
    return m_driver && SUCCEEDED(m_driver->Set(m_propertySet, id, data, size, data, size));
}

BOOL CEncoderFilterWrapper::GetEncoderProperty(DWORD id, void* data, DWORD size)
{
    DWORD returned = 0;
    return m_driver && SUCCEEDED(m_driver->Get(m_propertySet, id, data, size, data, size, &returned));
}
