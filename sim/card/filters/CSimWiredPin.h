#pragma once

#include "BasePin.h"

// A pin the driver has wired to a pin of another of its objects: connected as far as anyone
// asking can see, carrying no media type, and never connected or disconnected by a graph.
// The peer is not held; whoever wires two pins cuts them before either goes.
class CSimWiredPin : public CBasePin
{
public:
    CSimWiredPin(CBaseFilter& filter, const WCHAR* name, PIN_DIRECTION direction);

    void Wire(IPin* peer) { m_wired = peer; }

    STDMETHODIMP ConnectedTo(IPin** pin) override;
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

protected:
    HRESULT CheckConnect(IPin* peer) override;

private:
    IPin* m_wired = nullptr;
};
