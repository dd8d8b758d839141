#pragma once

#include "BaseInputPin.h"

class CSimStandInFilter;

// An input pin of a stand-in filter: every question and every sample goes to the filter's
// hooks, with the pin's number.
class CSimInputPin : public CBaseInputPin
{
public:
    CSimInputPin(CSimStandInFilter& filter, const WCHAR* name, int number);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    int Number() const { return m_number; }

protected:
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;
    HRESULT OnBeginFlush() override;
    HRESULT OnEndFlush() override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    void* FindInterface(REFIID iid) override;

private:
    // Weak: the filter owns the pin.
    CSimStandInFilter& m_owner;
    const int m_number;
    // Whether the filter was told of the connection, so it hears of its end only then.
    bool m_announced = false;
};
