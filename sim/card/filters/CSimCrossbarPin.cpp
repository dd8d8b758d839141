#include "CSimCrossbarPin.h"

CSimCrossbarPin::CSimCrossbarPin(CBaseFilter& filter, const WCHAR* name, PIN_DIRECTION direction)
    : CBasePin(filter, name, direction)
{
}

HRESULT CSimCrossbarPin::CheckMediaType(const AM_MEDIA_TYPE&)
{
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimCrossbarPin::CheckConnect(IPin*)
{
    return VFW_E_NO_ACCEPTABLE_TYPES;
}
