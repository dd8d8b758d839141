#include "CSimWiredPin.h"

CSimWiredPin::CSimWiredPin(CBaseFilter& filter, const WCHAR* name, PIN_DIRECTION direction)
    : CBasePin(filter, name, direction)
{
}

STDMETHODIMP CSimWiredPin::ConnectedTo(IPin** pin)
{
    if (pin == nullptr)
        return E_POINTER;
    *pin = m_wired;
    if (m_wired == nullptr)
        return VFW_E_NOT_CONNECTED;
    m_wired->AddRef();
    return S_OK;
}

HRESULT CSimWiredPin::CheckMediaType(const AM_MEDIA_TYPE&)
{
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimWiredPin::CheckConnect(IPin*)
{
    return VFW_E_NO_ACCEPTABLE_TYPES;
}
