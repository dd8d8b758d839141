#include "ClassOverride.h"

namespace
{
// A factory handing out one existing object.
class SingleObjectFactory final : public IClassFactory
{
public:
    explicit SingleObjectFactory(IUnknown* object) : m_object(object) {}
    virtual ~SingleObjectFactory() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return refs;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return m_object->QueryInterface(iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    LONG m_refs = 1;
    CComRef<IUnknown> m_object;
};
}

ClassOverride::ClassOverride(REFCLSID clsid, IUnknown* object)
{
    auto* factory = new SingleObjectFactory(object);
    Register(clsid, factory);
    factory->Release();
}

ClassOverride::ClassOverride(REFCLSID clsid, const char* modulePath) : m_module(LoadLibraryA(modulePath))
{
    typedef HRESULT(WINAPI * GetClassObject)(REFCLSID, REFIID, void**);
    auto get = m_module ? reinterpret_cast<GetClassObject>(reinterpret_cast<void (*)()>(GetProcAddress(m_module, "DllGetClassObject"))) : nullptr;
    CComRef<IClassFactory> factory;
    if (get != nullptr && SUCCEEDED(get(clsid, IID_IClassFactory, factory.ReceiveVoid())))
        Register(clsid, factory.Get());
}

void ClassOverride::Register(REFCLSID clsid, IClassFactory* factory)
{
    if (FAILED(CoRegisterClassObject(clsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
}

ClassOverride::~ClassOverride()
{
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
    // The module stays loaded: objects it made may outlive the override.
}
