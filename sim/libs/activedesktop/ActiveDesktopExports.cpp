// The module's class object: the Active Desktop class only. It is not registered in the
// prefix (Wine's shell keeps its own class there); tests register it in their own process.
#include "CSimActiveDesktop.h"

namespace
{

class CSimActiveDesktopFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = NULL;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    // Static object: lives as long as the module.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = NULL;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CSimActiveDesktop* desktop = new CSimActiveDesktop;
        HRESULT hr = desktop->QueryInterface(iid, out);
        desktop->Release();
        return hr;
    }
    // The module is never unloaded, so there is no lock to count.
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

CSimActiveDesktopFactory g_factory;

} // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    if (!IsEqualCLSID(clsid, CLSID_ActiveDesktop))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return S_FALSE;
}
