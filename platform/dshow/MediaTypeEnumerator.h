#pragma once

#include "ComIdentity.h"
#include "ComRef.h"

#include <dshow.h>

class CBasePin;

// IEnumMediaTypes over a pin's GetMediaType list. Holds the pin; a change of the list
// makes Next, Skip and Clone answer VFW_E_ENUM_OUT_OF_SYNC until Reset.
class CMediaTypeEnumerator : public CComIdentity, public IEnumMediaTypes
{
public:
    explicit CMediaTypeEnumerator(CBasePin& pin);

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    bool HasType(int index);

    CBasePin& m_pin;
    // Owns the reference that keeps m_pin alive.
    CComRef<IPin> m_pinRef;
    // Guarded by the pin's filter's state lock, which every method takes.
    int m_position = 0;
    LONG m_version;
};
