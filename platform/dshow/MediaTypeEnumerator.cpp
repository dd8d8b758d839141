#include "MediaTypeEnumerator.h"

#include "BaseFilter.h"
#include "BasePin.h"
#include "CritGuard.h"

#include <new>

CMediaTypeEnumerator::CMediaTypeEnumerator(CBasePin& pin)
    : CComIdentity(nullptr), m_pin(pin), m_pinRef(&pin), m_version(pin.MediaTypeVersion())
{
}

STDMETHODIMP CMediaTypeEnumerator::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched)
{
    if (!types || (count != 1 && !fetched))
        return E_POINTER;
    CCritGuard guard(m_pin.Filter().StateLock());
    if (fetched)
        *fetched = 0;
    if (m_version != m_pin.MediaTypeVersion())
        return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG done = 0;
    CAmMediaType type;
    while (done < count && m_pin.GetMediaType(m_position, type) == S_OK) {
        AM_MEDIA_TYPE* copy = CAmMediaType::NewCopy(type);
        if (!copy) {
            while (done > 0)
                CAmMediaType::Delete(types[--done]);
            return E_OUTOFMEMORY;
        }
        types[done++] = copy;
        ++m_position;
    }
    if (fetched)
        *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

STDMETHODIMP CMediaTypeEnumerator::Skip(ULONG count)
{
    CCritGuard guard(m_pin.Filter().StateLock());
    if (m_version != m_pin.MediaTypeVersion())
        return VFW_E_ENUM_OUT_OF_SYNC;
    while (count > 0 && HasType(m_position)) {
        ++m_position;
        --count;
    }
    return count == 0 ? S_OK : S_FALSE;
}

// Caller holds the state lock.
bool CMediaTypeEnumerator::HasType(int index)
{
    CAmMediaType type;
    return m_pin.GetMediaType(index, type) == S_OK;
}

STDMETHODIMP CMediaTypeEnumerator::Reset()
{
    CCritGuard guard(m_pin.Filter().StateLock());
    m_position = 0;
    m_version = m_pin.MediaTypeVersion();
    return S_OK;
}

STDMETHODIMP CMediaTypeEnumerator::Clone(IEnumMediaTypes** clone)
{
    if (!clone)
        return E_POINTER;
    *clone = nullptr;
    CCritGuard guard(m_pin.Filter().StateLock());
    if (m_version != m_pin.MediaTypeVersion())
        return VFW_E_ENUM_OUT_OF_SYNC;
    auto* copy = new (std::nothrow) CMediaTypeEnumerator(m_pin);
    if (!copy)
        return E_OUTOFMEMORY;
    copy->m_position = m_position;
    copy->m_version = m_version;
    HRESULT hr = copy->InnerQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(clone));
    copy->InnerRelease();
    return hr;
}

void* CMediaTypeEnumerator::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IEnumMediaTypes))
        return static_cast<IEnumMediaTypes*>(this);
    return CComIdentity::FindInterface(iid);
}
