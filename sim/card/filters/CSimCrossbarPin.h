#pragma once

#include "BasePin.h"

// A crossbar pin: it names a jack of the card and never connects.
class CSimCrossbarPin : public CBasePin
{
public:
    CSimCrossbarPin(CBaseFilter& filter, const WCHAR* name, PIN_DIRECTION direction);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

protected:
    HRESULT CheckConnect(IPin* peer) override;
};
