#include "PinEnumerator.h"

#include "BaseFilter.h"
#include "BasePin.h"
#include "CritGuard.h"

#include <new>

CPinEnumerator::CPinEnumerator(CBaseFilter& filter)
    : CComIdentity(nullptr), m_filter(filter), m_filterRef(&filter)
{
    CCritGuard guard(m_filter.StateLock());
    m_version = m_filter.PinVersion();
}

STDMETHODIMP CPinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched)
{
    if (!pins || (count != 1 && !fetched))
        return E_POINTER;
    CCritGuard guard(m_filter.StateLock());
    if (fetched)
        *fetched = 0;
    if (m_version != m_filter.PinVersion())
        return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG done = 0;
    while (done < count && m_position < m_filter.GetPinCount()) {
        CBasePin* pin = m_filter.GetPin(m_position++);
        pin->AddRef();
        pins[done++] = pin;
    }
    if (fetched)
        *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

STDMETHODIMP CPinEnumerator::Skip(ULONG count)
{
    CCritGuard guard(m_filter.StateLock());
    if (m_version != m_filter.PinVersion())
        return VFW_E_ENUM_OUT_OF_SYNC;
    int total = m_filter.GetPinCount();
    if (count > static_cast<ULONG>(total - m_position)) {
        m_position = total;
        return S_FALSE;
    }
    m_position += static_cast<int>(count);
    return S_OK;
}

STDMETHODIMP CPinEnumerator::Reset()
{
    CCritGuard guard(m_filter.StateLock());
    m_position = 0;
    m_version = m_filter.PinVersion();
    return S_OK;
}

STDMETHODIMP CPinEnumerator::Clone(IEnumPins** clone)
{
    if (!clone)
        return E_POINTER;
    *clone = nullptr;
    CCritGuard guard(m_filter.StateLock());
    if (m_version != m_filter.PinVersion())
        return VFW_E_ENUM_OUT_OF_SYNC;
    auto* copy = new (std::nothrow) CPinEnumerator(m_filter);
    if (!copy)
        return E_OUTOFMEMORY;
    copy->m_position = m_position;
    HRESULT hr = copy->InnerQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(clone));
    copy->InnerRelease();
    return hr;
}

void* CPinEnumerator::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IEnumPins))
        return static_cast<IEnumPins*>(this);
    return CComIdentity::FindInterface(iid);
}
