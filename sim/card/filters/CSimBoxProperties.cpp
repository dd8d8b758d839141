#include "CSimBoxProperties.h"

CSimBoxProperties::CSimBoxProperties(CSimFilter& filter) : m_filter(filter)
{
}

STDMETHODIMP CSimBoxProperties::QueryInterface(REFIID iid, void** out)
{
    return m_filter.ControllingUnknown()->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) CSimBoxProperties::AddRef()
{
    return m_filter.ControllingUnknown()->AddRef();
}

STDMETHODIMP_(ULONG) CSimBoxProperties::Release()
{
    return m_filter.ControllingUnknown()->Release();
}

HRESULT STDMETHODCALLTYPE CSimBoxProperties::Reserved()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CSimBoxProperties::Set(DWORD id, void* value)
{
    return m_filter.Card().BoxSet(id, value);
}

HRESULT STDMETHODCALLTYPE CSimBoxProperties::Get(DWORD id, void* buffer)
{
    return m_filter.Card().BoxGet(id, buffer);
}
