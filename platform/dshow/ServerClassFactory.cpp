#include "ServerClassFactory.h"

CServerClassFactory::CServerClassFactory(const CComServer::ClassEntry& entry)
    : CComIdentity(nullptr), m_entry(entry)
{
}

STDMETHODIMP CServerClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    // An aggregated object must hand its inner IUnknown to the outer one.
    if (outer && !IsEqualIID(iid, IID_IUnknown))
        return CLASS_E_NOAGGREGATION;
    HRESULT hr = S_OK;
    CComIdentity* object = m_entry.create(outer, &hr);
    if (!object)
        return FAILED(hr) ? hr : E_OUTOFMEMORY;
    hr = object->InnerQueryInterface(iid, out);
    object->InnerRelease();
    return hr;
}

STDMETHODIMP CServerClassFactory::LockServer(BOOL lock)
{
    CComServer::LockServer(lock != FALSE);
    return S_OK;
}

void* CServerClassFactory::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IClassFactory))
        return static_cast<IClassFactory*>(this);
    return CComIdentity::FindInterface(iid);
}
