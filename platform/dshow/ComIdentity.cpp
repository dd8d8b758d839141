#include "ComIdentity.h"

#include "ComServer.h"

CComIdentity::CComIdentity(IUnknown* outer)
    : m_inner(*this), m_controlling(outer ? outer : &m_inner)
{
    CComServer::ObjectCreated();
}

CComIdentity::~CComIdentity()
{
    CComServer::ObjectDestroyed();
}

HRESULT CComIdentity::InnerQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
        *out = &m_inner;
        InnerAddRef();
        return S_OK;
    }
    void* found = FindInterface(iid);
    if (!found)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(found)->AddRef();
    *out = found;
    return S_OK;
}

ULONG CComIdentity::InnerAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG CComIdentity::InnerRelease()
{
    LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) {
        // A destructor that briefly takes and drops a reference must not delete us twice.
        m_refs = 1;
        delete this;
    }
    return static_cast<ULONG>(refs);
}

void* CComIdentity::FindInterface(REFIID)
{
    return nullptr;
}
