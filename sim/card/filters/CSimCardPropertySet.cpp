#include "CSimCardPropertySet.h"

#include "SimGuids.h"

CSimCardPropertySet::CSimCardPropertySet(CSimFilter& filter) : m_filter(filter)
{
}

STDMETHODIMP CSimCardPropertySet::QueryInterface(REFIID iid, void** out)
{
    return m_filter.ControllingUnknown()->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) CSimCardPropertySet::AddRef()
{
    return m_filter.ControllingUnknown()->AddRef();
}

STDMETHODIMP_(ULONG) CSimCardPropertySet::Release()
{
    return m_filter.ControllingUnknown()->Release();
}

HRESULT CSimCardPropertySet::Call(bool get, REFGUID set, DWORD id, void* instance, void* data, DWORD dataSize,
                                  DWORD* returned)
{
    if (!IsEqualGUID(set, PROPSETID_SimCard))
        return E_PROP_SET_UNSUPPORTED;
    LONG instOffset = (LONG)((BYTE*)instance - (BYTE*)data);
    return m_filter.Card().Property(m_filter.Who(), get, id, instOffset, (BYTE*)data, dataSize, returned);
}

STDMETHODIMP CSimCardPropertySet::Set(REFGUID set, DWORD id, void* instance, DWORD, void* data, DWORD dataSize)
{
    return Call(false, set, id, instance, data, dataSize, nullptr);
}

STDMETHODIMP CSimCardPropertySet::Get(REFGUID set, DWORD id, void* instance, DWORD, void* data, DWORD dataSize,
                                      DWORD* returned)
{
    return Call(true, set, id, instance, data, dataSize, returned);
}

STDMETHODIMP CSimCardPropertySet::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!IsEqualGUID(set, PROPSETID_SimCard))
        return E_PROP_SET_UNSUPPORTED;
    return CSimCard::QuerySupport(id, support);
}
