#pragma once

#include "ComIdentity.h"
#include "ComRef.h"

#include <dshow.h>

class CBaseFilter;

// IEnumPins over a CBaseFilter. Holds the filter; a change of its pin list makes Next,
// Skip and Clone answer VFW_E_ENUM_OUT_OF_SYNC until Reset.
class CPinEnumerator : public CComIdentity, public IEnumPins
{
public:
    explicit CPinEnumerator(CBaseFilter& filter);

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** clone) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    CBaseFilter& m_filter;
    // Owns the reference that keeps m_filter alive.
    CComRef<IBaseFilter> m_filterRef;
    // Guarded by the filter's state lock, which every method takes.
    int m_position = 0;
    LONG m_version;
};
