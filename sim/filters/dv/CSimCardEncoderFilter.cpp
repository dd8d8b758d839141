#include "CSimCardEncoderFilter.h"

#include "CritGuard.h"

#include <string.h>

#include <new>

const CLSID CLSID_SimBlackbirdEncoder = {0x4C2E8A71, 0x3B5D, 0x4F09, {0x9A, 0x6E, 0x71, 0xD2, 0x0B, 0x84, 0xC3, 0x5F}};
const CLSID CLSID_SimRaptorEncoder = {0x4C2E8A72, 0x3B5D, 0x4F09, {0x9A, 0x6E, 0x71, 0xD2, 0x0B, 0x84, 0xC3, 0x5F}};

namespace
{
// The encoder cards' set, which the BlackBird encoder speaks too, and the Raptor encoder's own.
const GUID kBlackbirdSet = {0xD2185A40, 0x0398, 0x11D3, {0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A}};
const GUID kRaptorSet = {0xCFA8C7E7, 0x5FF7, 0x40D3, {0x9B, 0x37, 0xC4, 0x5C, 0xBC, 0xC9, 0xBD, 0x53}};

template <class T>
CComIdentity* Make(T* filter, HRESULT* result)
{
    *result = filter != nullptr ? S_OK : E_OUTOFMEMORY;
    return filter;
}
}

CSimCardEncoderFilter::CSimCardEncoderFilter(IUnknown* outer, REFCLSID clsid, const GUID& set, const char* identity)
    : CSimStandInFilter(outer, clsid, "cardenc", identity), m_set(set)
{
}

CComIdentity* CSimCardEncoderFilter::CreateBlackbird(IUnknown* outer, HRESULT* result)
{
    return Make(new (std::nothrow) CSimCardEncoderFilter(outer, CLSID_SimBlackbirdEncoder, kBlackbirdSet,
                                                         "simdv:blackbird 1"), result);
}

CComIdentity* CSimCardEncoderFilter::CreateRaptor(IUnknown* outer, HRESULT* result)
{
    return Make(new (std::nothrow) CSimCardEncoderFilter(outer, CLSID_SimRaptorEncoder, kRaptorSet,
                                                         "simdv:raptor 1"), result);
}

void* CSimCardEncoderFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IKsPropertySet))
        return static_cast<IKsPropertySet*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

HRESULT CSimCardEncoderFilter::Logged(char call, DWORD id, DWORD size, HRESULT hr)
{
    Log().Line("%c %lu %lu -> %08lX", call, id, size, (unsigned long)hr);
    return hr;
}

STDMETHODIMP CSimCardEncoderFilter::Set(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD size)
{
    if (!IsEqualGUID(set, m_set))
        return Logged('S', id, size, E_PROP_SET_UNSUPPORTED);
    if (data == nullptr && size != 0)
        return Logged('S', id, size, E_POINTER);
    CCritGuard guard(StateLock());
    m_values[id].assign((const BYTE*)data, (const BYTE*)data + size);
    return Logged('S', id, size, S_OK);
}

STDMETHODIMP CSimCardEncoderFilter::Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD size,
                                        DWORD* returned)
{
    if (returned != nullptr)
        *returned = 0;
    if (!IsEqualGUID(set, m_set))
        return Logged('G', id, size, E_PROP_SET_UNSUPPORTED);
    CCritGuard guard(StateLock());
    auto value = m_values.find(id);
    if (value == m_values.end())
        return Logged('G', id, size, E_PROP_ID_UNSUPPORTED);
    if (data == nullptr || size < value->second.size())
        return Logged('G', id, size, E_INVALIDARG);
    memcpy(data, value->second.data(), value->second.size());
    if (returned != nullptr)
        *returned = (DWORD)value->second.size();
    return Logged('G', id, size, S_OK);
}

STDMETHODIMP CSimCardEncoderFilter::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (support == nullptr)
        return E_POINTER;
    if (!IsEqualGUID(set, m_set))
        return E_PROP_SET_UNSUPPORTED;
    CCritGuard guard(StateLock());
    *support = KSPROPERTY_SUPPORT_SET | (m_values.count(id) ? KSPROPERTY_SUPPORT_GET : 0);
    return S_OK;
}
