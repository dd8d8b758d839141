#include "ComProbe.h"

ULONG CComProbe::RefCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

bool CComProbe::Supports(IUnknown* object, REFIID iid)
{
    // A refusal that leaves the out pointer set counts as support, so that an interface
    // table expecting "not supported" fails on it.
    void* found = reinterpret_cast<void*>(1);
    HRESULT hr = object->QueryInterface(iid, &found);
    if (FAILED(hr))
        return found != nullptr;
    static_cast<IUnknown*>(found)->Release();
    return true;
}
